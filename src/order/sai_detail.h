// sai_detail: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class sai_detail : public platform::form {
public:
    static sai_detail& instance();

private:
    sai_detail() : form("sai_detail") {}
    void design() override {}
    void form_load() override { unload(); }
};
