#include "main_screen/folder_file.h"

#include <vector>

#include "platform/text_file.h"

namespace fichier_dossier {

bool existe(const std::filesystem::path& fichier) {
    std::error_code ec;
    return std::filesystem::exists(fichier, ec);
}

std::string premiere_ligne(const std::filesystem::path& fichier) {
    const auto lignes = platform::read_lines(fichier);
    if (!lignes || lignes->empty()) return {};
    return lignes->front();
}

std::string contenu_premier_demarrage(const std::string& dossier) {
    std::vector<std::string> lignes(12, " ");
    lignes[0] = dossier;
    return platform::join_lines(lignes);
}

bool ecrit_premier_demarrage(const std::string& dossier, const std::filesystem::path& fichier) {
    return platform::write_file_atomic(fichier, contenu_premier_demarrage(dossier));
}

}  // namespace fichier_dossier
