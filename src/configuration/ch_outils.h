// ch_outils: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class ch_outils : public platform::form {
  public:
    static ch_outils& instance();

  private:
    ch_outils() : form("ch_outils") {}
    void design() override {}
    void form_load() override { unload(); }
};
