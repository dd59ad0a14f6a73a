#include "order/sai_menu.h"

#include <algorithm>
#include <cmath>

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/complement_grid.h"
#include "order/sel_arti.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {
constexpr int lignes_par_grille = 8;
}

sai_menu& sai_menu::instance() {
    static sai_menu* f = new sai_menu;
    return *f;
}

void sai_menu::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "", [this] { label_bas_dbl_click(); });
    for (const char* nom : {"Label1", "Label2"}) {
        auto* l = add<platform::label>(nom);
        l->set_font_name("Arial");
        l->set_font_size(18);
        l->set_alignment(2);
        l->set_back_color(platform::rgb(255, 224, 192));
    }
    for (int i = 0; i < 2; ++i) {
        auto* g = add<platform::grid>("g1", i);
        g->set_rows(lignes_par_grille);
        g->set_cols(1);
        g->set_fixed_rows(0);
        g->set_fixed_cols(0);
        g->set_top_row(0);
        g->set_font_name("Arial");
        g->on_cell_click = [this, i](int r, int) { g1_click(i, r); };
    }
    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };
}

void sai_menu::decode_men() {
    menu_ = menu_compose::decode(ligne_menu);
}

void sai_menu::form_load() {
    ligne_menu = ligne_travail;
    decode_men();
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.01", cp("Menu composé"));
    Module1::cale_fenetre(*this);
    const double taille = static_cast<double>(parametres::lit_entier(enreg_taille, "#I#20"));
    const double largeur = largeur_ecran * 15.0, hauteur = hauteur_ecran * 15.0;

    auto* designation = get<platform::label>("Label1");
    auto* titre = get<platform::label>("Label2");
    designation->move(200, 500, largeur - 400, 645);
    titre->move(200, 1400, largeur - 400, 645);
    for (auto* l : {designation, titre}) l->setAlignment(Qt::AlignCenter);

    const double largeur_grille = (largeur - 600) / 2;
    auto* gauche = get<platform::grid>("g1", 0);
    for (int i = 0; i < 2; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->move(i == 0 ? 200 : largeur_grille + 400, 3600, largeur_grille, hauteur - 6000);
        g->set_row_height_min(std::floor((hauteur - 6000) / lignes_par_grille));
        g->set_col_width(0, largeur_grille);
        g->set_col_alignment(0, platform::align::center_center);
        g->set_font_size(taille);
    }
    // Eight rows show exactly, in whole pixels, and a large font never pushes
    // them down over the bar.
    const double place = (hauteur - 1940 - 100 - 3600) / lignes_par_grille;
    const double ligne = std::floor(std::min(gauche->row_height(0), place) / platform::twips_per_pixel) *
                         platform::twips_per_pixel;
    for (int i = 0; i < 2; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->set_row_height_min(ligne);
        for (int r = 0; r < lignes_par_grille; ++r) g->set_row_height(r, ligne);
        g->set_height(lignes_par_grille * ligne);
    }

    designation->set_caption(menu_compose::designation(ligne_menu));
    affiche_tableau();

    namespace a = platform::align;
    barre_boutons::pose(*get<platform::grid>("g2"), 1440,
                        {{{21, a::left_center}, {20, a::left_center}, {}, {}, {}, {24, a::right_center}}});
    platform::yield();
}

void sai_menu::affiche_tableau() {
    const int k = std::clamp<int>(num_cours, 0, menu_compose::nb_cours - 1);
    for (int i = 0; i < 2; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->set_redraw(false);
        g->clear();
    }
    get<platform::label>("Label2")->set_caption(menu_.titres_cours[static_cast<std::size_t>(k)]);
    const auto& noms = menu_.noms_plats[static_cast<std::size_t>(k)];
    for (int r = 0; r < lignes_par_grille; ++r) {
        get<platform::grid>("g1", 0)->set_text(r, 0, noms[static_cast<std::size_t>(r)]);
        get<platform::grid>("g1", 1)->set_text(r, 0, noms[static_cast<std::size_t>(r + lignes_par_grille)]);
    }
    for (int i = 0; i < 2; ++i) get<platform::grid>("g1", i)->set_redraw(true);
}

void sai_menu::g1_click(int g, int r) {
    // The chosen dishes live in the line editor's complement list; without
    // the editor loaded there is none to write into.
    platform::grid* complements = sel_arti::instance().g1();
    if (!complements) return;
    auto* grille = get<platform::grid>("g1", g);
    const bool choisi = grille_complements::bascule(*complements, grille->text(r, 0));
    grille->set_cell_picture(r, 0, choisi ? icc::valid() : icc::vide());
    grille->set_cell_picture_alignment(r, 0, platform::align::right_center);
}

void sai_menu::g2_click(int c) {
    switch (c) {
        case 0:
            if (num_cours > 0) --num_cours;
            affiche_tableau();
            break;
        case 1:
            if (num_cours < dernier_cours_montre) ++num_cours;
            affiche_tableau();
            break;
        case 5:
            platform::end_program();
        default:
            break;
    }
}

void sai_menu::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("sai_menu", []() -> platform::form& { return sai_menu::instance(); });
}
