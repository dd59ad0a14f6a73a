// An order line as the line editor receives it (an article's catalogue text,
// or a line of the order already built): quantity, designation, price,
// complements, and the line it rebuilds.
#include "order/order_line.h"

#include "order/order_file.h"
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

    // What the waiter adds changes only the complements the router gets:
    // never a menu, never a component, never a quantity.
    const auto references = [](const std::string& l) {
        const std::string octets = fichier_commande::contenu({"0123456789", 1, "#N0011 ", {l}});
        // The lines that start with "#REF#" (a complement may hold the text).
        std::string refs;
        for (std::size_t p = octets.find("\r\n#REF#"); p != std::string::npos;
             p = octets.find("\r\n#REF#", p + 2))
            refs += octets.substr(p + 2, octets.find("\r\n", p + 2) - p - 2) + "\n";
        return refs;
    };
    fuzz::check(references(ligne) == references(lc::reconstruit(recue, lc::plus(q), {})),
                "complements change no reference line");
    return 0;
}
