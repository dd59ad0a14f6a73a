// clavv: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class clavv : public platform::form {
  public:
    static clavv& instance();

  private:
    clavv() : form("clavv") {}
    void design() override {}
    void form_load() override { unload(); }
};
