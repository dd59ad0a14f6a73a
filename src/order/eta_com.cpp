#include "order/eta_com.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/order_file.h"
#include "order/order_line.h"
#include "order/table_couverts.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/globals.h"
#include "shared/network_folder.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {

constexpr int col_nb = 0, col_libelle = 1, col_index = 4;
constexpr int pas_page = 10;

// Height in twips of one line of text in a label's font.
double hauteur_ligne(const platform::label& l) {
    return QFontMetrics(l.font()).height() * 15.0;
}

// The highest first row that still shows the grid's last row at the bottom.
int derniere_position(const platform::grid& g) {
    double place = g.height();
    for (int r = 0; r < g.fixed_rows(); ++r) place -= g.row_height(r);
    int t = g.rows() - 1;
    for (double pris = g.row_height(t); t > g.fixed_rows() && pris + g.row_height(t - 1) <= place; --t)
        pris += g.row_height(t - 1);
    return t;
}

}  // namespace

eta_com& eta_com::instance() {
    static eta_com* f = new eta_com;
    return *f;
}

void eta_com::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "5", [this] { label_bas_dbl_click(); });
    find("label_haut")->set_visible(false);

    auto* cadre = add<platform::label>("Shape1");
    cadre->set_back_style(0);
    cadre->setFrameStyle(QFrame::Box | QFrame::Plain);
    cadre->setLineWidth(2);

    auto* recap = add<platform::grid>("g1");
    recap->tag = "8";
    recap->set_rows(lignes_grille + 1);
    recap->set_cols(5);
    recap->set_fixed_rows(1);
    recap->set_fixed_cols(0);
    recap->set_font_name("Arial");
    recap->on_cell_click = [this](int r, int) { g1_click(r); };

    auto* entete = add<platform::grid>("g7");
    entete->set_rows(2);
    entete->set_cols(6);
    entete->set_fixed_rows(0);
    entete->set_fixed_cols(0);
    entete->set_top_row(0);
    entete->set_font_name("Arial");
    entete->set_font_size(12);
    entete->set_grid_lines(false);

    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };

    for (const char* nom : {"Label1", "Label2"}) {
        auto* mesure = add<platform::label>(nom);
        mesure->set_font_name("Arial");
        mesure->set_visible(false);
    }
}

void eta_com::form_load() {
    Module1::applique_couleurs(*this);
    moduclav::place_bandeaux(*this, "", cp("Récapitulatif"));
    Module1::cale_fenetre(*this);
    const double largeur = largeur_ecran * 15.0, hauteur = hauteur_ecran * 15.0;

    namespace a = platform::align;
    auto* barre = get<platform::grid>("g2");
    barre_boutons::pose(*barre, 1440,
                        {{{17, a::left_center},
                          {18, a::left_center},
                          {},
                          {23, a::center_center},
                          {},
                          {12, a::right_center}}});

    auto* recap = get<platform::grid>("g1");
    recap->set_redraw(false);
    const double f = static_cast<double>(parametres::lit_entier(enreg_taille, "#I#20"));
    recap->set_font_size(f);
    auto* mesure_ligne = get<platform::label>("Label1");
    auto* mesure_complement = get<platform::label>("Label2");
    mesure_ligne->set_font_size(f);
    mesure_complement->set_font_size(0.8 * f);
    recap->clear();
    recap->move(200, 200, largeur - 400, hauteur - 1440 - 2000);
    recap->set_row_height_min(500);
    recap->set_text(0, col_nb, "Nb");
    recap->set_text(0, col_libelle, cp("Libellé"));
    recap->set_col_width(col_nb, std::floor(recap->width() * 0.15));
    recap->set_col_width(col_libelle, recap->width() - 280 - recap->col_width(col_nb));
    recap->set_col_alignment(col_nb, a::center_center);
    recap->set_col_alignment(col_libelle, a::left_center);
    recap->set_fixed_alignment(col_nb, a::center_center);
    recap->set_fixed_alignment(col_libelle, a::center_center);

    auto* entete = get<platform::grid>("g7");
    entete->move(500, barre->top() - 900, largeur - 1000, 700);
    entete->set_row_height(0, 700);
    for (int c = 0; c < 6; ++c) entete->set_col_width(c, std::floor(entete->width() / 6));
    get<platform::label>("Shape1")->move(200, entete->top() - 100, entete->width() + 600,
                                         entete->height() + 200);

    // One row per line and one per complement; an order that needs more rows
    // than the grid has is shown whole.
    std::vector<std::vector<std::string>> complements(static_cast<std::size_t>(std::max<int>(0, nb_lignes)) +
                                                      1);
    int necessaires = 0;
    for (int i = 1; i <= nb_lignes; ++i) {
        complements[static_cast<std::size_t>(i)] = ligne_commande::complements(lignes_commande[i], true);
        necessaires += 1 + static_cast<int>(complements[static_cast<std::size_t>(i)].size());
    }
    recap->set_rows(std::max(lignes_grille, necessaires) + 1);
    for (int r = 1; r < recap->rows(); ++r) {
        recap->set_row_height(r, 500);
        recap->set_cell_font_size(r, col_libelle, 0);
        recap->set_cell_font_italic(r, col_libelle, false);
    }

    const double haut_ligne = hauteur_ligne(*mesure_ligne) + 30;
    const double haut_complement = hauteur_ligne(*mesure_complement) + 30;
    int r = 0;
    double total = 0;
    for (int i = 1; i <= nb_lignes; ++i) {
        const std::string& l = lignes_commande[i];
        ++r;
        recap->set_row_height(r, std::max(500.0, haut_ligne));
        recap->set_text(r, col_libelle, ligne_commande::designation(l));
        if (const auto q = ligne_commande::quantite_lue(l)) recap->set_text(r, col_nb, txt::format(*q, "0"));
        total += txt::val(recap->text(r, col_nb));
        recap->set_text(r, col_index, txt::str(i));
        for (const auto& c : complements[static_cast<std::size_t>(i)]) {
            ++r;
            recap->set_row_height(r, std::max(500.0, haut_complement));
            recap->set_text(r, col_libelle, "   " + c);
            recap->set_cell_font_size(r, col_libelle, 14);
            recap->set_cell_font_italic(r, col_libelle, true);
            recap->set_text(r, col_index, txt::str(i));
        }
    }

    entete->set_redraw(false);
    const struct {
        const char* titre;
        long valeur;
    } cases[] = {{"N° Table", tables::numero_table(table_couverts)},
                 {"Couverts", tables::nb_couverts(table_couverts)},
                 {"Nb Lignes", txt::round_even(total)}};
    for (int k = 0; k < 3; ++k) {
        entete->set_text(0, 2 * k, cp(cases[k].titre));
        entete->set_cell_alignment(0, 2 * k, a::left_center);
        entete->set_text(0, 2 * k + 1, txt::format(cases[k].valeur, "0"));
        entete->set_cell_alignment(0, 2 * k + 1, a::center_center);
        entete->set_cell_fore_color(0, 2 * k + 1, platform::rgb(128, 0, 0));
        entete->set_cell_font_bold(0, 2 * k + 1, true);
        entete->set_cell_font_size(0, 2 * k + 1, 1.4 * f);
    }
    entete->set_redraw(true);

    recap->set_redraw(true);
    platform::yield();
}

