// The computers named by the network listing "listres.txt": only its lines
// that begin with two backslashes count, and of each the first 18 characters
// without surrounding blanks ("\\" and the name; a longer name is cut there).
#pragma once

#include <string>
#include <vector>

namespace Ostrevane::liste_reseau {

constexpr const char* nom_fichier = "listres.txt";

std::vector<std::string> ordinateurs(const std::vector<std::string>& lignes);

}  // namespace Ostrevane::liste_reseau
