// The home view (logo, title, current server), the function bar shared by
// every view of the main screen, and the hand-over of the order queue.
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "main_screen/form1.h"
#include "main_screen/function_bar.h"
#include "main_screen/network_queue.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/catalogue.h"
#include "shared/globals.h"
#include "shared/icc.h"

namespace {

// A label as wide and high as its caption, centred on the screen at `top`.
void centre_legende(platform::label* l, double largeur_ecran_twips, double top) {
    const QFontMetrics m(l->widget()->font());
    const double w = platform::to_twips(m.horizontalAdvance(cp1252::to_qt(l->caption())) + 24);
    const double h = platform::to_twips(m.height() + 8);
    l->move(largeur_ecran_twips / 2 - w / 2, top, w, h);
}

}  // namespace

void Form1::affiche_menu() {
    const double wf = width(), hf = height();

    auto* iclogo = get<platform::picture>("iclogo");
    iclogo->set_picture(icc::iclogo());
    iclogo->move(wf / 2 - iclogo->width() / 2, 1500);
    iclogo->set_visible(true);

    auto* logo = get<platform::picture>("logo");
    const double cote = std::min(wf - 2000, hf / 2);
    logo->move(wf / 2 - cote / 2, 2000, cote, cote);
    logo->set_picture(icc::logo());
    logo->set_visible(true);

    auto* logil = get<platform::label>("logil");
    logil->set_font_size(48);
    centre_legende(logil, wf, logo->top() + logo->height() / 1.5);
    logil->set_visible(true);

    auto* logoserv = get<platform::label>("logoserv");
    logoserv->set_font_size(48);
    logoserv->set_caption(nom_serveur);
    centre_legende(logoserv, wf, logo->top() + logo->height() / 3);
    logoserv->set_visible(true);

    raz_touches();

    dessine_barre_accueil(transmet_file());

    platform::yield();
}

bool Form1::transmet_file() {
    const bool joignable = atdend_res::teste_reseau();
    // A server that stops answering part-way leaves the rest queued and the
    // screen free; the count a late hand-over leaves is drawn when it returns.
    if (joignable) dossier_reseau::transmet(&Form1::fin_transmission_tardive);
    return joignable;
}

void Form1::dessine_barre_accueil(bool joignable) {
    auto* file1 = get<platform::file_list>("File1");
    file1->refresh();
    // Orders still waiting after a hand-over the folder answered for (a full
    // disk, a read-only folder, another order under the same name) are shown
    // as when the folder cannot be reached: the online picture alone would
    // tell the waiter that they left.
    const bool file_vide = file1->list_count() == 0;
    init_g2(barre_fonctions::images_accueil(joignable && file_vide), barre_fonctions::codes_accueil, "0");
    if (!joignable || !file_vide) {
        auto* g2 = get<platform::grid>("g2");
        g2->set_text(0, 4, txt::format(file1->list_count(), "0"));
        g2->set_cell_alignment(0, 4, platform::align::center_center);
        g2->set_cell_font_size(0, 4, 48);
        g2->set_cell_font_bold(0, 4, true);
    }
    barre_accueil_ = true;
}

void Form1::fin_transmission_tardive() {
    // Only the home bar shows the count; a key screen's bar stays as it is,
    // and the next drawing of the home view counts again.
    Form1& f = instance();
    if (!f.loaded() || !f.barre_accueil_) return;
    f.dessine_barre_accueil(true);
}

void Form1::efface_menu() {
    for (const char* nom : {"iclogo", "logo", "logil", "logoserv"})
        if (auto* c = find(nom)) c->set_visible(false);
    platform::yield();
}

void Form1::init_g2(const std::string& images, const std::string& codes, const std::string&) {
    barre_accueil_ = false;
    auto* g2 = get<platform::grid>("g2");
    g2->set_redraw(false);
    g2->clear();
    const double largeur = largeur_ecran * 15.0 - 400;
    g2->move(200, hauteur_ecran * 15.0 - g2->height() - 500, largeur, g2->height());
    codes_barre_.fill(std::string());
    g2->set_row(0);

    const barre_fonctions::barre b = barre_fonctions::analyse(images, codes, decalage_images);
    for (int i = 0; i < barre_fonctions::cellules; ++i) {
        g2->set_col_width(i, static_cast<double>(txt::round_even(largeur / 6)));
        g2->set_col_alignment(i, platform::align::center_center);
        const int image = b.images[static_cast<std::size_t>(i)];
        if (image >= 0) {
            g2->set_cell_picture(0, i, icc::bt_coul(image));
            g2->set_cell_picture_alignment(0, i,
                                           i == 0   ? platform::align::left_center
                                           : i == 5 ? platform::align::right_center
                                                    : platform::align::center_center);
        }
        codes_barre_[static_cast<std::size_t>(i)] = b.codes[static_cast<std::size_t>(i)];
    }

    g2->set_redraw(true);
    g2->zorder_front();
}

void Form1::g2_Click() {
    auto* g2 = get<platform::grid>("g2");
    const int col = g2->mouse_col();
    const std::string code = col >= 0 && col < static_cast<int>(codes_barre_.size())
                                 ? codes_barre_[static_cast<std::size_t>(col)]
                                 : "";
    if (code == "#ENVO#") {
        code_force.clear();
        Form_Load();
        return;
    }
    code_force = code;
    btx_Click(0);
}
