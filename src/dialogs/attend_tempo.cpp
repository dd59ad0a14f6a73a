#include "dialogs/attend_tempo.h"

attend_tempo& attend_tempo::instance() {
    static attend_tempo* f = new attend_tempo;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("attend_tempo", []() -> platform::form& { return attend_tempo::instance(); });
}
