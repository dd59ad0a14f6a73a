// The order file built from an order whose lines come from outside text:
// line 1 the table and covers, line 2 the tablet's identity, then one order
// line per line (articles, fixed menus "FA2:99" with their components).
#include "order/order_file.h"

#include "order/table_couverts.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto lignes = fuzz::lines(fuzz::text(data, size));
    fichier_commande::commande c;
    c.num_serveur = 7;
    if (!lignes.empty()) c.table_couverts = lignes[0];
    if (lignes.size() > 1) c.id_tablette = lignes[1];
    if (lignes.size() > 2) c.lignes.assign(lignes.begin() + 2, lignes.end());
    const std::string octets = fichier_commande::contenu(c);
    fuzz::check(octets.size() >= 2 && octets.compare(octets.size() - 2, 2, "\r\n") == 0, "ends with CR LF");
    platform::date_time d{};
    d.year = 2026;
    d.month = 12;
    d.day = 31;
    d.hour = 23;
    d.minute = 59;
    d.second = 59;
    fichier_commande::nom(d, c.num_serveur, c.table_couverts);
    fichier_commande::nom(fichier_commande::seconde_suivante(d), c.num_serveur, c.table_couverts);
    return 0;
}
