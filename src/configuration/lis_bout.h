// lis_bout: the key-picture chooser. Takes a key's picture field in
// ligne_travail, lets the user touch a picture of the store and the
// natural-size flag, and returns the new 4-character field in ligne_travail
// (four blanks when cancelled).
#pragma once

#include "platform/form.h"

class lis_bout : public platform::form {
  public:
    static lis_bout& instance();

    // The chosen row's colour (#FF8000) and that of a row no longer chosen.
    static constexpr std::int64_t orange = 0x0080FF, blanc = 0xFFFFFF;

  private:
    lis_bout() : form("lis_bout") {}
    void design() override;
    void form_load() override;
    void closed_by_user() override { bt_no_Click(); }

    void affiche_oui();
    void g3_Click(int r);
    void oui_Click(int k);
    void bt_valide_Click();
    void bt_no_Click();
};
