#include "order/sel_arti.h"

sel_arti& sel_arti::instance() {
    static sel_arti* f = new sel_arti;
    return *f;
}

namespace {
const bool registered = platform::register_form("sel_arti", [] () -> platform::form& { return sel_arti::instance(); });
}
