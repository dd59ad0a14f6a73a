#include "configuration/porpay.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <limits>

#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/settings_file.h"

namespace format_ecran {

resolution tablette(double ecran_largeur_twips, double ecran_hauteur_twips) {
    resolution r;
    r.hauteur = txt::round_even(ecran_hauteur_twips / 15 - 30);
    r.largeur = txt::round_even(static_cast<double>(r.hauteur) * 0.72);
    // On a display already in portrait the format would be wider than the
    // display: it then takes the display's width, in the same proportions.
    const long largeur_ecran = txt::round_even(ecran_largeur_twips / 15);
    if (r.largeur > largeur_ecran) {
        r.largeur = largeur_ecran;
        r.hauteur = txt::round_even(static_cast<double>(largeur_ecran) / 0.72);
    }
    return r;
}

resolution classique(double ecran_largeur_twips, double ecran_hauteur_twips) {
    return {txt::round_even(ecran_largeur_twips / 15), txt::round_even(ecran_hauteur_twips / 15 - 30)};
}

std::string enregistrement(const resolution& r) {
    return "#I#0:" + txt::format(static_cast<double>(r.largeur), "00000") + ":" +
           txt::format(static_cast<double>(r.hauteur), "00000");
}

std::optional<long> cote_saisi(const std::string& texte) {
    if (texte.empty()) return std::nullopt;
    const double v = txt::val(texte);
    if (std::isnan(v) || v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    const long n = txt::round_even(v);
    // Record 2 holds each side on five digits; a window 0 pixels wide shows nothing.
    if (n < 1 || n > 99999) return std::nullopt;
    return n;
}

}  // namespace format_ecran

porpay& porpay::instance() {
    static porpay* f = new porpay;
    return *f;
}

namespace {
const bool registered =
    platform::register_form("porpay", []() -> platform::form& { return porpay::instance(); });

constexpr double largeur_ecran_choix = 9000, hauteur_ecran_choix = 6300;

// The two formats as drawings: a portrait tablet and a landscape screen on its stand.
QPixmap dessin_format(bool portrait, int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor cadre(45, 55, 72), ecran(120, 180, 235), reflet(175, 215, 245);
    QRectF appareil;
    if (portrait) {
        const double ah = h * 0.86, aw = ah * 0.72;
        appareil = QRectF((w - aw) / 2, h * 0.02, aw, ah);
        g.setBrush(cadre);
        g.setPen(Qt::NoPen);
        g.drawRoundedRect(appareil, aw * 0.09, aw * 0.09);
        const QRectF vitre = appareil.adjusted(aw * 0.07, ah * 0.06, -aw * 0.07, -ah * 0.1);
        g.setBrush(ecran);
        g.drawRect(vitre);
        g.setBrush(reflet);
        g.drawRect(QRectF(vitre.left(), vitre.top(), vitre.width(), vitre.height() * 0.12));
        g.setBrush(QColor(200, 205, 215));
        const double bouton = aw * 0.1;
        g.drawEllipse(QPointF(appareil.center().x(), appareil.bottom() - ah * 0.05), bouton / 2, bouton / 2);
    } else {
        const double aw = w * 0.92, ah = aw * 0.6;
        appareil = QRectF((w - aw) / 2, h * 0.04, aw, ah);
        g.setPen(Qt::NoPen);
        g.setBrush(cadre);
        g.drawRoundedRect(appareil, aw * 0.03, aw * 0.03);
        const QRectF vitre = appareil.adjusted(aw * 0.04, aw * 0.04, -aw * 0.04, -aw * 0.04);
        g.setBrush(ecran);
        g.drawRect(vitre);
        g.setBrush(reflet);
        g.drawRect(QRectF(vitre.left(), vitre.top(), vitre.width(), vitre.height() * 0.12));
        g.setBrush(cadre);
        const double pied = aw * 0.12;
        g.drawRect(QRectF(appareil.center().x() - pied / 4, appareil.bottom(), pied / 2, h * 0.1));
        g.drawRoundedRect(
            QRectF(appareil.center().x() - pied, appareil.bottom() + h * 0.1, pied * 2, h * 0.04), 4, 4);
    }
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(std::max(10, h / 12));
    g.setFont(f);
    g.setPen(QColor(30, 40, 60));
    g.drawText(QRectF(0, h * 0.86, w, h * 0.14), Qt::AlignCenter,
               portrait ? QStringLiteral("Tablette") : QStringLiteral("Ecran classique"));
    return p;
}

}  // namespace

void porpay::design() {
    move(0, 0, largeur_ecran_choix, hauteur_ecran_choix);
    set_back_color(platform::rgb(250, 250, 252));

    auto* label1 = add<platform::label>("Label1");
    label1->move(300, 300, largeur_ecran_choix - 600, 420);
    label1->set_caption("Cliquez sur le format Tablette ou Ecran classique ");
    label1->set_font_size(12);
    label1->set_font_bold(true);
    label1->set_alignment(2);
    label1->set_back_style(0);

    auto* image1 = add<platform::picture>("Image1");
    image1->move(600, 900, 3300, 3900);
    image1->set_stretch(true);
    image1->set_picture(dessin_format(true, platform::to_px(3300), platform::to_px(3900)));
    image1->on_click = [this] { Image1_Click(); };

    auto* image2 = add<platform::picture>("Image2");
    image2->move(4200, 1100, 4200, 3500);
    image2->set_stretch(true);
    image2->set_picture(dessin_format(false, platform::to_px(4200), platform::to_px(3500)));
    image2->on_click = [this] { Image2_Click(); };

    auto* bouton = add<platform::picture_button>("bt_coul");
    bouton->move(largeur_ecran_choix / 2 - 750, 5000, 1500, 1000);
    bouton->on_click = [this] { bt_coul_Click(); };

    // The frame, laid along the chooser's edges once and for all.
    const double w = largeur_ecran_choix, h = hauteur_ecran_choix, c = 180;
    const double places[8][4] = {
        {0, 0, c, c},         {w - c, 0, c, c},     {w - c, h - c, c, c},     {0, h - c, c, c},
        {0, c, c, h - 2 * c}, {c, 0, w - 2 * c, c}, {w - c, c, c, h - 2 * c}, {c, h - c, w - 2 * c, c}};
    for (int i = 0; i < 8; ++i) {
        auto* piece = add<platform::picture>("ccb", i);
        piece->set_stretch(true);
        piece->move(places[i][0], places[i][1], places[i][2], places[i][3]);
        piece->set_picture(icc::ccbm(i));
    }
}

void porpay::form_load() {
    get<platform::picture_button>("bt_coul")->set_picture(icc::bt_coul(66));
    set_left((platform::screen_width_twips() - width()) / 2);
    set_top((platform::screen_height_twips() - height()) / 2);
}

void porpay::choisit(const format_ecran::resolution& r) {
    largeur_ecran = static_cast<std::int16_t>(std::clamp<long>(r.largeur, 0, 32767));
    hauteur_ecran = static_cast<std::int16_t>(std::clamp<long>(r.hauteur, 0, 32767));
    parametres::ecrit(2, format_ecran::enregistrement(r));
    unload();
}

void porpay::Image1_Click() {
    choisit(format_ecran::tablette(platform::screen_width_twips(), platform::screen_height_twips()));
}

void porpay::Image2_Click() {
    choisit(format_ecran::classique(platform::screen_width_twips(), platform::screen_height_twips()));
}

void porpay::bt_coul_Click() {
    const std::string actuel = parametres::lit(2);
    const bool renseigne = parametres::format_enregistre(actuel);
    const long largeur = renseigne ? txt::round_even(txt::val(txt::mid(actuel, 6, 5))) : 0;
    const long hauteur = renseigne ? txt::round_even(txt::val(txt::mid(actuel, 12, 5))) : 0;

    // The keypad takes its options from ligne_travail: a resolution is typed in clear.
    ligne_travail.clear();
    texte_message = cp("Entrez la résolution Horizontale ?|") + txt::str(largeur);
    platform::show_modal("clav_num");
    const std::optional<long> nouvelle_largeur = format_ecran::cote_saisi(texte_message);
    if (!nouvelle_largeur) return;

    ligne_travail.clear();
    texte_message = cp("Entrez la résolution Verticale ?|") + txt::str(hauteur);
    platform::show_modal("clav_num");
    const std::optional<long> nouvelle_hauteur = format_ecran::cote_saisi(texte_message);
    if (!nouvelle_hauteur) return;

    // The size applies at the next reading of the settings, not to this run's globals.
    parametres::ecrit(2, format_ecran::enregistrement({*nouvelle_largeur, *nouvelle_hauteur}));
    unload();
}
