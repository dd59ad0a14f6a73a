#include "order/eta_com.h"

eta_com& eta_com::instance() {
    static eta_com* f = new eta_com;
    return *f;
}

namespace {
const bool registered = platform::register_form("eta_com", [] () -> platform::form& { return eta_com::instance(); });
}
