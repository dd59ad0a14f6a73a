// lis_tbb: the table list. Shows the tables of the plan as a paged grid and
// returns the touched one in texte_message ("" when cancelled); opened by the
// table and covers dialog with texte_message = "|".
#pragma once

#include "platform/form.h"

class lis_tbb : public platform::form {
  public:
    static lis_tbb& instance();

    static constexpr long enreg_taille = 60;
    static constexpr long enreg_colonnes = 61;
    static constexpr long enreg_lignes = 62;
    // Rows the grid has at least; a larger plan grows it.
    static constexpr int lignes_grille = 101;

  private:
    lis_tbb() : form("lis_tbb") {}
    void design() override;
    void form_load() override;

    void remplit_grille();
    void g3_click(int r, int c);
    void g2_click(int c);
    void label_bas_dbl_click();
};
