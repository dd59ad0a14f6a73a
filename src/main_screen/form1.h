// Form1: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class Form1 : public platform::form {
public:
    static Form1& instance();

private:
    Form1() : form("Form1") {}
    void design() override {}
    void form_load() override { unload(); }
};
