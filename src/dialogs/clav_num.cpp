#include "dialogs/clav_num.h"

#include <cmath>

#include "dialogs/dialog_text.h"
#include "dialogs/keypad_entry.h"
#include "dialogs/program_end.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

clav_num& clav_num::instance() {
    static clav_num* f = new clav_num;
    return *f;
}

namespace {

constexpr double hauteur_barre_boutons = 1035;

// Label5 and its masked twin Label3 share one design.
platform::label* dessine_entree(platform::label* l) {
    l->set_font_name("Arial");
    l->set_font_bold(true);
    l->set_alignment(2);
    l->setAlignment(Qt::AlignCenter);
    l->set_back_color(0xFFFFFF);
    l->set_fore_color(0);
    l->tag = "2";
    return l;
}

}  // namespace

void clav_num::design() {
    move(0, 0, 12000, 9000);
    set_back_color(platform::rgb(0xE8, 0xEC, 0xF0));

    auto* invite = add<platform::label>("Label2");
    invite->set_alignment(2);
    invite->setAlignment(Qt::AlignCenter);
    invite->set_back_style(0);
    invite->set_font_name("Arial");
    invite->set_fore_color(0);  // the same while the keypad is still deaf

    dessine_entree(add<platform::label>("Label5"));
    dessine_entree(add<platform::label>("Label3"))->set_visible(false);

    auto* pave_ = add<platform::grid>("g3");
    pave_->set_rows(pave::rangees);
    pave_->set_cols(pave::colonnes);
    pave_->set_fixed_rows(0);
    pave_->set_fixed_cols(0);
    pave_->set_top_row(0);
    pave_->on_cell_click = [this](int r, int c) { g3_click(r, c); };

    auto* barre = add<platform::grid>("g2");
    barre->set_rows(1);
    barre->set_cols(6);
    barre->set_fixed_rows(0);
    barre->set_fixed_cols(0);
    barre->set_top_row(0);
    barre->set_height(hauteur_barre_boutons);
    barre->set_back_color(0xFFFFFF);
    barre->on_cell_click = [this](int, int c) { g2_click(c); };

    auto* couleurs = add<platform::picture>("Picture1");
    couleurs->set_picture(icc::image("clav_num_keys.png"));
    couleurs->set_visible(false);

    moduclav::cree_bandeaux(*this, "5", [] { Module1::quitte_logiciel(); });

    auto* verrou = add<platform::timer>("Timer1");
    verrou->on_timer = [this] { timer1_timer(); };

    for (const char* nom : {"Label1", "Label6"}) add<platform::label>(nom)->set_visible(false);
}

