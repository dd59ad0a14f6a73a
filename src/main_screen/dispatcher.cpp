// The touch dispatcher: every key and bar cell carries a code, a six-character
// tag and its parameter; the dispatcher runs it, then redraws the main screen
// once an order has been sent so that its file is handed over at once.
#include <algorithm>
#include <cmath>
#include <limits>

#include "main_screen/form1.h"
#include "main_screen/provisional_order.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"

namespace {

// Page counters and numbers read from codes live in 16-bit globals: a value
// outside their range is held at its end instead of wrapping.
std::int16_t en_16_bits(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min(),
                     hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(txt::round_even(std::clamp(v, lo, hi)));
}

std::int16_t suivante(std::int16_t page) {
    return en_16_bits(page + 1.0);
}
std::int16_t precedente(std::int16_t page) {
    return page > 0 ? static_cast<std::int16_t>(page - 1) : 0;
}

}  // namespace

void Form1::btx_Click(int index) {
    if (!code_force.empty()) {
        code_courant_ = code_force;
        code_force.clear();
    } else {
        code_courant_ = index >= 0 && index < static_cast<int>(codes_touches.size())
                            ? codes_touches[static_cast<std::size_t>(index)]
                            : std::string();
    }
    const std::string tag = txt::pad(code_courant_, 6);
    const std::string parametre = txt::mid(code_courant_, 7);

    if (tag == "#FONC#") {
        appel_fonctions(txt::trim(parametre));
    } else if (tag == "#PAGE#") {
        num_page = en_16_bits(txt::val(parametre));
        Form_Load();
    } else if (tag == "#MENU#") {
        demande_table();
        page_liste = 0;
        num_page = 0;
        affiche_menu();
    } else if (tag == "#LFAM#") {
        demande_table();
        page_liste = 0;
        affiche_familles();
    } else if (tag == "#SUIF#") {
        page_liste = suivante(page_liste);
        affiche_familles();
    } else if (tag == "#RETF#") {
        page_liste = precedente(page_liste);
        affiche_familles();
    } else if (tag == "#SUIS#") {
        page_liste = suivante(page_liste);
        affiche_serveurs();
    } else if (tag == "#RETS#") {
        page_liste = precedente(page_liste);
        affiche_serveurs();
    } else if (tag == "#FAMI#") {
        demande_table();
        page_liste = 0;
        num_famille = en_16_bits(txt::val(txt::mid(code_courant_, 7, 2)));
        affiche_articles();
    } else if (tag == "#TOUC#") {
    } else if (tag == "#SUIT#") {
        page_liste = suivante(page_liste);
        affiche_articles();
    } else if (tag == "#RETO#") {
        page_liste = precedente(page_liste);
        affiche_articles();
    } else if (tag == "#SERV#") {
        page_liste = 0;
        const double n = txt::val(parametre);
        num_serveur = en_16_bits(n);
        if (num_serveur < 0 || num_serveur > nb_max_serveurs ||
            txt::trim(serveurs[static_cast<std::size_t>(num_serveur)]).empty())
            num_serveur = 1;
        nom_serveur = serveurs[static_cast<std::size_t>(num_serveur)];
        affiche_menu();
    } else if (tag == "#AJOU#") {
        const std::string article = parametre;
        // A blank reference is a blank key: nothing at all happens.
        if (txt::trim(txt::left(article, 15)).empty()) return;
        if (!txt::starts_with(article, "#SG#")) {
            ligne_travail = article;
            if (txt::instr(article, "FA2:98") > 0) {
                // A composed menu: its composer keeps what it needs; no order line results.
                platform::show_modal("menufor");
                return;
            }
            ajoute_article();
        } else {
            page_liste = 0;
            num_famille = en_16_bits(30 + txt::val(txt::mid(article, 5, 4)));
            affiche_articles();
        }
    } else if (tag == "#OUTI#") {
        platform::show_modal("ch_outils");
        Form_Load();
    }

    if (commande_envoyee) {
        commande_envoyee = false;
        Form_Load();
    }
}

void Form1::ajoute_article() {
    // A full order takes no more lines: the waiter learns it before setting
    // up a line that could not be kept. Every key that adds an article
    // (family, sub-group and programmed pages alike) comes through here.
    if (nb_lignes >= nb_max_lignes) {
        type_message = 0;
        texte_message = cp("La commande contient déjà ") + txt::format(nb_max_lignes, "0") +
                        cp(" lignes, envoyez-la d'abord !");
        platform::show_modal("mini_97");
        return;
    }
    platform::show_modal("sel_arti");
    // The returned line joins the order before pending events run: a touch
    // made while the editor's window goes opens the editor again over
    // ligne_travail, and a send touched then must find the order whole.
    // That touch's own line comes after this one.
    // An order holds at most 1000 lines (checked above before the editor
    // opened).
    if (!txt::trim(ligne_travail).empty() && nb_lignes < nb_max_lignes) {
        ++nb_lignes;
        lignes_commande[static_cast<std::size_t>(nb_lignes)] = ligne_travail;
    }
    platform::yield();
}

void Form1::demande_table() {
    if (!txt::trim(table_couverts).empty()) return;
    const std::string garde = code_courant_;
    platform::show_modal("ch_numtab");
    code_courant_ = garde;
}

void Form1::appel_fonctions(const std::string& nom) {
    if (nom == "FIN") {
        fin();
    } else if (nom == "GRILLE") {
        platform::show_modal("w_prog");
        Form_Load();
    } else if (nom == "TABLE") {
        platform::show_modal("ch_numtab");
        Form_Load();
    } else if (nom == "SERVEUR") {
        page_liste = 0;
        affiche_serveurs();
    } else if (nom == "NOTE") {
        platform::show_modal("eta_com");
    }
}

void Form1::fin() {
    const int en_attente = get<platform::file_list>("File1")->list_count();
    if (en_attente >= 1) {
        type_message = 4;
        texte_message = "Attention, vous avez " + txt::format(en_attente, "0") +
                        " Commande(s) en attente, Envoyer maintenant ?";
        platform::show_modal("mini_97");
        if (type_message == 6) {
            code_force.clear();
            Form_Load();
            return;
        }
    }
    type_message = 4;
    texte_message = "Confirmez la fermeture de Velmorin ?";
    platform::show_modal("mini_97");
    if (type_message == 6) {
        ecrit_donnees();
        platform::end_program();
    }
}

void Form1::ecrit_donnees() {
    commande_provisoire::ecrit();
}
