#include "shared/screen_layout.h"

#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/colors.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"

namespace {
// The main window once the load routine has given it the configured size.
// Until then (the screen-format chooser and the folder question of a first
// start) it still has its design size, which says nothing of the display.
QPointer<QWidget>& fenetre_dimensionnee() {
    static QPointer<QWidget> w;
    return w;
}
}  // namespace

namespace Module1 {

void dimensionne_fenetre(platform::form& f) {
    f.set_width(largeur_ecran * 15);
    f.set_height(hauteur_ecran * 15);
    f.set_left(platform::screen_width_twips() / 2 - f.width() / 2);
    f.set_top(0);
    if (f.loaded() && platform::find_form("Form1") == &f) fenetre_dimensionnee() = f.window();
}

surface surface_dialogues() {
    const platform::form* principal = platform::find_form("Form1");
    if (!principal || (principal->loaded() && fenetre_dimensionnee() != principal->window()))
        return {0, 0, platform::screen_width_twips(), platform::screen_height_twips()};
    return {principal->left(), principal->top(), principal->width(), principal->height()};
}

void cale_fenetre(platform::form& f) {
    const surface s = surface_dialogues();
    f.set_left(s.left);
    f.set_top(s.top);
    f.set_width(s.width);
    f.set_height(s.height);
}

double cible_tactile() {
    constexpr double cote_mm = 9, diagonale_pouces = 10.1, mm_par_pouce = 25.4, plancher = 600;
    const double diagonale_px = std::hypot(std::max(0.0, static_cast<double>(largeur_ecran)),
                                           std::max(0.0, static_cast<double>(hauteur_ecran)));
    const double px = std::ceil(cote_mm / mm_par_pouce * diagonale_px / diagonale_pouces);
    return std::max(plancher, px * 15);
}

void dessine_cadre(platform::form& f) {
    const double w = f.width(), h = f.height();
    struct place {
        double l, t, w, h;
    };
    const place places[8] = {{0, 0, -1, -1},
                             {w - 180, 0, -1, -1},
                             {w - 180, h - 180, -1, -1},
                             {0, h - 180, -1, -1},
                             {0, 180, -1, h - 360},
                             {180, 0, w - 360, -1},
                             {w - 180, 180, -1, h - 360},
                             {180, h - 180, w - 360, -1}};
    for (int i = 0; i < 8; ++i) {
        auto* piece = dynamic_cast<platform::picture*>(f.find("ccb", i));
        if (!piece) continue;
        const place& p = places[i];
        piece->set_left(p.l);
        piece->set_top(p.t);
        if (p.w >= 0) piece->set_width(p.w);
        if (p.h >= 0) piece->set_height(p.h);
    }
    for (int i = 0; i < 8; ++i) {
        auto* piece = dynamic_cast<platform::picture*>(f.find("ccb", i));
        if (!piece) continue;
        // The edges (4 to 7) are designed to stretch their picture; the
        // corners show theirs at its own size.
        piece->set_picture(icc::ccbm(i));
        piece->zorder_back();
    }
}

void applique_couleurs(platform::form& f) {
    for (platform::control* c : f.controls()) {
        const long k = txt::round_even(txt::val(c->tag));
        if (k <= 0 || k > 10) continue;
        const auto i = static_cast<std::size_t>(k);
        if (coul_texte[i] == -1) continue;
        if (k <= 7) {
            c->set_back_color(coul_fond[i]);
            c->set_fore_color(coul_texte[i]);
        } else if (k == 8) {
            c->set_fixed_back_color(coul_fond[i]);
            c->set_fixed_fore_color(coul_texte[i]);
        } else {
            c->set_back_color(coul_fond[i]);
            c->set_fill_color(coul_fond[i]);
        }
    }
}

}  // namespace Module1

namespace moduclav {

void cree_bandeaux(platform::form& f, const char* classe, std::function<void()> reinitialise) {
    for (const char* nom : {"label_haut", "label_bas"}) {
        auto* bandeau = f.add<platform::label>(nom);
        bandeau->tag = classe;
        bandeau->set_alignment(2);
        bandeau->set_word_wrap(false);
        bandeau->setAlignment(Qt::AlignCenter);
        bandeau->set_font_size(12);
        bandeau->set_font_bold(true);
        bandeau->set_back_color(platform::rgb(0x1F, 0x3A, 0x5F));
        bandeau->set_fore_color(0xFFFFFF);
    }
    f.find("label_bas")->on_dbl_click = std::move(reinitialise);
}

void place_bandeaux(platform::form& f, const std::string& haut, const std::string& bas) {
    const double largeur = largeur_ecran * 15;
    if (auto* l = dynamic_cast<platform::label*>(f.find("label_haut"))) {
        l->move(0, 0, largeur, 390);
        l->set_caption(haut);
    }
    if (auto* l = dynamic_cast<platform::label*>(f.find("label_bas"))) {
        l->move(0, hauteur_ecran * 15 - 390, largeur, 390);
        l->set_caption(bas);
    }
}

}  // namespace moduclav