void eta_com::g1_click(int r) {
    if (r < 1) return;
    const int i = static_cast<int>(txt::val(get<platform::grid>("g1")->text(r, col_index)));
    if (i < 1 || i > nb_lignes) return;
    ligne_travail = lignes_commande[i];
    platform::show_modal("sel_arti");
    // The order is whole again (the line stored, a deleted one gone) before
    // pending events run: a send touched while the editor's window goes
    // must never write a deleted line as an empty reference.
    if (i <= nb_lignes) lignes_commande[i] = ligne_travail;
    int gardees = 0;
    for (int k = 1; k <= nb_lignes; ++k)
        if (!txt::trim(lignes_commande[k]).empty()) lignes_commande[++gardees] = lignes_commande[k];
    nb_lignes = static_cast<std::int16_t>(gardees);
    // Redrawn before pending events run (the redraw lets them run at its
    // end): a row touched while the editor's window goes must open the line
    // that row shows, not the one that took its place in the order.
    if (loaded()) form_load();
}

void eta_com::g2_click(int c) {
    auto* recap = get<platform::grid>("g1");
    switch (c) {
        case 0:
            recap->set_top_row(std::min(recap->top_row() + pas_page, derniere_position(*recap)));
            break;
        case 1:
            recap->set_top_row(recap->top_row() > pas_page ? recap->top_row() - pas_page : 1);
            break;
        case 3:
            envoi();
            break;
        case 5:
            unload();
            break;
        default:
            break;
    }
}

void eta_com::envoi() {
    if (tables::numero_table(table_couverts) == 0 || tables::nb_couverts(table_couverts) == 0) {
        type_message = 0;
        texte_message = cp("Vous devez préciser un N° de table et un Nb de couverts !");
        platform::show_modal("mini_97");
        return;
    }
    type_message = 4;
    texte_message = "Confimez l'envoi de la commande au serveur ?";
    platform::show_modal("mini_97");
    if (type_message != 6 || !loaded()) return;
    if (!envoi_commande()) {
        type_message = 0;
        texte_message =
            cp("La commande n'a pas pu être écrite : elle n'est pas envoyée et reste en cours, "
               "renvoyez-la !");
        platform::show_modal("mini_97");
        return;
    }
    type_message = 225;
    texte_message = cp("La commande à été envoyée !");
    platform::show_modal("mini_97");
    commande_envoyee = true;
    unload();
}

bool eta_com::envoi_commande() {
    fichier_commande::commande c;
    c.id_tablette = txt::left(parametres::lit(enreg_identification), 10);
    c.num_serveur = num_serveur;
    c.table_couverts = table_couverts;
    c.lignes.assign(lignes_commande.begin() + 1, lignes_commande.begin() + 1 + std::max<int>(0, nb_lignes));
    std::error_code ec;
    const auto dossier = std::filesystem::current_path(ec);
    // An order of the same second may wait for the router in the network
    // folder: this one must not take its name there.
    if (ec || !fichier_commande::ecrit(dossier, c, platform::now(), dossier_reseau::noms_pris()))
        return false;
    table_couverts.clear();
    for (auto& l : lignes_commande) l.clear();
    nb_lignes = 0;
    unload();
    return true;
}

void eta_com::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("eta_com", []() -> platform::form& { return eta_com::instance(); });
}
