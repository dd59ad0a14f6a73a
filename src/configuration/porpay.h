// porpay: the screen-format chooser. The user touches the portrait tablet
// format or the classic full-screen format, both computed from the display,
// or types a width and a height; the choice is stored in settings record 2.
#pragma once

#include <optional>
#include <string>

#include "platform/form.h"

namespace format_ecran {

struct resolution {
    long largeur = 0, hauteur = 0;  // pixels
};

// From the display's size in twips.
resolution tablette(double ecran_largeur_twips, double ecran_hauteur_twips);
resolution classique(double ecran_largeur_twips, double ecran_hauteur_twips);

// Record 2: "#I#0:" + width on 5 digits + ":" + height on 5 digits.
std::string enregistrement(const resolution& r);

// A typed side: a whole number from 1 to 99999 (what five digits hold), or
// nothing when the answer is empty, zero, negative or too long.
std::optional<long> cote_saisi(const std::string& texte);

}  // namespace format_ecran

class porpay : public platform::form {
  public:
    static porpay& instance();

    void Image1_Click();
    void Image2_Click();
    void bt_coul_Click();

  private:
    porpay() : form("porpay") {}
    void design() override;
    void form_load() override;

    void choisit(const format_ecran::resolution& r);
};
