// The catalogue files "velmorin.wdo" and "wvelmorin.wdo" as a restaurant
// receives them, then what the screens make of each article: its key caption,
// the line editor's price and quantity, the rebuilt order line, the table plan.
#include "shared/catalogue.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "main_screen/key_layout.h"
#include "order/order_line.h"
#include "order/table_couverts.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "support.h"

namespace {

void article(const std::string& a) {
    namespace lc = ligne_commande;
    ecran_touches::libelle_article(a);
    lc::designation(a);
    const std::string prix = lc::prix_affiche(lc::prix_unitaire(a));
    const int q = lc::quantite_initiale(a);
    fuzz::check(q >= lc::quantite_min && q <= lc::quantite_max, "editor quantity within 1 to 999");
    lc::total_affiche(prix, txt::str(q));
    // An article reaches the kitchen with the quantity it was given, nothing else.
    const std::string ligne = lc::reconstruit(a, q, lc::complements(a));
    fuzz::check(lc::quantite(ligne) == q, "rebuilt line carries the quantity given");
    fuzz::check(lc::quantite_initiale(ligne) == q, "rebuilt line reopens with its quantity");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::text(data, size);
    // The program reads these files from its current folder.
    const fuzz::in_folder ici;
    fuzz::write("velmorin.wdo", bytes);
    fuzz::write("wvelmorin.wdo", bytes);
    reset_globals();
    hors_ligne = true;
    Module1::charge_fichiers();

    long famille = 1;
    for (int f = nb_max_familles_article; f >= 0; --f) {
        const auto fi = static_cast<std::size_t>(f);
        fuzz::check(nb_articles[fi] >= 0, "article count not negative");
        if (nb_articles[fi] > 0) famille = f;
        for (int i = 1; i <= nb_articles[fi] && i <= nb_max_articles; ++i)
            article(articles[fi][static_cast<std::size_t>(i)]);
    }

    nb_colonnes_touches = 6;
    nb_rangees_touches = 8;
    larg_touche = 2000;
    haut_touche = 1000;
    // The keys of the first family that has articles.
    const ecran_touches::reglages r{14, 2, 2, 10};
    for (auto g :
         {ecran_touches::genre::serveurs, ecran_touches::genre::familles, ecran_touches::genre::articles})
        for (long page = 0; page < 2; ++page) ecran_touches::calcule(g, r, page, famille);

    for (const auto& e : tables::entrees_plan(liste_tables))
        if (e.size() == 3 && std::all_of(e.begin(), e.end(), [](char c) { return c >= '0' && c <= '9'; }))
            fuzz::check(tables::table_connue(liste_tables, std::stol(e)), "a table of the plan is known");
    return 0;
}
