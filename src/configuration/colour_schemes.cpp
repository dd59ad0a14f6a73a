#include "configuration/colour_schemes.h"

#include <cmath>
#include <limits>

#include "platform/colors.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"

namespace jeux_couleurs {

namespace {

constexpr std::int32_t face = platform::system_button_face;
constexpr std::int32_t texte_bouton = platform::system_button_text;

// Colours are 0xBBGGRR: blue in the high byte.
const std::array<jeu, nb_predefinis> jeux{{
    {"Standard",
     {0x0066FF, 0x663399, 0x00CC99, 0x0066FF, 0x008080, 0xFAFAFA, 0x000080, 0xCCCC33, face},
     {0x00FDFC, 0xFAFAFA, 0x663399, 0xFF0102, 0xFAFAFA, 0xFF0102, 0xFFFFFF, 0xFF0102, texte_bouton}},
    {"Pastel",
     {0xBCFF43, 0xFFBCFF, 0x8FFF70, 0xFFFFCC, 0x00E3FF, 0xFAFAFA, 0xBCFF43, 0x39FFC6, 0xFFD9FF},
     {0x008000, 0x000080, 0x008000, 0x000000, 0x003399, 0xFF8D00, 0xFF0000, 0x000000, 0x003399}},
    {"Fluo",
     {0x0066FF, 0x03FFFC, 0x00FF33, 0x00FFFF, 0xFF0000, 0xFAFAFA, 0xFF00FF, 0xFF005A, face},
     {0xFFFFFF, 0x001DFF, 0x000000, 0xFF2F00, 0xFAFAFA, 0x0020FF, 0xFFFFFF, 0xFFFFFF, texte_bouton}},
    // The button's caption is "N && B" in its design: the doubled ampersand shows as one.
    {"N & B",
     {0x000000, 0xFFFFFF, 0xDEDEDE, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0xC0C0C0},
     {0xFFFFFF, 0x000000, 0x000000, 0x808080, 0xC0C0C0, 0x000000, 0xFFFFFF, 0x000000, 0x333333}},
    {"L.C.D.",
     {0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0, 0x80C0A0},
     {0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {"Anciennes",
     {0x800000, 0x99FFFF, 0x800000, 0xFFFFFF, 0x800000, 0x0099FF, 0x99FFFF, 0xDEDEDE, 0x99CCFF},
     {0x00FFFF, 0x000000, 0xFFFFFF, 0x000000, 0x00FFFF, 0x0099FF, 0x000000, 0x000000, 0x000000}},
}};

std::size_t classe(int k) {
    return static_cast<std::size_t>(k);
}

// A custom colour: its record gets `defaut` first when it holds none.
std::int32_t couleur_perso(long n, const char* defaut) {
    parametres::lit(n);
    if (!parametres::est_entier(enreg_param)) parametres::ecrit(n, defaut);
    return valeur(enreg_param);
}

}  // namespace

const jeu& predefini(int index) {
    return jeux.at(static_cast<std::size_t>(index));
}

std::int32_t valeur(const std::string& enreg) {
    return parametres::valeur_couleur(enreg);
}

std::string enregistrement(std::int32_t couleur) {
    return "#I#" + txt::str(couleur);
}

void recharge() {
    for (int k = 1; k <= nb_classes; ++k) {
        coul_texte[classe(k)] = valeur(parametres::lit(enreg_texte(k)));
        coul_fond[classe(k)] = valeur(parametres::lit(enreg_fond(k)));
    }
}

void applique(int index) {
    if (index < 0 || index > index_perso) return;
    for (int k = 1; k <= nb_classes; ++k) {
        std::int32_t fond, texte;
        if (index == index_perso) {
            fond = couleur_perso(enreg_perso_fond(k), "#I#16777215");
        } else {
            fond = jeux[static_cast<std::size_t>(index)].fond[classe(k - 1)];
        }
        coul_fond[classe(k)] = fond;
        parametres::ecrit(enreg_fond(k), enregistrement(fond));
        if (index == index_perso) {
            texte = couleur_perso(enreg_perso_texte(k), "#I#0");
        } else {
            texte = jeux[static_cast<std::size_t>(index)].texte[classe(k - 1)];
        }
        coul_texte[classe(k)] = texte;
        parametres::ecrit(enreg_texte(k), enregistrement(texte));
    }
}

void efface_perso() {
    for (int k = 1; k <= nb_classes; ++k) {
        parametres::ecrit(enreg_perso_fond(k), "");
        parametres::ecrit(enreg_perso_texte(k), "");
    }
}

std::pair<std::string, std::string> liste() {
    std::pair<std::string, std::string> textes;
    for (int k = 1; k <= nb_classes; ++k) {
        textes.first += txt::str(coul_fond[classe(k)]) + ",";
        textes.second += txt::str(coul_texte[classe(k)]) + ",";
    }
    return textes;
}

}  // namespace jeux_couleurs
