// mini_97: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class mini_97 : public platform::form {
public:
    static mini_97& instance();

private:
    mini_97() : form("mini_97") {}
    void design() override {}
    void form_load() override { unload(); }
};
