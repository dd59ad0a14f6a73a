#include "configuration/w_prog.h"

w_prog& w_prog::instance() {
    static w_prog* f = new w_prog;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("w_prog", []() -> platform::form& { return w_prog::instance(); });
}
