// clav_num: the full-screen numeric keypad. The caller puts the prompt, and
// after "|" the initial entry, in texte_message and the options in
// ligne_travail ("#CACHE" masks the entry, "#SAISIZE" offers font sizes);
// texte_message holds the entry once the keypad has been validated. It has
// no cancel, and ignores touches for its first half second.
#pragma once

#include <string>

#include "platform/form.h"

class clav_num : public platform::form {
  public:
    static clav_num& instance();

    static constexpr int verrou_ms = 500;

  private:
    clav_num() : form("clav_num") {}
    void design() override;
    void form_load() override;
    // The timer's widget outlives the unload for a moment: it must not fire
    // into a later showing.
    void form_unload() override;
    // Without a cancel, the desktop's close does nothing.
    void closed_by_user() override {}

    void g2_click(int col);
    void g3_click(int row, int col);
    void timer1_timer();
    // Label5 is the entry; every change of it is echoed masked in Label3.
    void change_entree(const std::string& s);

    bool saisie_taille = false;
};
