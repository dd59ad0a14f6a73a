// clav_num: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class clav_num : public platform::form {
  public:
    static clav_num& instance();

  private:
    clav_num() : form("clav_num") {}
    void design() override {}
    void form_load() override { unload(); }
};
