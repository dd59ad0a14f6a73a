#include "configuration/ch_outils.h"

ch_outils& ch_outils::instance() {
    static ch_outils* f = new ch_outils;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("ch_outils", []() -> platform::form& { return ch_outils::instance(); });
}
