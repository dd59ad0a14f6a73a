// w_prog: not built yet. Until it is, showing it opens a bare screen that
// closes at once and changes nothing.
#pragma once

#include "platform/form.h"

class w_prog : public platform::form {
  public:
    static w_prog& instance();

  private:
    w_prog() : form("w_prog") {}
    void design() override {}
    void form_load() override { unload(); }
};
