// The menu-formula composer's own state and rules, without widgets: the
// table of composed lines kept by a validation, the page of menu keys, and
// the two pointer modes that the composer signals by the mouse pointer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the last validation of the composer kept: element 0 the number of
// lines as text, then the lines, then an empty element after the last.
inline std::array<std::string, 101> liste_formule;
// The composer's page of menu keys, 0 to 3, kept from one opening to the next.
inline std::int16_t page_formule = 0;

namespace formule {

constexpr int derniere_page = 3;
// Lines that the table can hold after its count element.
constexpr int nb_max_lignes = 100;

// The page before or after, held within 0 to 3.
std::int16_t page_precedente(std::int16_t page);
std::int16_t page_suivante(std::int16_t page);

// A composed line as the table keeps it: its characters 81 to 95 first, then
// the whole line.
std::string element(const std::string& ligne);

// Fills the table from the composed lines, first line in element 1. Lines
// past the table's room are not kept, and the count tells how many were.
void valide(std::array<std::string, 101>& liste, const std::vector<std::string>& lignes);
// Empties every element.
void annule(std::array<std::string, 101>& liste);

// A mode button touched while the pointer shows `actuel`: touching the mode
// that is on turns it off (normal pointer); any other state switches to it.
int bascule_mode(int actuel, int mode);

}  // namespace formule
