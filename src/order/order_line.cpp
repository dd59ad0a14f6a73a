#include "order/order_line.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace ligne_commande {

namespace {
constexpr std::string_view marque_quantite = "##QUA:";
constexpr std::size_t longueur_champ_quantite = 14;
}  // namespace

std::optional<double> quantite_lue(std::string_view ligne) {
    const auto p = ligne.find(marque_quantite);
    if (p == std::string_view::npos) return std::nullopt;
    return txt::val(ligne.substr(p + marque_quantite.size()));
}

double quantite(std::string_view ligne) {
    return quantite_lue(ligne).value_or(1.0);
}

int quantite_initiale(std::string_view ligne) {
    const double q = quantite_lue(ligne).value_or(1.0);
    // The field holds three integer digits: anything else would change its width.
    if (!(q >= quantite_min)) return quantite_min;
    if (q >= quantite_max) return quantite_max;
    return static_cast<int>(std::lround(q));
}

int plus(int q) {
    return q < quantite_max ? q + 1 : q;
}
int moins(int q) {
    return q >= 2 ? q - 1 : q;
}

std::string designation(std::string_view ligne) {
    const auto p = ligne.find("|DES:");
    std::string_view d = p == std::string_view::npos ? ligne : ligne.substr(p + 5);
    const auto fin = d.find('|');
    return std::string(fin == std::string_view::npos ? d : d.substr(0, fin));
}

double prix_unitaire(std::string_view ligne) {
    const auto p = ligne.find("|PVE:");
    return txt::val(p == std::string_view::npos ? ligne : ligne.substr(p + 5));
}

std::vector<std::string> complements(std::string_view ligne, bool jusqu_a_la_fin) {
    std::vector<std::string> groupes;
    std::size_t p = ligne.find('{');
    while (p != std::string_view::npos) {
        const std::size_t fin = ligne.find('}', p + 1);
        if (fin == std::string_view::npos) {
            if (jusqu_a_la_fin) groupes.emplace_back(ligne.substr(p + 1));
            break;
        }
        groupes.emplace_back(ligne.substr(p + 1, fin - p - 1));
        p = ligne.find('{', fin + 1);
    }
    return groupes;
}

std::string nettoie_complement(std::string_view texte) {
    std::string propre;
    propre.reserve(texte.size());
    for (char c : texte) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '{' || c == '}' || c == '|' || c == '\xA4' || c == '\xD0' || c == '\xF0' || u < 32 ||
            u == 127)
            continue;
        propre += c;
    }
    return txt::trim(propre);
}

std::string_view texte_article(std::string_view ligne) {
    return ligne.substr(0, std::min(ligne.find(marque_quantite), ligne.find('{')));
}

std::string partie_article(std::string_view recue) {
    std::string l(recue);
    // Every quantity field goes, not only the first: one left in a catalogue
    // text would stand before the new field and be read as the quantity.
    for (auto q = l.find("##QUA"); q != std::string::npos; q = l.find("##QUA"))
        l.erase(q, longueur_champ_quantite);
    const auto accolade = l.find('{');
    if (accolade != std::string::npos) l.erase(accolade);
    return txt::trim(l);
}

std::string reconstruit(std::string_view recue, int quantite,
                        const std::vector<std::string>& lignes_complements) {
    const int q = std::clamp(quantite, quantite_min, quantite_max);
    std::string l = partie_article(recue) + " ##QUA:" + txt::format(q, "000.00") + "##";
    for (const auto& c : lignes_complements) {
        const std::string propre = nettoie_complement(c);
        if (!propre.empty()) l += "{" + propre + "}";
    }
    return l;
}

std::string prix_affiche(double prix) {
    return txt::format(prix, "0.00") + " ";
}

std::string total_affiche(std::string_view prix_montre, std::string_view quantite_montree) {
    return prix_affiche(txt::val(prix_montre) * txt::val(quantite_montree));
}

}  // namespace ligne_commande
