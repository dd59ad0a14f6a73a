// The on-screen AZERTY keyboard as designed: its three layouts of 58 keys
// (a "|" marks a special key), the captions the keys are drawn with before
// the first layout change, and where each key lies over the keyboard picture.
#pragma once

#include <string>

namespace clavier {

constexpr int nb_touches = 58;
constexpr int nb_dispositions = 3;

// Special keys, the same in every layout.
enum touche_speciale : int {
    espace = 0,
    retour_arriere = 13,
    efface_tout = 14,
    verrouillage_maj = 26,
    entree = 38,
    majuscule = 39,
    sans_effet = 51,
    liste_haut = 52,
    liste_bas = 53,
    curseur_gauche = 54,
    curseur_droite = 55,
    alternatif = 56,
    echap = 57,
};

// Layout 0 lower case, 1 upper case and digits, 2 alternate characters,
// each exactly 58 code page 1252 characters.
const std::string& disposition(int n);

// The caption key i carries in the screen's design.
std::string legende_dessin(int i);

struct rectangle {
    double left, top, width, height;  // twips, on the keyboard screen
};
rectangle position(int i);

// The screen and its pieces as designed, in twips.
constexpr double largeur_dessin = 13875, hauteur_dessin = 6810;
constexpr double largeur_image = 13995, hauteur_image = 5205, haut_image = 1680;

}  // namespace clavier
