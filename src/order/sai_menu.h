// sai_menu: the composed-menu dish chooser ("Menu composé"). Reads the
// composed-menu text handed in ligne_travail and shows its courses one at a
// time; a touched dish is added to or removed from the line editor's
// complement grid. Only a hidden button of the main screen opens it.
#pragma once

#include <cstdint>
#include <string>

#include "order/menu_text.h"
#include "platform/form.h"

class sai_menu : public platform::form {
  public:
    static sai_menu& instance();

    static constexpr long enreg_taille = 42;
    static constexpr int dernier_cours_montre = 4;

  private:
    sai_menu() : form("sai_menu") {}
    void design() override;
    void form_load() override;

    void decode_men();
    void affiche_tableau();
    void g1_click(int g, int r);
    void g2_click(int c);
    void label_bas_dbl_click();

    std::string ligne_menu;
    menu_compose::menu menu_;
    std::int16_t num_cours = 0;
};
