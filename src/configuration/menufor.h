// menufor: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class menufor : public platform::form {
  public:
    static menufor& instance();

  private:
    menufor() : form("menufor") {}
    void design() override {}
    void form_load() override { unload(); }
};
