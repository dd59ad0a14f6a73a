// attend_tempo: a waiting screen that announces a failed network connection
// and counts down to a new attempt; it makes no attempt itself. A touch on
// its picture closes it at once.
#pragma once

#include "platform/form.h"

// Set when the user closed the countdown by touching its picture.
inline bool attente_touchee = false;

class attend_tempo : public platform::form {
  public:
    static attend_tempo& instance();

    static constexpr int pas_ms = 1000;

  private:
    attend_tempo() : form("attend_tempo") {}
    void design() override;
    void form_load() override;
    void form_unload() override;

    void timer1_timer();
    void p11_click();
};
