// The numeric keypad's cells and what a touch of one does to the entry,
// without the screen.
#pragma once

#include <array>
#include <string>

namespace pave {

constexpr int rangees = 4, colonnes = 3;

// The font sizes offered by the font-size mode; the last one has no cell.
inline constexpr std::array<const char*, 13> tailles = {"14", "18", "24", "28", "34", "38", "44",
                                                        "48", "54", "58", "64", "68", "74"};

// Text of the cell at row r, column c (from 0).
std::string texte_cellule(bool saisie_taille, int r, int c);

// The entry after a touch of a cell showing `cellule`: a size replaces it,
// "C" drops its last character, any other key is appended; an empty cell
// changes nothing.
std::string apres_touche(bool saisie_taille, const std::string& entree, const std::string& cellule);

// The masked echo: one "*" per character.
std::string masque(const std::string& entree);

}  // namespace pave
