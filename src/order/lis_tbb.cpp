#include "order/lis_tbb.h"

lis_tbb& lis_tbb::instance() {
    static lis_tbb* f = new lis_tbb;
    return *f;
}

namespace {
const bool registered = platform::register_form("lis_tbb", [] () -> platform::form& { return lis_tbb::instance(); });
}
