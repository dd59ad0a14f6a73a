// ch_numtab: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class ch_numtab : public platform::form {
public:
    static ch_numtab& instance();

private:
    ch_numtab() : form("ch_numtab") {}
    void design() override {}
    void form_load() override { unload(); }
};
