#include "configuration/menufor.h"

menufor& menufor::instance() {
    static menufor* f = new menufor;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("menufor", []() -> platform::form& { return menufor::instance(); });
}
