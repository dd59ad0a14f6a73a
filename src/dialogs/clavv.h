// clavv: the on-screen AZERTY keyboard along the bottom of the display. The
// caller may pass the initial text after "|" in texte_message; Enter returns
// the field as shown, Escape the initial text, in texte_message. Typing on
// a physical keyboard and touching the keys build one text.
#pragma once

#include "platform/form.h"

class clavv : public platform::form {
  public:
    static clavv& instance();

  private:
    clavv() : form("clavv") {}
    void design() override;
    void form_load() override;
    // There is no way out but Enter and Escape; the desktop's close is Escape.
    void closed_by_user() override { ttoc_click(57); }

    void affiche_clav();
    void ttoc_click(int i);
    void text1_key_press(int& ascii);
    void text1_change();
    void select_l1();
    // Shows texte_clavier and the caret in the field.
    void montre_texte();

    // Set while the field is written by the keyboard itself, so that only
    // physical typing is taken back into texte_clavier.
    bool ecrit_champ = false;
};
