// The lines the menu-formula composer keeps on validation: one element per
// line, its characters 81 to 95 then the whole line, under a count.
#include "configuration/menu_formula.h"

#include "platform/text.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lignes = fuzz::lines(fuzz::text(data, size));
    std::array<std::string, 101> liste;
    formule::valide(liste, lignes);
    const long n = static_cast<long>(txt::val(liste[0]));
    fuzz::check(
        n >= 0 && n <= formule::nb_max_lignes && n == std::min<long>(static_cast<long>(lignes.size()), 100),
        "count of the lines kept");
    for (long i = 1; i <= n; ++i)
        fuzz::check(txt::ends_with_nocase(liste[static_cast<std::size_t>(i)],
                                          lignes[static_cast<std::size_t>(i - 1)]),
                    "element ends with its line");
    formule::annule(liste);
    return 0;
}
