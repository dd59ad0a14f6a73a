// menufor: the menu-formula composer ("Composition forfaitaire"), opened in
// place of the line editor for a composed-menu article. It pages its menu
// keys, switches the colour and erase modes (shown by the mouse pointer),
// drops the last composed line, and on validation keeps the composed lines
// in liste_formule; no order line comes out of it.
#pragma once

#include <string>

#include "platform/form.h"

class menufor : public platform::form {
  public:
    static menufor& instance();

    // Menu keys shown on one page: one column per course heading.
    static constexpr int nb_cours = 3;
    static constexpr int touches_par_cours = 4;
    // Colour buttons, one per key colour.
    static constexpr int nb_couleurs = 10;

    // The article text received when the screen loaded.
    const std::string& ligne_recue() const { return ligne_recue_; }
    // The colour button touched last to switch the colour mode on.
    int couleur_choisie() const { return couleur_choisie_; }

  private:
    menufor() : form("menufor") {}
    void design() override;
    void form_load() override;
    void closed_by_user() override;

    // Places every control over the screen's current size.
    void dispose();

    void btc_retour_click();
    void btc_suite_click();
    void btrafff_click(int index);
    void image2_click();
    void image3_click();
    void image4_click();
    void image1_click();
    // Reread the menu keys of the page shown; the keys carry no programming
    // yet, so there is nothing to read.
    void lit_touches_menus() {}

    std::string ligne_recue_;
    int couleur_choisie_ = -1;
};
