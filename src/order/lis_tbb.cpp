#include "order/lis_tbb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/table_couverts.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {
// A count of 0 or less cannot lay out a grid: the default stands instead.
std::int32_t compte(long enreg, const char* defaut, std::int32_t valeur_defaut) {
    const long v = parametres::lit_entier(enreg, defaut);
    return v > 0 ? static_cast<std::int32_t>(std::min<long>(v, 1000)) : valeur_defaut;
}
}  // namespace

lis_tbb& lis_tbb::instance() {
    static lis_tbb* f = new lis_tbb;
    return *f;
}

void lis_tbb::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "5", [this] { label_bas_dbl_click(); });

    auto* message = add<platform::label>("Label2");
    message->set_alignment(2);
    message->set_back_style(0);
    auto* parametre = add<platform::label>("Label5");
    parametre->tag = "2";
    parametre->move(200, 600, 1200, 400);
    parametre->set_back_style(0);
    parametre->set_visible(false);

    auto* tables = add<platform::grid>("g3");
    tables->set_fixed_rows(0);
    tables->set_fixed_cols(0);
    tables->set_top_row(0);
    tables->set_font_bold(true);
    tables->on_cell_click = [this](int r, int c) { g3_click(r, c); };

    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };
}

void lis_tbb::form_load() {
    Module1::applique_couleurs(*this);
    auto* message = get<platform::label>("Label2");
    auto* parametre = get<platform::label>("Label5");
    const long barre = txt::instr(texte_message, "|");
    if (barre > 0) {
        parametre->set_caption(txt::mid(texte_message, barre + 1));
        texte_message = txt::left(texte_message, barre - 1);
    }
    message->set_caption(texte_message);
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.01", "Liste des Tables");
    haut_zone = hauteur_ecran * 15 - 2640;
    Module1::cale_fenetre(*this);

    // The size is a 16-bit integer: a value it cannot hold counts as absent.
    constexpr long plus_grand = std::numeric_limits<std::int16_t>::max();
    const long taille = parametres::lit_entier(enreg_taille, "#I#36");
    const auto s = static_cast<std::int16_t>(std::abs(taille) <= plus_grand ? taille : 36);
    nb_col_tables = compte(enreg_colonnes, "#I#3", 3);
    nb_lig_tables = compte(enreg_lignes, "#I#8", 8);

    const double largeur = largeur_ecran * 15.0 - 400;
    message->move(200, 600, largeur, 1200);
    message->set_font_size(0.75 * s);
    auto* tables = get<platform::grid>("g3");
    tables->set_redraw(false);
    tables->move(200, 600, largeur, hauteur_ecran * 15.0 - 2600);
    tables->set_font_size(s);
    tables->set_cols(nb_col_tables);
    tables->set_row_height_min(std::floor(tables->height() / nb_lig_tables));
    for (int c = 0; c < nb_col_tables; ++c) {
        tables->set_col_width(c, std::floor(tables->width() / nb_col_tables));
        tables->set_col_alignment(c, platform::align::center_center);
    }
    remplit_grille();
    // Exactly R rows to a page, whatever the font: paging moves R rows at a time.
    for (int r = 0; r < tables->rows(); ++r)
        tables->set_row_height(r, std::floor(tables->height() / nb_lig_tables));
    tables->set_redraw(true);

    namespace a = platform::align;
    barre_boutons::pose(*get<platform::grid>("g2"), 1440,
                        {{{17, a::left_center}, {18, a::center_center}, {}, {}, {}, {24, a::right_center}}});
    platform::yield();
}

void lis_tbb::remplit_grille() {
    auto* tables = get<platform::grid>("g3");
    const auto entrees = tables::entrees_plan(liste_tables);
    // Every table of the plan is shown, however many there are.
    const auto lignes = static_cast<int>((entrees.size() + nb_col_tables - 1) / nb_col_tables);
    tables->set_rows(std::max(lignes_grille, lignes));
    for (std::size_t i = 0; i < entrees.size(); ++i)
        tables->set_text(static_cast<int>(i / nb_col_tables), static_cast<int>(i % nb_col_tables),
                         entrees[i]);
    const std::string plan = txt::mid(liste_tables, 4);
    const auto derniere = plan.rfind('|');
    ligne_travail = derniere == std::string::npos ? plan : plan.substr(derniere + 1);
}

void lis_tbb::g3_click(int r, int c) {
    const std::string t = get<platform::grid>("g3")->text(r, c);
    if (t.empty()) return;
    texte_message = t;
    unload();
}

void lis_tbb::g2_click(int c) {
    auto* tables = get<platform::grid>("g3");
    const int premiere = tables->top_row();
    switch (c) {
        case 0:
            if (premiere < tables->rows() - nb_lig_tables) tables->set_top_row(premiere + nb_lig_tables);
            break;
        case 1:
            tables->set_top_row(premiere > nb_lig_tables ? premiere - nb_lig_tables : 0);
            break;
        case 5:
            texte_message.clear();
            unload();
            break;
        default:
            break;
    }
}

void lis_tbb::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("lis_tbb", []() -> platform::form& { return lis_tbb::instance(); });
}
