#include "order/complement_grid.h"

#include "platform/text.h"

namespace grille_complements {

std::vector<std::string> lignes(const platform::grid& g) {
    std::vector<std::string> l;
    l.reserve(derniere);
    for (int r = premiere; r <= derniere; ++r) l.push_back(g.text(r, 0));
    return l;
}

std::vector<std::string> presents(const platform::grid& g) {
    std::vector<std::string> p;
    for (int r = premiere; r <= derniere; ++r) {
        std::string t = txt::trim(g.text(r, 0));
        if (!t.empty()) p.push_back(std::move(t));
    }
    return p;
}

std::string liste(const platform::grid& g) {
    std::string l;
    for (const auto& t : presents(g)) l += t + "|";
    return l;
}

int cherche(const platform::grid& g, const std::string& t) {
    for (int r = premiere; r <= derniere; ++r)
        if (txt::trim(g.text(r, 0)) == t) return r;
    return 0;
}

bool contient(const platform::grid& g, const std::string& t) {
    return !t.empty() && cherche(g, t) > 0;
}

void retire(platform::grid& g, int r) {
    if (r < premiere || r > derniere) return;
    for (int k = r; k < derniere; ++k) g.set_text(k, 0, g.text(k + 1, 0));
    g.set_text(derniere, 0, "");
}

int ajoute(platform::grid& g, const std::string& t) {
    for (int r = premiere; r <= derniere; ++r)
        if (txt::trim(g.text(r, 0)).empty()) {
            g.set_text(r, 0, t);
            // The line editor beneath shows what was just added.
            g.show_row(r);
            return r;
        }
    return 0;
}

bool bascule(platform::grid& g, const std::string& texte) {
    const std::string t = txt::trim(texte);
    if (const int r = cherche(g, t)) {
        retire(g, r);
        return false;
    }
    return ajoute(g, texte) > 0 && !t.empty();
}

}  // namespace grille_complements
