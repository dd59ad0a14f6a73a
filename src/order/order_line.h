// The order line: the article's catalogue text (trimmed), one blank, the
// 14-character quantity field "##QUA:000.00##", then one "{complement}" group
// per complement. The line editor builds it; the summary, the order file and
// the provisional order read it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ligne_commande {

constexpr int quantite_min = 1;
constexpr int quantite_max = 999;
constexpr int nb_max_complements = 300;

// The number that follows the first "##QUA:", or nothing when the line has none.
std::optional<double> quantite_lue(std::string_view ligne);
// The quantity a line is sent with: 1 when it carries none.
double quantite(std::string_view ligne);
// The quantity the line editor starts from: a whole number from 1 to 999.
int quantite_initiale(std::string_view ligne);
int plus(int q);
int moins(int q);

// The text after the first "|DES:" (the whole line without one), up to the next "|".
std::string designation(std::string_view ligne);
// The number after the first "|PVE:" (at the start of the line without one).
double prix_unitaire(std::string_view ligne);

// The contents of the "{...}" groups in line order. An unmatched "{" ends the
// reading, or, with jusqu_a_la_fin, gives the rest of the line as the last one.
std::vector<std::string> complements(std::string_view ligne, bool jusqu_a_la_fin = false);

// What a complement becomes in the line: no "{", "}" or control characters,
// no "|" (the order file's separator of complements), none of the marks of a
// fixed menu's component list ("\xA4", "\xD0", "\xF0"), no leading or trailing
// blanks; "" when nothing is left (then it is dropped). Every complement goes
// through it on its way into a line, typed or picked.
std::string nettoie_complement(std::string_view texte);

// The article's catalogue text as it stands in a line: what precedes the
// quantity field and the first complement group. Only this part tells a fixed
// menu ("FA2:99") and holds its components.
std::string_view texte_article(std::string_view ligne);

// The received line without its quantity fields and complement groups, trimmed.
std::string partie_article(std::string_view recue);
// The line rebuilt from the received one with the quantity and the rows of the
// complement list (blank rows and rows left empty once cleaned are skipped).
std::string reconstruit(std::string_view recue, int quantite,
                        const std::vector<std::string>& lignes_complements);

// Price and total as the line editor shows them: "0.00" and one blank. The total
// is computed from the price as shown, so it always matches what the waiter sees.
std::string prix_affiche(double prix);
std::string total_affiche(std::string_view prix_montre, std::string_view quantite_montree);

}  // namespace ligne_commande
