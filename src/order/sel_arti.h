// sel_arti: the line editor. It takes a catalogue text or an order line in
// ligne_travail, lets the waiter set the quantity and the complements (typed,
// or picked on the detail picker, which writes into g1 directly), and hands
// back the rebuilt order line in ligne_travail, or "" when the line is deleted.
#pragma once

#include "platform/form.h"
#include "platform/grid.h"

class sel_arti : public platform::form {
  public:
    static sel_arti& instance();

    // The complement grid while the editor is loaded (nullptr otherwise): the
    // detail picker and the dish chooser work on it directly.
    platform::grid* g1() const { return get<platform::grid>("g1"); }

    static constexpr long enreg_taille_article = 40;
    static constexpr long enreg_taille_detail = 41;

  private:
    sel_arti() : form("sel_arti") {}
    void design() override;
    void form_load() override;
    // The editor has no cancel: it closes only by validation or deletion.
    void closed_by_user() override {}

    void lit_ligne_recue();
    void bt_droi_click();
    void bt_gauc_click();
    void calcul_total();
    void g1_click(int r);
    void g2_click(int c);
    void valide_donnees();
    void label_bas_dbl_click();
    int quantite() const;
};
