// eta_com: the order summary. Shows the table, the covers, the total quantity
// and every line with its complements; a touched row opens its line in the
// line editor again; sending checks table and covers, asks, writes the order
// file and, only once it is written, empties the order and sets
// commande_envoyee for the main screen.
#pragma once

#include "platform/form.h"

class eta_com : public platform::form {
  public:
    static eta_com& instance();

    static constexpr long enreg_taille = 30;
    static constexpr long enreg_identification = 1087;
    // Rows under the header; an order that needs more grows the grid.
    static constexpr int lignes_grille = 300;

    // Writes the order file of the current order into the current folder and,
    // once it is written, empties the order and unloads the summary. False
    // (the order untouched, the summary open) when the file could not be written.
    bool envoi_commande();

  private:
    eta_com() : form("eta_com") {}
    void design() override;
    void form_load() override;

    void g1_click(int r);
    void g2_click(int c);
    void envoi();
    void label_bas_dbl_click();
};
