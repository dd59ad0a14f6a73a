#include "dialogs/clavv.h"

clavv& clavv::instance() {
    static clavv* f = new clavv;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("clavv", []() -> platform::form& { return clavv::instance(); });
}
