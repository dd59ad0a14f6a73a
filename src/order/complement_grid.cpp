#include "order/complement_grid.h"

#include "order/order_line.h"
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
    const std::string propre = ligne_commande::nettoie_complement(t);
    for (int r = premiere; r <= derniere; ++r)
        if (ligne_commande::nettoie_complement(g.text(r, 0)) == propre) return r;
    return 0;
}

bool contient(const platform::grid& g, const std::string& t) {
    return !ligne_commande::nettoie_complement(t).empty() && cherche(g, t) > 0;
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
    // The row shows what the line will carry.
    const std::string t = ligne_commande::nettoie_complement(texte);
    if (const int r = cherche(g, t)) {
        retire(g, r);
        return false;
    }
    return !t.empty() && ajoute(g, t) > 0;
}

}  // namespace grille_complements
