// The provisional order "prov.txt", written when the program is closed from
// the end function: the server, the table and covers, and the unsent lines.
// Nothing reads it back.
#pragma once

#include <string>

namespace commande_provisoire {

constexpr const char* nom_fichier = "prov.txt";

// The file's bytes from the current order globals.
std::string contenu();
// Replaces "prov.txt" of the current folder; false when it cannot be written.
bool ecrit();

}  // namespace commande_provisoire
