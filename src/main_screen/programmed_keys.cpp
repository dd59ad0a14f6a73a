#include "main_screen/programmed_keys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "platform/text.h"
#include "shared/globals.h"
#include "shared/record_files.h"

namespace page_programmee {

namespace {

long nombre(const std::string& champ) {
    const double v = txt::val(champ);
    if (std::isnan(v)) return 0;
    return txt::round_even(std::clamp(v, -1e9, 1e9));
}

std::string nom_catalogue(const std::array<std::string, 21>& noms, const std::string& caption) {
    const long n = nombre(txt::mid(caption, 7, 2));
    return n >= 0 && n <= 20 ? noms[static_cast<std::size_t>(n)] : std::string();
}

}  // namespace

std::string libelle(const std::string& caption) {
    const std::string t = txt::trim(caption);
    if (txt::starts_with(t, "#SERV#")) return nom_catalogue(serveurs, t);
    if (txt::starts_with(t, "#FAMI#")) return nom_catalogue(familles, t);
    return t;
}

segment place_naturelle(double debut_case, double longueur_case, double longueur_image) {
    if (longueur_case > longueur_image)
        return {debut_case + (longueur_case - longueur_image) / 2, longueur_image};
    return {debut_case, std::min(longueur_case, longueur_image)};
}

std::vector<touche> calcule(long num_page) {
    std::vector<touche> touches;
    const long base = num_page * 100;
    int k = 0;
    for (long r = 1; r <= nb_rangees_touches && k < touches_max; ++r) {
        const double y =
            static_cast<double>(txt::round_even(500 + static_cast<double>(haut_touche) * (r - 1)));
        double x = 0;
        for (long c = 1; c <= nb_colonnes_touches && k < touches_max; ++c) {
            ++k;
            enreg_touche = programmation::fichier().read(base + k);
            const programmation::touche e = programmation::decode(enreg_touche);
            touche t;
            t.index = k;
            t.code = txt::trim(e.acte);
            t.left = x;
            t.top = y;
            t.width = static_cast<double>(larg_touche) * nombre(txt::mid(e.lh, 1, 1));
            t.height = static_cast<double>(haut_touche) * nombre(txt::mid(e.lh, 2, 1));
            t.image = static_cast<int>(std::clamp(nombre(e.grap), -1L, 100000L));
            t.taille_naturelle = txt::mid(e.grap, 4, 1) == "N";
            t.visible = nombre(e.visu) != 0;
            const long taille = nombre(e.size);
            t.taille_police = taille == 0 ? 12 : static_cast<double>(std::clamp(taille, 1L, 200L));
            t.couleur = static_cast<std::int32_t>(std::clamp<long>(nombre(e.coul),
                                                                   std::numeric_limits<std::int32_t>::min(),
                                                                   std::numeric_limits<std::int32_t>::max()));
            t.libelle = libelle(e.libelle);
            touches.push_back(std::move(t));
            x = static_cast<double>(txt::round_even(x + static_cast<double>(larg_touche)));
        }
    }
    return touches;
}

}  // namespace page_programmee
