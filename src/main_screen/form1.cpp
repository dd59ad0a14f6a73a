#include "main_screen/form1.h"

Form1& Form1::instance() {
    static Form1* f = new Form1;
    return *f;
}

namespace {
const bool registered = platform::register_form("Form1", [] () -> platform::form& { return Form1::instance(); });
}
