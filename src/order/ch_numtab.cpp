#include "order/ch_numtab.h"

ch_numtab& ch_numtab::instance() {
    static ch_numtab* f = new ch_numtab;
    return *f;
}

namespace {
const bool registered = platform::register_form("ch_numtab", [] () -> platform::form& { return ch_numtab::instance(); });
}
