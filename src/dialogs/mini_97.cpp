#include "dialogs/mini_97.h"

mini_97& mini_97::instance() {
    static mini_97* f = new mini_97;
    return *f;
}

namespace {
const bool registered = platform::register_form("mini_97", [] () -> platform::form& { return mini_97::instance(); });
}
