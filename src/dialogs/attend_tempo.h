// attend_tempo: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class attend_tempo : public platform::form {
  public:
    static attend_tempo& instance();

  private:
    attend_tempo() : form("attend_tempo") {}
    void design() override {}
    void form_load() override { unload(); }
};
