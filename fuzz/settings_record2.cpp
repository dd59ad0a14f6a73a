// Record 2 (the screen format "#I#wwwwxhhhhh") and the key grid records read
// with it at start.
#include <cmath>

#include "settings.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string records = fuzz::text(data, size);
    // A file without a format opens the format chooser, a screen, instead.
    records.resize(std::max<std::size_t>(records.size(), 40), ' ');
    records.replace(20, 3, "#I#");
    fuzz::open_settings(records, 1);
    reset_globals();
    Module1::lit_parametres();
    fuzz::check(largeur_ecran <= 2000 && hauteur_ecran <= 2000, "screen size held");
    fuzz::check(nb_colonnes_touches > 0 && nb_rangees_touches > 0, "a key grid to lay out");
    fuzz::check(std::isfinite(larg_touche) && std::isfinite(haut_touche), "key sizes are numbers");
    fuzz::close_settings();
    return 0;
}
