#include "order/menu_text.h"

namespace menu_compose {

namespace {
// Takes the text before the first `marque` into `piece` and drops both;
// false (and nothing taken) when the mark is missing.
bool prend_jusqu_a(std::string_view& reste, char marque, std::string& piece) {
    const auto p = reste.find(marque);
    if (p == std::string_view::npos) return false;
    piece = std::string(reste.substr(0, p));
    reste.remove_prefix(p + 1);
    return true;
}
}  // namespace

menu decode(std::string_view texte) {
    menu m;
    const auto debut = texte.find("{{");
    if (debut == std::string_view::npos) return m;
    std::string_view reste = texte.substr(debut + 2);
    for (int k = 0; k < nb_cours; ++k) {
        if (!prend_jusqu_a(reste, '\xB5', m.titres_cours[k])) return m;
        for (int i = 0; i < nb_plats; ++i) {
            std::string ref, nom;
            if (!prend_jusqu_a(reste, '|', ref)) return m;
            m.refs_plats[k][i] = ref;
            if (!prend_jusqu_a(reste, '\xA6', nom)) return m;
            m.noms_plats[k][i] = nom;
        }
    }
    return m;
}

std::string designation(std::string_view texte) {
    const auto p = texte.find('|');
    if (p == std::string_view::npos || p + 5 > texte.size()) return {};
    std::string_view d = texte.substr(p + 5);
    return std::string(d.substr(0, d.find('|')));
}

}  // namespace menu_compose
