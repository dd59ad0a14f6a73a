#include "main_screen/key_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"

namespace ecran_touches {

namespace {

struct enregistrements {
    long police, largeur, hauteur, par_page;
    // How many characters after "#I#" each reader takes (0: all of them).
    int car_largeur, car_hauteur, car_par_page;
};

enregistrements enregistrements_de(genre g) {
    switch (g) {
        case genre::serveurs:
            return {10, 11, 12, 13, 1, 1, 2};
        case genre::familles:
            return {20, 21, 22, 23, 0, 0, 2};
        case genre::articles:
            break;
    }
    return {5, 6, 7, 8, 1, 0, 0};
}

double lit(long n, const char* defaut, int caracteres) {
    return static_cast<double>(parametres::lit_entier(n, defaut, caracteres));
}

// Settings are stored without a range check: absurd values must neither
// overflow the arithmetic nor build keys millions of pixels wide.
long borne(double v, long lo, long hi) {
    if (std::isnan(v)) return 0;
    return txt::round_even(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
}

constexpr long cases_max = 100;
constexpr long par_page_max = 1000000;

bool vide(const std::string& s) {
    return txt::trim(s).empty();
}

}  // namespace

reglages lit_reglages(genre g) {
    const enregistrements e = enregistrements_de(g);
    const char* police = g == genre::familles ? "#I#18" : "#I#14";
    reglages r;
    r.taille_police = static_cast<double>(borne(lit(e.police, police, 0), 1, 200));
    r.largeur = borne(lit(e.largeur, "#I#2", e.car_largeur), -cases_max, cases_max);
    r.hauteur = borne(lit(e.hauteur, "#I#2", e.car_hauteur), -cases_max, cases_max);
    r.par_page = borne(lit(e.par_page, "#I#10", e.car_par_page), -par_page_max, par_page_max);
    return r;
}

long touches_par_rangee(long colonnes, long largeur) {
    if (largeur == 0) return 0;
    return txt::round_even(static_cast<double>(colonnes) / static_cast<double>(largeur));
}

int chiffre(const std::string& s, long pos) {
    if (pos < 1 || pos > static_cast<long>(s.size())) return 0;
    const char c = s[static_cast<std::size_t>(pos - 1)];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::string libelle_article(const std::string& code) {
    std::string s = code;
    const long des = txt::instr(s, "|DES:");
    if (des > 0) s = txt::mid(s, des + 5);
    const long barre = txt::instr(s, "|");
    if (barre > 0) s = txt::left(s, barre - 1);
    return s;
}

std::string libelle_famille(const std::string& nom) {
    std::string s = txt::trim(nom);
    const long cou = txt::instr(s, "|COU:");
    if (cou > 0) s = txt::left(s, cou - 1);
    return s;
}

page calcule(genre g, const reglages& r, long numero, long famille) {
    page p;
    switch (g) {
        case genre::serveurs:
            p.haut = p.bas = "Serveurs";
            break;
        case genre::familles:
            p.haut = p.bas = "Familles";
            break;
        case genre::articles:
            p.haut = "Articles ";
            p.bas = "Articles";
            break;
    }

    const long par_rangee = touches_par_rangee(nb_colonnes_touches, r.largeur);
    const double largeur = static_cast<double>(larg_touche) * static_cast<double>(r.largeur);
    const double hauteur = static_cast<double>(haut_touche) * static_cast<double>(r.hauteur);
    const long nombre = std::clamp(r.par_page, 1L, static_cast<long>(touches_max));
    // A page starts where the keys of the page before it ended: a page asked
    // for more keys than there are touch codes draws only those, and the
    // catalogue entries it could not draw open the next page.
    const long long debut = static_cast<long long>(numero) * std::min(r.par_page, nombre);

    std::string texte_page;
    double x = 0, y = 500;
    p.touches.reserve(static_cast<std::size_t>(nombre));
    for (long i = 1; i <= nombre; ++i) {
        touche t;
        t.index = static_cast<int>(i);
        t.left = x;
        t.top = y;
        t.width = largeur;
        t.height = hauteur;
        switch (g) {
            case genre::serveurs: {
                const long long n = debut + i;
                t.code = "#SERV#" + txt::format(static_cast<double>(n), "00");
                if (n >= 0 && n <= nb_max_serveurs) t.libelle = serveurs[static_cast<std::size_t>(n)];
                t.couleur = chiffre(texte_ccou, i);
                break;
            }
            case genre::familles: {
                const long long n = debut + i - 1;
                t.code = "#FAMI#" + txt::format(static_cast<double>(n), "00");
                // Names exist for families 0 to 20 only; a key beyond them is blank.
                const bool connue = n >= 0 && n <= 20;
                const std::string nom = connue ? familles[static_cast<std::size_t>(n)] : std::string();
                if (connue) t.libelle = libelle_famille(nom);
                const long cou = txt::instr(nom, "|COU:");
                t.couleur = cou > 0 ? chiffre(nom, cou + 5) : chiffre(texte_ccof, static_cast<long>(n + 1));
                break;
            }
            case genre::articles: {
                const long long k = debut + i;
                const bool dans_table =
                    famille >= 0 && famille <= nb_max_familles_article && k >= 1 && k <= nb_max_articles;
                if (!dans_table) break;  // no caption, no code: the key does nothing
                const std::string& texte =
                    articles[static_cast<std::size_t>(famille)][static_cast<std::size_t>(k)];
                t.code = "#AJOU#" + texte;
                if (!vide(texte)) t.libelle = libelle_article(t.code);
                const long cou = txt::instr(texte, "|COU:");
                t.couleur = cou > 0 ? chiffre(texte, cou + 5) : 0;
                break;
            }
        }
        texte_page += txt::trim(t.libelle);
        p.touches.push_back(std::move(t));

        if (par_rangee <= 0 || i % par_rangee == 0) {
            y = static_cast<double>(txt::round_even(y + hauteur));
            x = 0;
        } else {
            x = static_cast<double>(txt::round_even(x + largeur));
        }
    }

    p.vide = texte_page.empty();
    switch (g) {
        case genre::serveurs:
            p.images_barre = "18xxx:17xxx:00xxx:00xxx:00xxx:00xxx:";
            p.codes_barre = "#RETS#|#SUIS#|||||";
            break;
        case genre::familles:
            p.images_barre =
                p.vide ? "18xxx:00xxx:00xxx:00xxx:22xxx:24xxx:" : "18xxx:17xxx:00xxx:00xxx:22xxx:24xxx:";
            p.codes_barre = p.vide ? "#RETF#||||#FONC#NOTE|#MENU#|" : "#RETF#|#SUIF#|||#FONC#NOTE|#MENU#|";
            break;
        case genre::articles:
            p.images_barre =
                p.vide ? "18xxx:00xxx:00xxx:00xxx:22xxx:24xxx:" : "18xxx:17xxx:00xxx:00xxx:22xxx:24xxx:";
            p.codes_barre = p.vide ? "#RETO#||||#FONC#NOTE|#LFAM#|" : "#RETO#|#SUIT#|||#FONC#NOTE|#LFAM#|";
            break;
    }
    return p;
}

}  // namespace ecran_touches