void clav_num::form_load() {
    // Deaf until the timer: a touch meant for the screen below must not type.
    window()->setEnabled(false);
    saisie_taille = ligne_travail == "#SAISIZE";
    if (ligne_travail == "#CACHE") {
        find("Label3")->set_visible(true);
        find("Label5")->set_visible(false);
    }
    ligne_travail.clear();
    // At a first start the screen-format chooser asks for the resolution
    // before any format is recorded: the keypad then takes the display's size.
    if (largeur_ecran <= 0 || hauteur_ecran <= 0) {
        largeur_ecran = static_cast<std::int16_t>(platform::screen_width_twips() / 15);
        hauteur_ecran = static_cast<std::int16_t>(platform::screen_height_twips() / 15);
    }
    Module1::applique_couleurs(*this);

    const dialogue::texte_separe texte = dialogue::separe(texte_message);
    if (texte.a_valeur) {
        change_entree(texte.valeur);
        texte_message = texte.message;
    }
    get<platform::label>("Label2")->set_caption(texte_message);
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.01", cp("Saisie numérique"));

    const double W = largeur_ecran, H = hauteur_ecran;
    haut_zone = static_cast<std::int32_t>(H * 15 - 2640);
    const double R = haut_zone / 10.0;
    const double C = (W * 15 - 400) / 3;
    Module1::cale_fenetre(*this);
    if (width() <= 0 || height() <= 0) move(0, 0, W * 15, H * 15);

    const auto S = static_cast<double>(parametres::lit_entier(51, "#I#28"));
    auto* pave_ = get<platform::grid>("g3");
    auto* invite = get<platform::label>("Label2");
    auto* entree = get<platform::label>("Label5");
    auto* masquee = get<platform::label>("Label3");
    pave_->set_font_size(S);
    for (auto* l : {invite, masquee, entree}) l->set_font_size(0.75 * S);

    pave_->move(200, 1800, W * 15 - 400, 6 * R);
    for (int r = 0; r < pave::rangees; ++r)
        pave_->set_row_height(r, static_cast<double>(txt::round_even(R * 1.5)));
    for (int c = 0; c < pave::colonnes; ++c) {
        pave_->set_col_width(c, static_cast<double>(txt::round_even(pave_->width() / 3)));
        pave_->set_col_alignment(c, platform::align::center_center);
    }

    invite->move(200, 600, W * 15 - 400, 1200);
    for (auto* l : {masquee, entree}) {
        l->set_height(R - 160);
        l->set_width(C - 100);
        l->set_top(pave_->top() + pave_->height() + 200);
        l->set_left((width() - l->width()) / 2);
    }
    const auto* couleurs = get<platform::picture>("Picture1");
    for (int r = 0; r < pave::rangees; ++r)
        for (int c = 0; c < pave::colonnes; ++c) {
            pave_->set_text(r, c, pave::texte_cellule(saisie_taille, r, c));
            pave_->set_cell_back_color(r, c, couleurs->point(75.0 * r, 75.0 * c));
        }

    auto* barre = get<platform::grid>("g2");
    barre->set_redraw(false);
    barre->set_width(W * 15 - 400);
    barre->set_left(200);
    barre->set_top(H * 15 - barre->height() - 500);
    barre->set_row_height(0, barre->height());
    for (int c = 0; c < 6; ++c) {
        barre->set_col_width(c, static_cast<double>(txt::round_even(barre->width() / 6)));
        barre->set_col_alignment(c, platform::align::center_center);
    }
    barre->set_cell_picture(0, 0, icc::bt_coul(19 + decalage_images));
    barre->set_cell_picture_alignment(0, 0, platform::align::left_center);
    barre->set_cell_picture(0, 5, icc::bt_coul(24 + decalage_images));
    barre->set_cell_picture_alignment(0, 5, platform::align::right_center);
    barre->set_redraw(true);

    get<platform::timer>("Timer1")->set_interval(verrou_ms);
    platform::yield();
}

void clav_num::change_entree(const std::string& s) {
    get<platform::label>("Label5")->set_caption(s);
    get<platform::label>("Label3")->set_caption(pave::masque(s));
}

void clav_num::form_unload() {
    get<platform::timer>("Timer1")->set_interval(0);
}

void clav_num::timer1_timer() {
    if (!loaded()) return;
    get<platform::timer>("Timer1")->set_interval(0);
    window()->setEnabled(true);
}

void clav_num::g3_click(int row, int col) {
    if (!loaded()) return;
    const std::string cellule = get<platform::grid>("g3")->text(row, col);
    if (cellule.empty()) return;
    auto* entree = get<platform::label>("Label5");
    if (saisie_taille) {
        change_entree(cellule);
        entree->set_font_size(txt::val(cellule));  // a preview of the chosen size
        return;
    }
    if (cellule == "C") {
        ligne_travail = entree->caption();
        ligne_travail = pave::apres_touche(false, ligne_travail, cellule);
        change_entree(ligne_travail);
        return;
    }
    change_entree(pave::apres_touche(false, entree->caption(), cellule));
}

void clav_num::g2_click(int col) {
    if (!loaded()) return;
    if (col == 0) change_entree("");
    if (col == 5) {
        texte_message = get<platform::label>("Label5")->caption();
        unload();
    }
}

namespace {
const bool registered =
    platform::register_form("clav_num", []() -> platform::form& { return clav_num::instance(); });
}
