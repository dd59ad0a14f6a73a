#include "configuration/ggcoul.h"

#include <QPainter>
#include <algorithm>

#include "configuration/colour_schemes.h"
#include "dialogs/program_end.h"
#include "order/button_bar.h"
#include "platform/colors.h"
#include "shared/screen_layout.h"

ggcoul& ggcoul::instance() {
    static ggcoul* f = new ggcoul;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("ggcoul", []() -> platform::form& { return ggcoul::instance(); });

constexpr int apercu_largeur = 80, apercu_hauteur = 52;

// A screen in miniature painted with the scheme: the bars in class 5, a
// grid heading in class 8, keys in classes 1 to 4, 6 and 7, on class 9.
QPixmap apercu(const jeux_couleurs::jeu& j) {
    auto fond = [&j](int k) { return platform::to_qcolor(j.fond[static_cast<std::size_t>(k - 1)]); };
    auto texte = [&j](int k) { return platform::to_qcolor(j.texte[static_cast<std::size_t>(k - 1)]); };
    QPixmap p(apercu_largeur, apercu_hauteur);
    p.fill(fond(9));
    QPainter g(&p);
    g.setPen(Qt::NoPen);
    // A bar with a line of "text" across its middle.
    auto barre = [&](int k, QRect r) {
        g.fillRect(r, fond(k));
        g.fillRect(QRect(r.x() + r.width() / 4, r.y() + r.height() / 2 - 1, r.width() / 2, 2), texte(k));
    };
    barre(5, QRect(0, 0, apercu_largeur, 7));
    barre(5, QRect(0, apercu_hauteur - 7, apercu_largeur, 7));
    barre(8, QRect(3, 9, apercu_largeur - 6, 7));
    const int classes[6] = {1, 2, 3, 4, 6, 7};
    const int kw = (apercu_largeur - 3 * 4) / 3, kh = (apercu_hauteur - 18 - 7 - 3 * 3) / 2;
    for (int i = 0; i < 6; ++i) {
        const QRect r(3 + (i % 3) * (kw + 3), 19 + (i / 3) * (kh + 3), kw, kh);
        g.fillRect(r, fond(classes[i]));
        g.fillRect(QRect(r.x() + 4, r.y() + r.height() / 2 - 1, r.width() - 8, 3), texte(classes[i]));
    }
    g.setPen(QColor(90, 90, 90));
    g.setBrush(Qt::NoBrush);
    g.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return p;
}

}  // namespace

void ggcoul::design() {
    move(0, 0, 12000, 9000);
    set_caption("Gestion des Couleurs");
    set_back_color(platform::rgb(236, 238, 242));
    moduclav::cree_bandeaux(*this, "", [this] { label_bas_DblClick(); });
    for (int i = 0; i < jeux_couleurs::nb_predefinis; ++i) {
        const jeux_couleurs::jeu& j = jeux_couleurs::predefini(i);
        auto* image = add<platform::picture>("Image1", i);
        image->move(200 + i * 1300, 600, apercu_largeur * 15, apercu_hauteur * 15);
        image->set_picture(apercu(j));
        image->set_visible(false);

        auto* bouton = add<platform::picture_button>("Command2", i);
        bouton->set_caption(j.libelle);
        bouton->set_font_size(14);
        bouton->set_font_bold(true);
        bouton->on_click = [this, i] { Command2_Click(i); };
    }
}

void ggcoul::form_load() {
    Module1::cale_fenetre(*this);
    moduclav::place_bandeaux(*this, "", "Choix des couleurs");
    const double h = std::max(0.0, (height() - 1200) / 6);
    jeux_couleurs::recharge();
    for (int i = 0; i < jeux_couleurs::nb_predefinis; ++i) {
        auto* bouton = get<platform::picture_button>("Command2", i);
        bouton->set_picture(get<platform::picture>("Image1", i)->pixmap());
        bouton->move(200, 600 + i * h, std::max(0.0, width() - 400), h);
    }
}

void ggcoul::Command2_Click(int index) {
    jeux_couleurs::applique(index);
    unload();
}

void ggcoul::label_bas_DblClick() {
    Module1::quitte_logiciel();
}

void ggcoul::efface_couleurs_perso() {
    jeux_couleurs::efface_perso();
}

std::pair<std::string, std::string> ggcoul::liste_couleurs() {
    return jeux_couleurs::liste();
}
