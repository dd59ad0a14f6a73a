// An order line as the line editor receives it (an article's catalogue text,
// or a line of the order already built): quantity, designation, price,
// complements, and the line it rebuilds.
#include "order/order_line.h"

#include "platform/text.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace lc = ligne_commande;
    const std::string recue = fuzz::text(data, size);
    lc::quantite(recue);
    const int q = lc::quantite_initiale(recue);
    fuzz::check(q >= lc::quantite_min && q <= lc::quantite_max, "editor quantity within 1 to 999");
    lc::designation(recue);
    const std::string prix = lc::prix_affiche(lc::prix_unitaire(recue));
    lc::total_affiche(prix, txt::str(q));
    lc::complements(recue, true);
    const auto groupes = lc::complements(recue);
    lc::partie_article(recue);

    const std::string ligne = lc::reconstruit(recue, lc::plus(q), groupes);
    fuzz::check(lc::quantite(ligne) == lc::plus(q), "rebuilt line carries the quantity given");
    // The complements kept are the cleaned, non-empty ones, in order.
    std::vector<std::string> propres;
    for (const auto& g : groupes)
        if (!lc::nettoie_complement(g).empty()) propres.push_back(lc::nettoie_complement(g));
    fuzz::check(lc::complements(ligne) == propres, "complements read back as written");
    return 0;
}
