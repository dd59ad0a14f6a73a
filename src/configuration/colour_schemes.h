// The colour schemes of the colour-scheme screen: the six predefined
// schemes, the custom scheme kept in the settings file, and what choosing a
// scheme writes into the settings records of the nine colour classes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace jeux_couleurs {

constexpr int nb_classes = 9;
// The predefined schemes, one per button of the screen (indexes 0 to 5).
constexpr int nb_predefinis = 6;
// The custom scheme, kept in records 1731-1749; no button reaches it.
constexpr int index_perso = 6;

struct jeu {
    // The caption of the scheme's button, as shown.
    const char* libelle;
    // Back and text colours of classes 1 to 9 (element 0 is class 1).
    std::array<std::int32_t, nb_classes> fond;
    std::array<std::int32_t, nb_classes> texte;
};

// Predefined scheme 0 to 5.
const jeu& predefini(int index);

// Settings records of class k (1 to 9).
constexpr long enreg_texte(int k) {
    return 1700 + k;
}
constexpr long enreg_fond(int k) {
    return 1710 + k;
}
constexpr long enreg_perso_fond(int k) {
    return 1730 + k;
}
constexpr long enreg_perso_texte(int k) {
    return 1740 + k;
}

// The colour a record holds: the number after "#I#", rounded; -1 (class not
// set) when the record lacks the marker or holds no 32-bit value.
std::int32_t valeur(const std::string& enreg);
// A colour as a record: "#I#" and its signed decimal value.
std::string enregistrement(std::int32_t couleur);

// coul_texte and coul_fond of classes 1 to 9 from their records.
void recharge();
// Applies scheme `index` (0 to 5 predefined, 6 custom) to the settings
// records and to coul_texte / coul_fond; any other index applies nothing.
void applique(int index);
// Blanks the custom scheme's records.
void efface_perso();
// The nine back colours and the nine text colours in decimal, each followed
// by ",".
std::pair<std::string, std::string> liste();

}  // namespace jeux_couleurs
