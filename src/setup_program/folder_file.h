// The folder file "wfichdir.wdo" as the set-up program keeps it: seven lines,
// line 1 the exchange folder the main program reads, line 2 the update
// folder, lines 3 to 7 carried over as they were read.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace Ostrevane::fichier_dossier {

constexpr const char* nom_fichier = "wfichdir.wdo";
constexpr std::size_t nb_lignes = 7;

using lignes = std::array<std::string, nb_lignes>;

enum class etat { absent, lu, illisible };

struct lecture {
    etat resultat = etat::absent;
    // Lines missing from a short file, or from a file that is absent or
    // cannot be read, are empty.
    lignes texte;
};

lecture lit(const std::filesystem::path& fichier = nom_fichier);

// Exactly the seven lines, each ended by CR LF.
std::string contenu(const lignes& texte);

// Written whole or not at all: the main program never finds half a file.
bool ecrit(const lignes& texte, const std::filesystem::path& fichier = nom_fichier);

// The exchange folder as line 1 holds it: the folder and one final "/".
std::string ligne_dossier(const std::string& dossier);

}  // namespace Ostrevane::fichier_dossier
