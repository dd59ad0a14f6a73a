#include "dialogs/attend_tempo.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/icc.h"

attend_tempo& attend_tempo::instance() {
    static attend_tempo* f = new attend_tempo;
    return *f;
}

namespace {
// The count stands in the gap of blanks after "dans".
const std::string debut_texte = cp("Impossible de se connecter au réseau, un nouvel essai sera fait dans ");
const std::string blanc_compte = std::string(7, ' ');
const std::string fin_texte = " secondes...";
constexpr double marge = 300;
}  // namespace

void attend_tempo::design() {
    set_back_color(0xFFFFFF);

    auto* texte = add<platform::label>("Label1");
    texte->set_font_name("Arial");
    texte->set_font_size(11);
    texte->set_word_wrap(false);
    texte->set_back_style(0);
    texte->set_caption(debut_texte + blanc_compte + fin_texte);

    auto* compte = add<platform::label>("Label4");
    compte->set_font_name("Arial");
    compte->set_font_size(18);
    compte->set_font_bold(true);
    compte->set_fore_color(platform::rgb(0xFF, 0, 0));
    compte->set_back_style(0);
    compte->setAlignment(Qt::AlignCenter);
    compte->set_caption("5");

    auto* copie = add<platform::label>("Label2");
    copie->set_caption("5");
    copie->set_visible(false);

    auto* nouvel_essai = add<platform::label>("Label3");
    nouvel_essai->set_font_name("Arial");
    nouvel_essai->set_font_size(11);
    nouvel_essai->set_font_bold(true);
    nouvel_essai->set_back_style(0);
    nouvel_essai->setAlignment(Qt::AlignCenter);
    nouvel_essai->set_caption("Nouvelle tentative de connexion");
    nouvel_essai->set_visible(false);

    auto* fermer = add<platform::picture>("p11");
    fermer->set_stretch(true);
    fermer->set_picture(icc::bt_coul(77));
    fermer->on_click = [this] { p11_click(); };

    auto* minuterie = add<platform::timer>("Timer1");
    minuterie->on_timer = [this] { timer1_timer(); };

    // The text on one line, the count over its gap, the retry line and the
    // picture below.
    const QFontMetrics m(texte->font());
    const double largeur_texte = platform::to_twips(m.horizontalAdvance(cp1252::to_qt(texte->caption())));
    const double haut_texte = platform::to_twips(std::max(m.height(), QFontMetrics(compte->font()).height()));
    texte->move(marge, marge, largeur_texte + 60, haut_texte);
    compte->move(marge + platform::to_twips(m.horizontalAdvance(cp1252::to_qt(debut_texte))), marge,
                 platform::to_twips(m.horizontalAdvance(cp1252::to_qt(blanc_compte))), haut_texte);
    const double largeur = largeur_texte + 60 + 2 * marge;
    nouvel_essai->move(marge, marge + haut_texte + 120, largeur - 2 * marge, haut_texte);
    const double cote = 720;
    fermer->move(largeur / 2 - cote / 2, nouvel_essai->top() + haut_texte + 120, cote, cote);
    move(0, 0, largeur, fermer->top() + cote + marge);
}

void attend_tempo::form_load() {
    set_left(platform::screen_width_twips() / 2 - width() / 2);
    set_top(platform::screen_height_twips() / 2 - height() / 2);
    attente_touchee = false;
    get<platform::timer>("Timer1")->set_interval(pas_ms);
}

void attend_tempo::form_unload() {
    get<platform::timer>("Timer1")->set_interval(0);
}

void attend_tempo::timer1_timer() {
    if (!loaded()) return;
    auto* copie = get<platform::label>("Label2");
    auto* compte = get<platform::label>("Label4");
    const double n = txt::val(copie->caption()) - 1;
    copie->set_caption(txt::format(n, "0"));
    if (n > -1) compte->set_caption(copie->caption());
    compte->repaint();
    if (n == 0) {
        find("Label3")->set_visible(true);
        compte->set_caption("-");
    }
    if (n < -2) unload();
}

void attend_tempo::p11_click() {
    if (!loaded()) return;
    attente_touchee = true;
    unload();
}

namespace {
const bool registered =
    platform::register_form("attend_tempo", []() -> platform::form& { return attend_tempo::instance(); });
}
