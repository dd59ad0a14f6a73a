// The key screens of the main screen: pages of touch keys (a coloured key
// picture btt(i) under its caption btx(i), whose touch dispatches code i),
// and the page of programmed keys.
#include "main_screen/form1.h"
#include "main_screen/programmed_keys.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"

namespace {
constexpr const char* notice_programmee = "Velmorin - page de touches programmées";
constexpr double retrait = 60;  // the caption's inset inside its key picture
}  // namespace

void Form1::affiche_serveurs() {
    dessine_page(ecran_touches::genre::serveurs);
}
void Form1::affiche_familles() {
    dessine_page(ecran_touches::genre::familles);
}
void Form1::affiche_articles() {
    dessine_page(ecran_touches::genre::articles);
}

void Form1::raz_touches() {
    codes_touches.fill(std::string());
    // Unloaded elements are only hidden and kept: the key being touched
    // may be among them while its own touch is handled.
    for (int i = ecran_touches::touches_max; i >= 1; --i) unload_element("btt", i);
    for (int i = ecran_touches::touches_max; i >= 1; --i) unload_element("btx", i);
}

void Form1::dessine_page(ecran_touches::genre g) {
    efface_menu();
    if (g == ecran_touches::genre::articles)
        get<platform::label>("Label_num")->set_caption(txt::format(num_page, "0"));

    const ecran_touches::reglages r = ecran_touches::lit_reglages(g);
    const ecran_touches::page p = ecran_touches::calcule(g, r, page_liste, num_famille);
    moduclav::place_bandeaux(*this, p.haut, p.bas);
    raz_touches();

    for (const ecran_touches::touche& t : p.touches) {
        codes_touches[static_cast<std::size_t>(t.index)] = t.code;

        auto* image = load_element<platform::picture>("btt", t.index);
        auto* legende = load_element<platform::label>("btx", t.index);
        image->move(t.left, t.top, t.width, t.height);
        image->set_picture(icc::bt_coul(t.couleur));
        image->set_visible(true);
        image->zorder_front();

        legende->move(t.left + retrait, t.top + retrait, t.width - 2 * retrait, t.height - 2 * retrait);
        legende->set_font_size(r.taille_police);
        legende->set_caption(t.libelle);
        const int i = t.index;
        legende->on_click = [this, i] { btx_Click(i); };
        legende->set_visible(true);
        legende->zorder_front();
    }

    init_g2(p.images_barre, p.codes_barre, "0");
}

void Form1::dessine_touches() {
    get<platform::label>("Label_num")->set_caption(txt::format(num_page, "0"));
    moduclav::place_bandeaux(*this, "Win_Velmorin 2.00", notice_programmee);
    raz_touches();
    base_page = num_page * 100;

    for (const page_programmee::touche& t : page_programmee::calcule(num_page)) {
        codes_touches[static_cast<std::size_t>(t.index)] = t.code;
        auto* image = load_element<platform::picture>("btt", t.index);
        auto* legende = load_element<platform::label>("btx", t.index);
        image->move(t.left, t.top, t.width, t.height);
        if (t.image != 0) {
            const QPixmap& dessin = icc::bt_coul(t.image);
            if (t.taille_naturelle && !dessin.isNull()) {
                image->set_stretch(false);
                image->set_picture(dessin);
                const auto h = page_programmee::place_naturelle(t.left, t.width, image->width());
                const auto v = page_programmee::place_naturelle(t.top, t.height, image->height());
                image->move(h.debut, v.debut, h.longueur, v.longueur);
            } else {
                image->set_picture(dessin);
            }
        }
        if (!t.visible) continue;
        image->set_visible(true);
        image->zorder_front();
        legende->move(image->left() + retrait, image->top() + retrait, image->width() - 2 * retrait,
                      image->height() - 2 * retrait);
        legende->set_font_size(t.taille_police);
        legende->set_fore_color(t.couleur);
        legende->set_caption(t.libelle);
        const int i = t.index;
        legende->on_click = [this, i] { btx_Click(i); };
        legende->set_visible(true);
        legende->zorder_front();
    }
}
