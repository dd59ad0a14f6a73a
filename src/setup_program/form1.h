// The one screen of the set-up program: it lists the computers of the
// network, lets the user open the exchange folder on the server (accepted
// when it holds the catalogue "velmorin.wdo"), writes the folder file and
// starts the main program.
#pragma once

#include <filesystem>
#include <string>

#include "platform/form.h"

namespace Ostrevane {

class Form1 : public platform::form {
  public:
    static Form1& instance();

    // Where the network listing is written and read: the program's own
    // folder, or the folder that the tests give.
    static std::filesystem::path dossier_programme;

    // The status texts, in the order of their colours.
    static const std::string texte_correct, texte_incorrect, texte_disque, texte_illisible, texte_ecriture,
        texte_lancement, texte_manquant;

    // The screen's size in twips: an 800 x 600 display.
    static constexpr double largeur = 12000, hauteur = 9000;

  private:
    Form1() : form("Ostrevane.Form1") {}
    void design() override;
    void form_load() override { Form_Load(); }
    void closed_by_user() override { Command6_Click(); }

    void Form_Load();
    void Timer2_Timer();
    void Timer1_Timer();
    void List1_DblClick();
    void Dir1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    void affiche_etat(const std::string& texte, bool correct);
    std::filesystem::path fichier_liste() const;

    std::string saut_ligne;
    bool dossier_change = false;
};

}  // namespace Ostrevane
