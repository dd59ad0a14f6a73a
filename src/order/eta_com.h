// eta_com: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class eta_com : public platform::form {
public:
    static eta_com& instance();

private:
    eta_com() : form("eta_com") {}
    void design() override {}
    void form_load() override { unload(); }
};
