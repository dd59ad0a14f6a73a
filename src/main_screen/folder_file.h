// The folder file "wfichdir.wdo": line 1 is the network folder; the lines
// after it belong to the set-up program, which reads and rewrites them.
#pragma once

#include <filesystem>
#include <string>

namespace fichier_dossier {

constexpr const char* nom_fichier = "wfichdir.wdo";

bool existe(const std::filesystem::path& fichier = nom_fichier);

// Line 1 as stored; empty when the file holds no line or cannot be read.
std::string premiere_ligne(const std::filesystem::path& fichier = nom_fichier);

// The file as the main program writes it at a first start: the folder
// exactly as typed, then 11 lines of one blank.
std::string contenu_premier_demarrage(const std::string& dossier);
bool ecrit_premier_demarrage(const std::string& dossier, const std::filesystem::path& fichier = nom_fichier);

}  // namespace fichier_dossier
