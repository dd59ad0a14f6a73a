#include "dialogs/clav_num.h"

clav_num& clav_num::instance() {
    static clav_num* f = new clav_num;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("clav_num", []() -> platform::form& { return clav_num::instance(); });
}
