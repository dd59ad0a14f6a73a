// The composer's controls in their design state, and their placement over
// whatever size the screen takes from the main window.
#include <QFrame>
#include <algorithm>
#include <cmath>

#include "configuration/menufor.h"
#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"

namespace {

constexpr double marge = 120;  // around the screen and inside the frames
constexpr double ecart = 120;  // between neighbouring controls
constexpr double titre = 360;  // a frame's caption line
constexpr double ligne = 330;  // a label and text-box row

void infobulle(platform::control* c, const std::string& texte) {
    c->widget()->setToolTip(cp1252::to_qt(texte));
}

// A frame: a bordered panel whose caption stands at its top left; the
// controls placed over it are created after it, so they stay in front.
platform::label* cadre(platform::form& f, const char* nom, const std::string& legende) {
    auto* l = f.add<platform::label>(nom);
    l->set_caption(legende);
    l->set_font_bold(true);
    l->set_font_size(9);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setIndent(6);
    l->tag = "6";
    return l;
}

platform::label* texte(platform::form& f, const char* nom, int index, const std::string& legende) {
    auto* l = f.add<platform::label>(nom, index);
    l->set_caption(legende);
    l->set_back_style(0);
    return l;
}

// A one-line label whose text stands level with what it names.
void centre_en_hauteur(platform::label* l) {
    l->setAlignment((l->alignment() == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

// A picture of the button bars' set: the large set when it is chosen.
const QPixmap& icone(int n) {
    return icc::bt_coul(n + decalage_images);
}

platform::picture* image(platform::form& f, const char* nom, int n, const std::string& bulle) {
    auto* p = f.add<platform::picture>(nom);
    p->set_stretch(true);
    p->set_picture(icone(n));
    if (!bulle.empty()) infobulle(p, bulle);
    return p;
}

platform::picture_button* bouton(platform::form& f, const char* nom, int n, const std::string& bulle) {
    auto* b = f.add<platform::picture_button>(nom);
    b->set_picture(icone(n));
    if (!bulle.empty()) infobulle(b, bulle);
    return b;
}

}  // namespace

void menufor::design() {
    move(0, 0, 12000, 9000);
    set_caption("Composition forfaitaire");
    set_back_color(0xE8E0D8);

    // Parameter area: the article list, the article's fields, the colour
    // buttons and the erase key.
    cadre(*this, "Frame1", cp("Mode paramétrage"));
    texte(*this, "Label5", -1, cp("Cliquez sur l'Article et déposez le sur les boutons à droite"));
    add<platform::list_box>("List1");
    image(*this, "picture5", 25, "Lister tous les Articles");
    image(*this, "bt_rech", 16, "Recherche un article par nom ou une partie du nom");
    const char* champs[] = {" Référence", " Code Alpha ", " Famille"};
    for (int i = 0; i < 3; ++i) centre_en_hauteur(texte(*this, "Label2", i, cp(champs[i])));
    centre_en_hauteur(texte(*this, "Label11", -1, " Nb de points"));
    centre_en_hauteur(texte(*this, "Label1", -1, " T.T.C."));
    for (const char* nom : {"Text1", "Text2", "Text3", "Text100"}) add<platform::text_box>(nom);
    texte(*this, "Label6", -1,
          "Cliquez sur la couleur puis cliquez sur les boutons choisis, recliquez sur une couleur pour "
          "annuler le mode couleur des boutons.");
    for (int i = 0; i < nb_couleurs; ++i) {
        auto* b = add<platform::picture_button>("btrafff", i);
        b->set_picture(icc::bt_coul(i));
        b->on_click = [this, i] { btrafff_click(i); };
    }
    texte(*this, "Label12", -1,
          cp("Pour annuler une touche cliquez sur effacer puis sur la touche à effacer "));
    bouton(*this, "Image2", 19, "Effacer une touche")->on_click = [this] { image2_click(); };

    // The menu keys of the page, a column per course.
    cadre(*this, "Frame3", cp("Menu Détaillé"));
    const char* cours[] = {"Entrées", "Plats", "Desserts"};
    for (int k = 0; k < nb_cours; ++k) {
        auto* l = add<platform::label>("Label4", k);
        l->set_caption(cp(cours[k]));
        l->set_alignment(2);
        l->set_font_bold(true);
        l->set_font_size(11);
        l->tag = "5";
        centre_en_hauteur(l);
    }
    auto* x = texte(*this, "Label3", -1, "X");
    x->set_alignment(2);
    x->set_font_bold(true);
    centre_en_hauteur(x);
    texte(*this, "Label7", -1, "");
    for (int i = 0; i < nb_cours * touches_par_cours; ++i) {
        auto* fond = add<platform::picture>("btraf", i);
        fond->set_stretch(true);
        fond->set_picture(icc::bt_coul(0));
        auto* legende = texte(*this, "btrap", i, "Label2");
        legende->set_alignment(2);
        legende->set_font_size(10);
        centre_en_hauteur(legende);
    }
    bouton(*this, "btc_retour", 18, "")->on_click = [this] { btc_retour_click(); };
    bouton(*this, "btc_suite", 17, "")->on_click = [this] { btc_suite_click(); };

    // The composed lines.
    cadre(*this, "Frame2", cp("Saisie du détail"));
    add<platform::list_box>("List2");
    image(*this, "Image6", 22, "Saisir une informations");
    image(*this, "Image5", 27, "Annuler toutes les lignes");
    bouton(*this, "Image3", 21, "Annuler le dernier article")->on_click = [this] { image3_click(); };

    bouton(*this, "Image4", 10, "Annuler")->on_click = [this] { image4_click(); };
    bouton(*this, "Image1", 24, "")->on_click = [this] { image1_click(); };
}

void menufor::dispose() {
    const double w = width(), h = height();
    const auto place = [this](const char* nom, int index, double l, double t, double lw, double lh) {
        find(nom, index)->move(l, t, std::max(lw, 15.0), std::max(lh, 15.0));
    };

    // Left: the parameter area over the whole height.
    const double lg = std::floor(w * 0.4);
    place("Frame1", -1, marge, marge, lg, h - 2 * marge);
    const double x = 2 * marge, lx = lg - 2 * marge;
    double y = marge + titre;
    place("Label5", -1, x, y, lx, 480);
    y += 480 + ecart / 2;
    const double ic = 540;
    const double fixe = 4 * (ligne + ecart / 2) + ecart + 700 + 2 * 600 + ecart / 2 + ecart + 600 + marge;
    const double hl = std::max(2 * ic + ecart / 2, h - marge - y - fixe - ecart);
    place("List1", -1, x, y, lx - ic - ecart, hl);
    place("picture5", -1, x + lx - ic, y, ic, ic);
    place("bt_rech", -1, x + lx - ic, y + ic + ecart / 2, ic, ic);
    y += hl + ecart;
    const double le = std::floor(lx * 0.4);
    for (int i = 0; i < 3; ++i) {
        place("Label2", i, x, y, le, ligne);
        place(i == 0 ? "Text1" : i == 1 ? "Text2" : "Text3", -1, x + le, y, lx - le, ligne);
        y += ligne + ecart / 2;
    }
    place("Label11", -1, x, y, le, ligne);
    const double tt = 900;
    place("Text100", -1, x + le, y, lx - le - tt, ligne);
    place("Label1", -1, x + lx - tt, y, tt, ligne);
    y += ligne + ecart / 2 + ecart;
    place("Label6", -1, x, y, lx, 700);
    y += 700;
    const int par_rangee = nb_couleurs / 2;
    const double lb = std::floor((lx - (par_rangee - 1) * ecart / 2) / par_rangee);
    for (int i = 0; i < nb_couleurs; ++i)
        place("btrafff", i, x + (i % par_rangee) * (lb + ecart / 2), y + (i / par_rangee) * (600 + ecart / 2),
              lb, 600);
    y += 2 * 600 + ecart / 2 + ecart;
    place("Label12", -1, x, y, lx - 600 - ecart, 600);
    place("Image2", -1, x + lx - 600, y, 600, 600);

    // Right, above: the menu keys of the page.
    const double xr = marge + lg + ecart, lr = w - xr - marge;
    const double h3 = std::floor((h - 2 * marge - ecart) * 0.6);
    place("Frame3", -1, xr, marge, lr, h3);
    place("Label7", -1, xr + lr - marge - 660, marge + 30, 330, 300);
    place("Label3", -1, xr + lr - marge - 330, marge + 30, 330, 300);
    const double xc = xr + marge, lc = lr - 2 * marge;
    const double lk = std::floor((lc - (nb_cours - 1) * ecart) / nb_cours);
    const double yk = marge + titre;
    for (int k = 0; k < nb_cours; ++k) place("Label4", k, xc + k * (lk + ecart), yk, lk, 420);
    const double pb = 600;
    const double haut_touches = h3 - titre - 420 - ecart - pb - 2 * marge;
    const double hk = std::floor((haut_touches - (touches_par_cours - 1) * ecart / 2) / touches_par_cours);
    for (int i = 0; i < nb_cours * touches_par_cours; ++i) {
        const int k = i / touches_par_cours, r = i % touches_par_cours;
        const double l = xc + k * (lk + ecart), t = yk + 420 + ecart + r * (hk + ecart / 2);
        place("btraf", i, l, t, lk, hk);
        place("btrap", i, l, t + hk / 2 - 150, lk, 300);
    }
    const double yp = marge + h3 - marge - pb;
    place("btc_retour", -1, xc, yp, 900, pb);
    place("btc_suite", -1, xc + lc - 900, yp, 900, pb);

    // Right, below: the composed lines, and the validate and cancel keys.
    const double yb = marge + h3 + ecart, hb = h - marge - yb;
    const double s = std::floor(std::min(1200.0, (hb - ecart) / 2));
    const double l2 = lr - s - ecart;
    place("Frame2", -1, xr, yb, l2, hb);
    const double ic2 = std::floor(std::min(660.0, (hb - titre - marge - ecart) / 3));
    place("List2", -1, xr + marge, yb + titre, l2 - 2 * marge - ic2 - ecart, hb - titre - marge);
    const char* icones[] = {"Image6", "Image5", "Image3"};
    for (int i = 0; i < 3; ++i)
        place(icones[i], -1, xr + l2 - marge - ic2, yb + titre + i * (ic2 + ecart / 2), ic2, ic2);
    place("Image4", -1, w - marge - s, yb, s, s);
    place("Image1", -1, w - marge - s, h - marge - s, s, s);
}
