// sai_menu: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class sai_menu : public platform::form {
public:
    static sai_menu& instance();

private:
    sai_menu() : form("sai_menu") {}
    void design() override {}
    void form_load() override { unload(); }
};
