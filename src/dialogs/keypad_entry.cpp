#include "dialogs/keypad_entry.h"

namespace pave {

std::string texte_cellule(bool saisie_taille, int r, int c) {
    static const char* const chiffres[rangees][colonnes] = {
        {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"C", "0", "."}};
    if (r < 0 || r >= rangees || c < 0 || c >= colonnes) return {};
    if (saisie_taille) return tailles[static_cast<std::size_t>(r * colonnes + c)];
    return chiffres[r][c];
}

std::string apres_touche(bool saisie_taille, const std::string& entree, const std::string& cellule) {
    if (cellule.empty()) return entree;
    if (saisie_taille) return cellule;
    if (cellule == "C") return entree.empty() ? entree : entree.substr(0, entree.size() - 1);
    return entree + cellule;
}

std::string masque(const std::string& entree) {
    return std::string(entree.size(), '*');
}

}  // namespace pave
