// mini_97: the program's own modal message box. The caller puts the kind in
// type_message (0 information, 4 Yes/No, 129 one-line input, 225 notice that
// closes itself) and the message, optionally followed by "|" and the initial
// value of the text line, in texte_message; once the box has unloaded,
// type_message holds 6 (Yes/OK), 7 (No) or still the kind (closed without an
// answer) and texte_message the trimmed text line.
#pragma once

#include "platform/form.h"

class mini_97 : public platform::form {
  public:
    static mini_97& instance();

    // Delay of the self-closing notice.
    static constexpr int duree_avis_ms = 2000;

  private:
    mini_97() : form("mini_97") {}
    void design() override;
    void form_load() override;
    // The timer's widget outlives the unload for a moment: it must not fire
    // into a later showing.
    void form_unload() override;
    void closed_by_user() override { btc_click(5); }

    void btc_click(int index);
    void text1_key_press(int& ascii);
    void timer1_timer();
};
