#include "dialogs/clavv.h"

#include <Qt>
#include <algorithm>

#include "dialogs/dialog_text.h"
#include "dialogs/keyboard_layouts.h"
#include "dialogs/keyboard_state.h"
#include "platform/colors.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"

clavv& clavv::instance() {
    static clavv* f = new clavv;
    return *f;
}

void clavv::design() {
    move(0, 0, clavier::largeur_dessin, clavier::hauteur_dessin);
    set_back_color(platform::rgb(0x43, 0x4D, 0x58));

    auto* champ = add<platform::text_box>("Text1");
    champ->move(270, 90, 13575, 1575);
    champ->set_font_name("Tahoma");
    champ->set_font_size(20.25);
    champ->set_back_color(platform::rgb(0xFF, 0xFF, 0xC0));
    champ->set_fore_color(0);
    champ->on_key_press = [this](int& ascii) { text1_key_press(ascii); };
    champ->on_change = [this] { text1_change(); };

    auto* image = add<platform::picture>("Image1");
    image->set_stretch(true);
    image->move(0, clavier::haut_image, clavier::largeur_image, clavier::hauteur_image);
    image->set_picture(icc::image("clavier.png"));

    for (int i = 0; i < clavier::nb_touches; ++i) {
        auto* cle = add<platform::label>("ttoc", i);
        const clavier::rectangle r = clavier::position(i);
        cle->move(r.left, r.top, r.width, r.height);
        cle->set_font_name("Tahoma");
        cle->set_font_size(18);
        cle->set_font_bold(true);
        cle->set_fore_color(0);
        cle->set_back_style(0);
        cle->set_word_wrap(false);
        cle->setAlignment(Qt::AlignCenter);
        cle->set_caption(clavier::legende_dessin(i));
        cle->on_click = [this, i] { ttoc_click(i); };
    }

    add<platform::label>("Label2")->set_visible(false);
    add<platform::list_box>("List1")->set_visible(false);
    add<platform::list_box>("List2")->set_visible(false);
}

void clavv::form_load() {
    // No screen format read yet (the folder question of a first start): the
    // keyboard takes the display's size, as the keypad does, so that it lies
    // on the display whatever its size.
    if (largeur_ecran <= 0 || hauteur_ecran <= 0) {
        largeur_ecran = static_cast<std::int16_t>(platform::screen_width_twips() / 15);
        hauteur_ecran = static_cast<std::int16_t>(platform::screen_height_twips() / 15);
    }
    const double W = largeur_ecran, H = hauteur_ecran;
    auto* image = get<platform::picture>("Image1");
    auto* champ = get<platform::text_box>("Text1");

    // The keyboard picture and the space bar reach below the designed height:
    // the screen covers them, or the bottom row would be cut off.
    set_height(std::max(height(), clavier::haut_image + clavier::hauteur_image));
    if (W * 15 < clavier::largeur_image) {
        // A narrow screen: everything shrinks but the fonts.
        const double f = W * 15 / clavier::largeur_image;
        set_height(height() * f);
        set_top(H * 15 - height() - 300);
        set_left(Module1::surface_dialogues().left);
        image->move(image->left(), image->top() * f, clavier::largeur_image * f, clavier::hauteur_image * f);
        champ->move(champ->left() * f, champ->top(), champ->width() * f, champ->height() * f);
        for (int i = 0; i < clavier::nb_touches; ++i) {
            platform::control* cle = find("ttoc", i);
            cle->move(cle->left() * f, cle->top() * f, cle->width() * f, cle->height() * f);
        }
    } else {
        set_top(H * 15 - height());
        set_left(W * 15 / 2 - width() / 2);
    }
    set_width(image->width());
    find("List1")->set_visible(false);

    for (int n = 0; n < clavier::nb_dispositions; ++n)
        dispositions_clavier[static_cast<std::size_t>(n)] = clavier::disposition(n);

    ecrit_champ = true;
    const dialogue::texte_separe texte = dialogue::separe(texte_message);
    if (texte.a_valeur) {
        champ->set_text(texte.valeur);
        texte_message = texte.message;
    }
    get<platform::label>("Label2")->set_caption(champ->text());
    champ->set_sel_start(static_cast<int>(champ->text().size()));
    ecrit_champ = false;
    texte_clavier = champ->text();
    pos_curseur = static_cast<std::int16_t>(texte_clavier.size());
    maj_temporaire = 0;
    num_disposition = 0;
    mode_liste = 0;
    if (type_message == 1129) {
        num_disposition = 1;
        affiche_clav();
    }
    champ->setFocus();
    platform::yield();
}

void clavv::affiche_clav() {
    const std::string& dispo = dispositions_clavier[static_cast<std::size_t>(num_disposition)];
    for (int i = 0; i < clavier::nb_touches && i < static_cast<int>(dispo.size()); ++i) {
        ligne_travail = std::string(1, dispo[static_cast<std::size_t>(i)]);
        if (ligne_travail != "|") get<platform::label>("ttoc", i)->set_caption(ligne_travail);
    }
}

void clavv::ttoc_click(int i) {
    if (!loaded()) return;
    // The caret may have been moved in the field itself (arrows, a touch in
    // the text): the key acts where the caret stands.
    pos_curseur = static_cast<std::int16_t>(get<platform::text_box>("Text1")->sel_start());
    const clavier::suite s = clavier::touche(i);
    if (s.echap) {
        texte_message = get<platform::label>("Label2")->caption();
        unload();
        return;
    }
    if (s.entree) {
        texte_message = get<platform::text_box>("Text1")->text();
        mode_liste = 0;
        unload();
        return;
    }
    if (s.liste != 0) {
        auto* liste = get<platform::list_box>("List1");
        const int n = liste->list_index();
        if (s.liste < 0 && n > 0) liste->set_list_index(n - 1);
        if (s.liste > 0 && n < liste->list_count() - 1) liste->set_list_index(n + 1);
    }
    if (s.redessine) affiche_clav();
    montre_texte();
}

void clavv::montre_texte() {
    auto* champ = get<platform::text_box>("Text1");
    ecrit_champ = true;
    if (champ->text() != texte_clavier) champ->set_text(texte_clavier);
    champ->set_sel_start(pos_curseur);
    ecrit_champ = false;
}

void clavv::text1_key_press(int& ascii) {
    // The screen sees Enter and Escape before its field does.
    if (ascii == 13 || ascii == 27) {
        const int cle = ascii == 13 ? 38 : 57;
        ascii = 0;
        ttoc_click(cle);
        return;
    }
    if (ascii == 34) ascii = 39;  // the keyboard never types a double quote
}

void clavv::text1_change() {
    if (ecrit_champ || !loaded()) return;
    // Typed on a physical keyboard: the next touched key goes on from here.
    auto* champ = get<platform::text_box>("Text1");
    texte_clavier = champ->text();
    pos_curseur = static_cast<std::int16_t>(champ->sel_start());
    if (mode_liste > 0) select_l1();
}

void clavv::select_l1() {
    auto* liste = get<platform::list_box>("List1");
    const auto* source = get<platform::list_box>("List2");
    const std::string cherche = txt::ucase(txt::trim(get<platform::text_box>("Text1")->text()));
    liste->clear_items();
    for (int i = 0; i < source->list_count(); ++i)
        if (txt::instr(source->list(i), cherche) > 0) liste->add_item(source->list(i));
}

namespace {
const bool registered =
    platform::register_form("clavv", []() -> platform::form& { return clavv::instance(); });
}
