// The table and covers of an order: the texts typed on the table dialog
// (line 1 the table, line 2 the covers), the stored string read back, and
// the catalogue's table plan (line 3).
#include "order/table_couverts.h"

#include <algorithm>
#include <string>

#include "platform/text.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lignes = fuzz::lines(fuzz::text(data, size));
    auto ligne = [&](std::size_t i) { return i < lignes.size() ? lignes[i] : std::string(); };
    const std::string tc = tables::compose(ligne(0), ligne(1));
    fuzz::check(tc.size() == 7 && tc.compare(0, 2, "#N") == 0, "seven characters after #N");
    tables::champ_table(tc);
    tables::champ_couverts(tc);
    const long n = tables::numero_table(tc);
    fuzz::check(n >= 0 && n <= 999, "a table of three digits");
    tables::nb_couverts(tc);
    // The string as read back from a file may be anything.
    tables::numero_table(ligne(0));
    tables::nb_couverts(ligne(0));
    tables::table_connue(ligne(2), n);
    for (const auto& e : tables::entrees_plan(ligne(2)))
        if (e.size() == 3 && std::all_of(e.begin(), e.end(), [](char c) { return c >= '0' && c <= '9'; }))
            fuzz::check(tables::table_connue(ligne(2), std::stol(e)), "a table of the plan is known");
    tables::ajoute_chiffre(ligne(0), ligne(1));
    tables::couverts_acceptables(ligne(1));
    return 0;
}
