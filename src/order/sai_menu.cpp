#include "order/sai_menu.h"

sai_menu& sai_menu::instance() {
    static sai_menu* f = new sai_menu;
    return *f;
}

namespace {
const bool registered = platform::register_form("sai_menu", [] () -> platform::form& { return sai_menu::instance(); });
}
