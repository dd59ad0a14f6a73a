// lis_tbb: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class lis_tbb : public platform::form {
public:
    static lis_tbb& instance();

private:
    lis_tbb() : form("lis_tbb") {}
    void design() override {}
    void form_load() override { unload(); }
};
