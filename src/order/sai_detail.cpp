#include "order/sai_detail.h"

#include <algorithm>
#include <cmath>

#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "order/complement_grid.h"
#include "order/sel_arti.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/record_files.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

sai_detail& sai_detail::instance() {
    static sai_detail* f = new sai_detail;
    return *f;
}

void sai_detail::design() {
    move(0, 0, 12000, 9000);
    set_back_color(0xFFFFFF);
    moduclav::cree_bandeaux(*this, "", [this] { label_bas_dbl_click(); });
    for (int i = 0; i < nb_grilles; ++i) {
        auto* g = add<platform::grid>("g1", i);
        g->set_rows(details_par_liste);
        g->set_cols(1);
        g->set_fixed_rows(0);
        g->set_fixed_cols(0);
        g->set_top_row(0);
        g->on_cell_click = [this, i](int r, int) { g1_click(i, r); };
    }
    add<platform::grid>("g2")->on_cell_click = [this](int, int c) { g2_click(c); };
}

void sai_detail::form_load() {
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.01", cp("Saisie d'un détail"));
    Module1::cale_fenetre(*this);
    const auto taille = static_cast<double>(parametres::lit_entier(enreg_taille, "#I#20"));

    const double hauteur = hauteur_ecran * 15.0;
    const double largeur_grille = (width() - 600) / 2;
    for (int i = 0; i < nb_grilles; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->move(i == 0 ? 200 : largeur_grille + 400, 600, largeur_grille, hauteur - 2700);
        g->set_row_height_min(std::floor((hauteur - 2700) / details_par_liste));
        g->set_col_width(0, largeur_grille);
        g->set_col_alignment(0, platform::align::center_center);
        g->set_font_size(taille);
    }
    // Fifteen rows fill each grid exactly, in whole pixels so that rounding
    // cannot push the last one out, and never taller than the room above the
    // bar: a large font must not hide the paging bar.
    const double place = std::floor((hauteur - 2700) / details_par_liste);
    const double ligne =
        std::floor(std::min(get<platform::grid>("g1", 0)->row_height(0), place) / platform::twips_per_pixel) *
        platform::twips_per_pixel;
    for (int i = 0; i < nb_grilles; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->set_row_height_min(ligne);
        for (int j = 0; j < details_par_liste; ++j) g->set_row_height(j, ligne);
        g->set_height(details_par_liste * ligne);
    }

    Module1::init_styles();
    affiche_tableau();

    namespace a = platform::align;
    barre_boutons::pose(*get<platform::grid>("g2"), 1440,
                        {{{21, a::left_center}, {20, a::left_center}, {}, {}, {}, {24, a::right_center}}});
    platform::yield();
}

void sai_detail::affiche_tableau() {
    auto& fichier = styles::fichier();
    for (int i = 0; i < nb_grilles; ++i) {
        auto* g = get<platform::grid>("g1", i);
        g->set_redraw(false);
        g->clear();
        for (int j = 0; j < details_par_liste; ++j) {
            const long n = enregistrement(page_detail, i, j);
            // A record past the end of a short file is a blank slot, not
            // whatever its bytes would decode to.
            styles::detail d;
            if (fichier.exists(n)) {
                enreg_style = fichier.read(n);
                d = styles::decode(enreg_style);
            }
            g->set_text(j, 0, txt::trim(d.label));
            g->set_cell_fore_color(j, 0, d.texte);
            g->set_cell_back_color(j, 0, d.fond);
        }
        g->set_redraw(true);
    }
    recherche_detail();
}

void sai_detail::recherche_detail() {
    for (int i = 0; i < nb_grilles; ++i) get<platform::grid>("g1", i)->set_redraw(false);
    const platform::grid* complements = sel_arti::instance().g1();
    liste_complements = complements ? grille_complements::liste(*complements) : std::string();
    for (int i = 0; i < nb_grilles; ++i) {
        auto* g = get<platform::grid>("g1", i);
        for (int j = 0; j < details_par_liste; ++j) {
            const std::string t = txt::trim(g->text(j, 0));
            // Ticked exactly when a touch would remove it.
            const bool present = complements && grille_complements::contient(*complements, t);
            g->set_cell_picture(j, 0, present ? icc::valid() : icc::vide());
            g->set_cell_picture_alignment(j, 0, platform::align::right_center);
        }
    }
    for (int i = 0; i < nb_grilles; ++i) get<platform::grid>("g1", i)->set_redraw(true);
}

void sai_detail::g1_click(int i, int r) {
    platform::grid* complements = sel_arti::instance().g1();
    if (!complements) return;
    ligne_travail = txt::trim(get<platform::grid>("g1", i)->text(r, 0));
    grille_complements::bascule(*complements, ligne_travail);
    recherche_detail();
}

void sai_detail::g2_click(int c) {
    switch (c) {
        case 0:
            page_detail = static_cast<std::int16_t>(std::max(0, page_detail - 2));
            affiche_tableau();
            break;
        case 1:
            page_detail = static_cast<std::int16_t>(std::min(derniere_page, page_detail + 2));
            affiche_tableau();
            break;
        case 5:
            unload();
            break;
        default:
            break;
    }
}

void sai_detail::label_bas_dbl_click() {
    Module1::quitte_logiciel();
}

namespace {
const bool registered =
    platform::register_form("sai_detail", []() -> platform::form& { return sai_detail::instance(); });
}
