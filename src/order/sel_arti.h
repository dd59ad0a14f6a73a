// sel_arti: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class sel_arti : public platform::form {
public:
    static sel_arti& instance();

private:
    sel_arti() : form("sel_arti") {}
    void design() override {}
    void form_load() override { unload(); }
};
