// w_prog: the key-programming editor. Edits one page of "progppb.wdo" (95
// keys and the page's two header texts) in the grid g1, offers block copy,
// paste and cut of a row, a colour palette for the key colour, a change of
// page, and a raw editor of one settings record ("Switch"). Nothing is
// written before "Fin" or a change of page.
#pragma once

#include <string>

#include "configuration/key_page.h"
#include "platform/form.h"

class w_prog : public platform::form {
  public:
    static w_prog& instance();

    // Writes the page shown back to the file; false when a write failed.
    bool valide_donnees();

  private:
    w_prog() : form("w_prog") {}
    void design() override;
    void form_load() override;
    void form_unload() override;
    void closed_by_user() override { Command1_Click(); }

    void charge_page();
    void construit_g1();
    void construit_g2();
    void Command1_Click();
    void Command2_Click();
    void bloc_click(const char* mot);
    void Command6_Click();
    void g1_Click(int r, int c);
    void g1_DblClick();
    void g1_KeyPress(int& ascii);
    void Picture1_MouseDown(double x, double y);

    page_touches::ligne ligne(int r) const;
    void pose_ligne(int r, const page_touches::ligne& l);
    void copie_ligne();
    void insere_ligne();
    void efface_ligne();
    void signale_echec();
};
