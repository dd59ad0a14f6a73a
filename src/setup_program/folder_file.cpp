#include "setup_program/folder_file.h"

#include <vector>

#include "platform/text_file.h"

namespace Ostrevane::fichier_dossier {

lecture lit(const std::filesystem::path& fichier) {
    lecture l;
    std::error_code ec;
    if (!std::filesystem::exists(fichier, ec)) return l;
    const auto texte = platform::read_lines(fichier);
    if (!texte) {
        l.resultat = etat::illisible;
        return l;
    }
    l.resultat = etat::lu;
    for (std::size_t i = 0; i < nb_lignes && i < texte->size(); ++i) l.texte[i] = (*texte)[i];
    return l;
}

std::string contenu(const lignes& texte) {
    return platform::join_lines(std::vector<std::string>(texte.begin(), texte.end()));
}

bool ecrit(const lignes& texte, const std::filesystem::path& fichier) {
    return platform::write_file_atomic(fichier, contenu(texte));
}

std::string ligne_dossier(const std::string& dossier) {
    if (!dossier.empty() && dossier.back() == '/') return dossier;
    return dossier + "/";
}

}  // namespace Ostrevane::fichier_dossier
