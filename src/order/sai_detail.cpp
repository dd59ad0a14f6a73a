#include "order/sai_detail.h"

sai_detail& sai_detail::instance() {
    static sai_detail* f = new sai_detail;
    return *f;
}

namespace {
const bool registered = platform::register_form("sai_detail", [] () -> platform::form& { return sai_detail::instance(); });
}
