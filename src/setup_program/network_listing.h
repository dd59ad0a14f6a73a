// The computers named by the network listing "listres.txt": only its lines
// that begin with two backslashes count, and of each the name up to the
// first blank ("\\" and the name, whole: a fully qualified name such as
// "\\serveur.restaurant.lan" must reach the server it names).
#pragma once

#include <string>
#include <vector>

namespace Ostrevane::liste_reseau {

constexpr const char* nom_fichier = "listres.txt";

std::vector<std::string> ordinateurs(const std::vector<std::string>& lignes);

}  // namespace Ostrevane::liste_reseau
