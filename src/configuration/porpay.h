// porpay: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class porpay : public platform::form {
public:
    static porpay& instance();

private:
    porpay() : form("porpay") {}
    void design() override {}
    void form_load() override { unload(); }
};
