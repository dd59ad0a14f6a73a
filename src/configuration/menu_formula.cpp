#include "configuration/menu_formula.h"

#include <algorithm>

#include "platform/services.h"
#include "platform/text.h"

namespace formule {

std::int16_t page_precedente(std::int16_t page) {
    return static_cast<std::int16_t>(std::clamp(page - 1, 0, derniere_page));
}

std::int16_t page_suivante(std::int16_t page) {
    return static_cast<std::int16_t>(std::clamp(page + 1, 0, derniere_page));
}

std::string element(const std::string& ligne) {
    return txt::mid(ligne, 81, 15) + ligne;
}

void valide(std::array<std::string, 101>& liste, const std::vector<std::string>& lignes) {
    // A full table has no room for the empty element after the last line:
    // the count alone then tells where the lines end.
    const int n = std::min(static_cast<int>(lignes.size()), nb_max_lignes);
    for (int i = 0; i < n; ++i)
        liste[static_cast<std::size_t>(i + 1)] = element(lignes[static_cast<std::size_t>(i)]);
    if (n + 1 <= nb_max_lignes) liste[static_cast<std::size_t>(n + 1)].clear();
    liste[0] = txt::str(n);
}

void annule(std::array<std::string, 101>& liste) {
    for (std::string& e : liste) e.clear();
}

int bascule_mode(int actuel, int mode) {
    return actuel == mode ? platform::pointer::normal : mode;
}

}  // namespace formule
