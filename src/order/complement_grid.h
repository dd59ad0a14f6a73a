// The complement list of the line editor (column 0 of rows 1 to 300 of
// sel_arti.g1; row 0 is the header). The detail picker and the dish chooser
// add and remove complements here while the line editor waits beneath them;
// it keeps no other copy, so what they write is what it validates.
#pragma once

#include <string>
#include <vector>

#include "platform/grid.h"

namespace grille_complements {

constexpr int premiere = 1;
constexpr int derniere = 300;

// The rows' texts, rows 1 to 300 in order.
std::vector<std::string> lignes(const platform::grid& g);
// The non-blank complements, trimmed, in row order.
std::vector<std::string> presents(const platform::grid& g);
// The same, each followed by "|".
std::string liste(const platform::grid& g);
// Whether a complement equals t exactly, both as the line would carry them
// (ligne_commande::nettoie_complement).
bool contient(const platform::grid& g, const std::string& t);
// The first row whose text equals t so compared (0 when none).
int cherche(const platform::grid& g, const std::string& t);
// Removes row r: the rows below move up one row and row 300 is left empty.
void retire(platform::grid& g, int r);
// Writes t into the first blank row; that row, or 0 when the list is full.
int ajoute(platform::grid& g, const std::string& t);
// The touch of a detail or dish: removes its first occurrence when present,
// else adds it as the line will carry it. True when it is in the list afterwards.
bool bascule(platform::grid& g, const std::string& texte);

}  // namespace grille_complements
