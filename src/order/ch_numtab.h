// ch_numtab: the table and covers dialog. The table is typed on a keypad or
// picked from the table list, the covers touched or typed; validation checks
// the table against the plan (unless the settings switch it off) and stores
// the result in table_couverts, the only thing this dialog hands back.
#pragma once

#include "platform/form.h"

class ch_numtab : public platform::form {
  public:
    static ch_numtab& instance();

    // Font size of the keypad and covers grids.
    static constexpr long enreg_taille = 51;
    // The table-plan check: off only when this record holds "NON".
    static constexpr long enreg_verification = 55;

  private:
    ch_numtab() : form("ch_numtab") {}
    void design() override;
    void form_load() override;

    void g3_click(int r, int c);
    void g1_click(int r, int c);
    void g2_click(int c);
    void liste_des_tables();
    void validation();
    void procedure_vide_commune() {}
    void label_bas_dbl_click();
};
