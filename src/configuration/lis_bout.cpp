#include "configuration/lis_bout.h"

#include <cmath>

#include "configuration/picture_field.h"
#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"

namespace {
constexpr int nb_coches = 1;
constexpr double largeur_dessin = 5400, hauteur_dessin = 7800;
}  // namespace

lis_bout& lis_bout::instance() {
    static lis_bout* f = new lis_bout;
    return *f;
}

void lis_bout::design() {
    move(3300, 600, largeur_dessin, hauteur_dessin);
    set_back_color(0xF0F0F0);

    auto* liste = add<platform::grid>("g3");
    liste->move(120, 120, 3000, hauteur_dessin - 240);
    liste->set_fixed_rows(0);
    liste->set_fixed_cols(0);
    liste->set_top_row(0);
    liste->set_rows(champ_image::nb_rangs);
    liste->set_cols(2);
    liste->set_scroll_bar(true);
    liste->on_cell_click = [this](int r, int) { g3_Click(r); };

    auto* numero = add<platform::label>("Label2");
    numero->move(3240, 240, 2040, 600);
    numero->set_alignment(2);
    numero->set_font_size(18);
    numero->set_font_bold(true);
    numero->set_back_color(0xFFFFFF);

    auto* coche = add<platform::check_box>("Check1", 0);
    coche->move(3240, 1200, 480, 480);
    coche->set_visible(false);
    auto* tick = add<platform::picture>("oui", 0);
    tick->move(3240, 1200, 480, 480);
    tick->set_stretch(true);
    tick->on_click = [this] { oui_Click(0); };

    auto* legende = add<platform::label>("Label1");
    legende->move(3840, 1140, 1440, 900);
    legende->set_caption("Ne pas ajuster la taille");
    legende->set_word_wrap(true);
    legende->set_font_size(10);
    legende->set_back_style(0);

    auto* valide = add<platform::picture_button>("bt_valide");
    valide->move(3600, 4920, 1320, 1200);
    valide->set_picture(icc::bt_coul(14));
    valide->on_click = [this] { bt_valide_Click(); };
    auto* non = add<platform::picture_button>("bt_no");
    non->move(3600, 6360, 1320, 1200);
    non->set_picture(icc::bt_coul(10));
    non->on_click = [this] { bt_no_Click(); };
}

void lis_bout::form_load() {
    auto* liste = get<platform::grid>("g3");
    liste->set_redraw(false);
    liste->set_col_width(0, std::floor(liste->width() - 280));
    liste->set_col_width(1, 0);
    int nb_images = 0;
    for (int n = 0; n < icc::bt_coul_count(); ++n) nb_images += icc::has_bt_coul(n) ? 1 : 0;
    const auto rangs = champ_image::rangs_avec_image(nb_images, icc::has_bt_coul);
    for (int i = 0; i < champ_image::nb_rangs; ++i) {
        if (!rangs[static_cast<std::size_t>(i)]) continue;
        const QPixmap& image = icc::bt_coul(i);
        liste->set_cell_picture(i, 0, image);
        liste->set_cell_picture_alignment(i, 0, platform::align::center_center);
        liste->set_row_height(i, std::floor(platform::to_twips(image.height())));
    }

    auto* numero = get<platform::label>("Label2");
    numero->set_caption(champ_image::numero(ligne_travail));
    const int choisi = champ_image::rang(numero->caption());
    liste->set_cell_back_color(choisi, 0, orange);
    // The chosen picture is in view when the chooser opens.
    if (choisi > 0 && choisi < champ_image::nb_rangs) liste->set_top_row(choisi);
    liste->set_redraw(true);

    get<platform::check_box>("Check1", 0)->set_value(champ_image::taille_naturelle(ligne_travail) ? 1 : 0);
    affiche_oui();
}

void lis_bout::affiche_oui() {
    for (int i = 0; i < nb_coches; ++i)
        get<platform::picture>("oui", i)->set_picture(
            icc::oui(get<platform::check_box>("Check1", i)->value()));
}

void lis_bout::g3_Click(int r) {
    auto* liste = get<platform::grid>("g3");
    auto* numero = get<platform::label>("Label2");
    liste->set_cell_back_color(champ_image::rang(numero->caption()), 0, blanc);
    numero->set_caption(txt::format(r, "000"));
    liste->set_cell_back_color(r, 0, orange);
}

void lis_bout::oui_Click(int k) {
    auto* coche = get<platform::check_box>("Check1", k);
    coche->set_value(coche->value() == 0 ? 1 : 0);
    affiche_oui();
}

void lis_bout::bt_valide_Click() {
    ligne_travail = champ_image::champ(get<platform::label>("Label2")->caption(),
                                       get<platform::check_box>("Check1", 0)->value() == 1);
    unload();
}

void lis_bout::bt_no_Click() {
    ligne_travail = champ_image::champ_annule();
    unload();
}

namespace {
const bool registered =
    platform::register_form("lis_bout", []() -> platform::form& { return lis_bout::instance(); });
}
