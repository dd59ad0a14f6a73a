// The gestures of the home view and bars (tools access behind its code, the
// offline switch, the logo, the reset), and the hidden buttons, which no user
// can reach.
#include <utility>
#include <vector>

#include "dialogs/program_end.h"
#include "main_screen/form1.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"

namespace {

constexpr const char* code_outils = "4961";

// A composed-menu article: six courses of sixteen dish slots each.
std::string menu_exemple() {
    const char micro = '\xB5', barre = '\xA6';
    struct cours {
        const char* titre;
        std::vector<std::pair<const char*, const char*>> plats;
    };
    const std::vector<cours> menu = {
        {"Entrées", {{"0000000000101", "Salade de chèvre chaud"}, {"0000000000102", "Terrine de campagne"}}},
        {"Plats", {{"0000000000201", "Entrecôte grillée"}, {"0000000000202", "Filet de dorade"}}},
        {"Desserts", {{"0000000000301", "Crème brûlée"}, {"0000000000302", "Tarte Tatin"}}},
    };
    std::string texte =
        txt::pad("0000000009801", 15) + "|DES:" + cp("Menu découverte") + "|PVE:29.00|FA1:9|FA2:98|{{";
    for (std::size_t c = 0; c < 6; ++c) {
        if (c < menu.size()) texte += cp(menu[c].titre);
        texte += micro;
        for (std::size_t i = 0; i < 16; ++i) {
            if (c < menu.size() && i < menu[c].plats.size())
                texte += std::string(menu[c].plats[i].first) + "|" + cp(menu[c].plats[i].second) + barre;
            else
                texte += std::string("|") + barre;
        }
    }
    return texte + "}}";
}

}  // namespace

void Form1::logil_DblClick() {
    ligne_travail = "#CACHE";
    if (!parametres::est_oui(200)) {
        texte_message = cp("Mot de passe d'accès aux outils");
        platform::show_modal("clav_num");
        if (texte_message != code_outils) return;
    }
    platform::show_modal("ch_outils");
    Form_Load();
}

void Form1::logoserv_DblClick() {
    if (hors_ligne) {
        type_message = 4;
        texte_message = "Voulez vous connecter le Wifi ?";
        platform::show_modal("mini_97");
        if (type_message == 6) hors_ligne = false;
    } else {
        type_message = 4;
        texte_message = cp("Voulez vous déconnecter le Wifi ?");
        platform::show_modal("mini_97");
        if (type_message == 6) hors_ligne = true;
    }
    Form_Load();
}

void Form1::logo_Click() {
    Form_Load();
}

void Form1::label_bas_DblClick() {
    Module1::quitte_logiciel();
}

void Form1::Command1_Click() {
    platform::show_modal("w_prog");
    Form_Load();
}

void Form1::Command2_Click() {
    platform::end_program();
}

void Form1::Command3_Click() {
    num_page = 0;
    Form_Load();
}

void Form1::Command4_Click() {
    platform::show_modal("clavv");
}
void Form1::Command5_Click() {
    platform::show_modal("eta_com");
}
void Form1::Command6_Click() {
    platform::show_modal("menufor");
}

void Form1::Command7_Click() {
    ligne_travail = menu_exemple();
    platform::show_modal("sai_menu");
}

void Form1::quitte_programme() {
    platform::end_program();
}
