// The composed-menu article text the dish chooser reads: courses and dishes
// between "{{" and "}}".
#include "order/menu_text.h"

#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string texte = fuzz::text(data, size);
    const auto m = menu_compose::decode(texte);
    // The spare index of each table stays empty.
    fuzz::check(m.titres_cours[menu_compose::nb_cours].empty(), "spare course empty");
    for (const auto& cours : m.refs_plats)
        fuzz::check(cours[menu_compose::nb_plats].empty(), "spare dish empty");
    menu_compose::designation(texte);
    return 0;
}
