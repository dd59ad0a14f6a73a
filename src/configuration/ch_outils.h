// ch_outils: the manager's tools screen. A scrolling list of settings under
// headings: a touch edits a setting on the keypad, the keyboard or a Yes/No
// box and writes it at once, or starts an action (colours, resolution,
// reconnection, tablet identification, update). A toolbar under the list
// opens the screen-format chooser, scrolls, sizes the text and closes.
#pragma once

#include <string>

#include "platform/form.h"

class ch_outils : public platform::form {
  public:
    static ch_outils& instance();

    // The list is deaf for this long after the screen opens: the touch that
    // opened it must not edit a setting.
    static constexpr int armement_ms = 1000;
    static constexpr long enreg_taille = 3;
    static constexpr double hauteur_barre = 1440;

  private:
    ch_outils() : form("ch_outils") {}
    void design() override;
    void form_load() override;
    // The timer's widget outlives the unload for a moment: it must not arm a
    // later showing.
    void form_unload() override;

    void ajoute_ligne(const std::string& libelle, const std::string& code, const std::string& invite);
    void g1_Click();
    void g2_Click(int col);
    void Timer1_Timer();
    void label_bas_DblClick();
    void Command111_Click();

    // The actions of the list, by kind of code.
    void saisit_nombre(int r, bool taille);
    void saisit_texte(int r);
    void bascule(int r);
    void question_plan_tables();
    void resolution();
    void reconnexion();
    void identification();
    void mise_a_jour();
    void change_taille(double nouvelle);
    // Tells the user, in the message box, that an action could not be done.
    static void signale(const std::string& texte);

    int rangee_libre = 0;
};
