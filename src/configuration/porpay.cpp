#include "configuration/porpay.h"

porpay& porpay::instance() {
    static porpay* f = new porpay;
    return *f;
}

namespace {
const bool registered = platform::register_form("porpay", [] () -> platform::form& { return porpay::instance(); });
}
