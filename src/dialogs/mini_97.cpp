#include "dialogs/mini_97.h"

#include "dialogs/box_zoom.h"
#include "dialogs/dialog_text.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "shared/settings_file.h"

namespace {
constexpr double largeur_dessin = 5565, hauteur_dessin = 6195;
constexpr double cote_bouton = 1440;
}  // namespace

mini_97& mini_97::instance() {
    static mini_97* f = new mini_97;
    return *f;
}

void mini_97::design() {
    move(0, 0, largeur_dessin, hauteur_dessin);
    set_back_color(0xFFFFFF);

    auto* image = add<platform::picture>("Image1");
    image->set_stretch(true);
    image->move(360, 420, 1755, 1230);
    image->set_picture(icc::image("mini97_image1.png"));

    auto* message = add<platform::label>("Label1");
    message->move(2490, 450, 2655, 2535);
    message->set_font_name("Arial");
    message->set_alignment(2);
    message->set_back_style(0);
    message->set_word_wrap(true);

    auto* ligne = add<platform::text_box>("Text1");
    ligne->move(300, 3240, 4845, 525);
    ligne->set_font_name("Arial");
    ligne->set_font_size(15.75);
    ligne->set_visible(false);
    ligne->on_key_press = [this](int& ascii) { text1_key_press(ascii); };

    for (int i : {2, 3, 5}) {
        auto* bouton = add<platform::picture_button>("btc", i);
        bouton->move(0, 0, cote_bouton, cote_bouton);
        bouton->on_click = [this, i] { btc_click(i); };
    }
    find("btc", 5)->set_visible(false);

    for (int i = 0; i < 8; ++i) {
        auto* piece = add<platform::picture>("ccb", i);
        piece->move(0, 0, 180, 180);
        piece->set_stretch(i >= 4);
    }

    auto* minuterie = add<platform::timer>("Timer1");
    minuterie->on_timer = [this] { timer1_timer(); };
}

void mini_97::form_load() {
    parametres::lit_entier(50, "#I#1");
    const double n = txt::val(txt::mid(enreg_param, 4));
    const double zoom =
        dialogue::zoom_affiche(dialogue::zoom_boite(n), largeur_dessin, hauteur_dessin,
                               platform::screen_width_twips(), platform::screen_height_twips());
    set_width(width() * zoom);
    set_height(height() * zoom);

    if (type_message == 129) {
        find("Text1")->set_visible(true);
        find("Text1")->widget()->setFocus();  // a physical keyboard types into the line
    }
    if (type_message == 0) find("btc", 3)->set_visible(false);

    set_left(platform::screen_width_twips() / 2 - width() / 2);
    set_top(platform::screen_height_twips() / 2 - height() / 2);
    Module1::dessine_cadre(*this);

    auto* message = get<platform::label>("Label1");
    message->set_left(2755);
    message->set_width(width() - 3255);
    message->set_font_size(14 * zoom);
    message->set_height(height() - 2940);

    auto* oui = get<platform::picture_button>("btc", 2);
    auto* non = get<platform::picture_button>("btc", 3);
    auto* fermer = get<platform::picture_button>("btc", 5);
    oui->set_picture(icc::bt_coul(64));
    non->set_picture(icc::bt_coul(60));
    fermer->set_picture(icc::bt_coul(77));
    oui->set_left(width() - 500 - oui->width());
    non->set_left(500);
    fermer->set_left(width() / 2 - fermer->width() / 2);
    for (auto* bouton : {oui, non, fermer}) bouton->set_top(height() - 500 - bouton->height());

    const dialogue::texte_separe texte = dialogue::separe(texte_message);
    if (texte.a_valeur) {
        get<platform::text_box>("Text1")->set_text(texte.valeur);
        texte_message = texte.message;
    }
    message->set_caption(texte_message);

    if (type_message == 225) {
        oui->set_visible(false);
        non->set_visible(false);
        fermer->set_visible(true);
        get<platform::timer>("Timer1")->set_interval(duree_avis_ms);
    }
    platform::yield();
}

void mini_97::form_unload() {
    get<platform::timer>("Timer1")->set_interval(0);
}

void mini_97::btc_click(int index) {
    if (!loaded()) return;
    if (index == 2) type_message = 6;
    if (index == 3) type_message = 7;
    texte_message = txt::trim(get<platform::text_box>("Text1")->text());
    if (index == 5) texte_message.clear();
    unload();
}

void mini_97::text1_key_press(int& ascii) {
    // Enter and Escape type a blank: the box closes only by its buttons.
    if (ascii < 32 && ascii != 8) ascii = 32;
}

void mini_97::timer1_timer() {
    if (!loaded()) return;
    get<platform::timer>("Timer1")->set_interval(0);
    btc_click(5);
}

namespace {
const bool registered =
    platform::register_form("mini_97", []() -> platform::form& { return mini_97::instance(); });
}
