// sai_detail: the detail picker. Shows two lists of 15 details of
// "w_styl72.wdo" side by side, ticks those the line already carries, and adds
// or removes a touched detail straight in the line editor's complement grid.
#pragma once

#include "platform/form.h"

class sai_detail : public platform::form {
  public:
    static sai_detail& instance();

    static constexpr long enreg_taille = 42;
    static constexpr int nb_grilles = 2;
    static constexpr int details_par_liste = 15;
    static constexpr int derniere_page = 18;

    // The record shown in row j of grid i at a page.
    static long enregistrement(int page, int i, int j) { return 20L * (page + i) + 20 + j; }

  private:
    sai_detail() : form("sai_detail") {}
    void design() override;
    void form_load() override;

    void affiche_tableau();
    void recherche_detail();
    void g1_click(int i, int r);
    void g2_click(int c);
    void label_bas_dbl_click();
};
