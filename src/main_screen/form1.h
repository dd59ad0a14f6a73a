// Form1: the main window of Wvelmorin. Its load routine is the start-up and
// also the redraw; it shows the home view with its function bar (and hands
// the queued orders over), the paged key screens of servers, families and
// articles, and dispatches every touch code.
#pragma once

#include <array>
#include <string>

#include "main_screen/key_layout.h"
#include "platform/form.h"

class Form1 : public platform::form {
  public:
    static Form1& instance();

    // Start-up and redraw.
    void Form_Load();

    // Home view and function bar.
    void affiche_menu();
    void efface_menu();
    void init_g2(const std::string& images, const std::string& codes, const std::string& n);
    void g2_Click();

    // Touch dispatcher and function codes.
    void btx_Click(int index);
    void appel_fonctions(const std::string& nom);
    void demande_table();
    void ecrit_donnees();

    // Key screens.
    void affiche_serveurs();
    void affiche_familles();
    void affiche_articles();
    void raz_touches();
    // A page of programmed keys from the key-programming file; no key or
    // code of the program calls it.
    void dessine_touches();

    // Gestures of the home view and bars.
    void logil_DblClick();
    void logoserv_DblClick();
    void logo_Click();
    void label_bas_DblClick();
    void btt_MouseDown() {}

    // The hidden buttons (never shown).
    void Command1_Click();
    [[noreturn]] void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    [[noreturn]] void quitte_programme();
    void procedure_vide_commune() {}

    // The codes of the function bar's cells.
    const std::array<std::string, 11>& codes_barre() const { return codes_barre_; }
    const std::string& code_courant() const { return code_courant_; }

  private:
    Form1() : form("Form1") {}
    void design() override;
    void form_load() override { Form_Load(); }
    // The desktop closing the main window (its close button, Alt+F4).
    void closed_by_user() override;

    void dessine_page(ecran_touches::genre g);
    // The home bar, with the count of waiting orders when some wait or the
    // folder cannot be reached.
    void dessine_barre_accueil(bool joignable);
    // A hand-over that outlasted the drawing has ended: the count it left.
    static void fin_transmission_tardive();
    // The probe, then the hand-over of the queue when the folder is reachable.
    bool transmet_file();
    // The network folder's share was mounted again after the screen stopped
    // waiting for it: the queue is handed over at once.
    static void partage_rejoint();
    void ajoute_article();
    void fin();

    std::array<std::string, 11> codes_barre_;
    std::string code_courant_;
    // Whether the bar drawn now is the home bar (a late hand-over redraws its count).
    bool barre_accueil_ = false;
};
