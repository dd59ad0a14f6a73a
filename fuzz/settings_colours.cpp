// Colour records 1701 to 1749 (the classes' colours and the custom scheme)
// as read at start and when the custom scheme is applied.
#include "configuration/colour_schemes.h"
#include "settings.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace jc = jeux_couleurs;
    fuzz::open_settings(fuzz::text(data, size), 1701);
    Module1::lit_parametres();
    jc::recharge();
    for (int k = 1; k <= jc::nb_classes; ++k) {
        parametres::valeur_couleur(parametres::lit(jc::enreg_perso_fond(k)));
        parametres::valeur_couleur(parametres::lit(jc::enreg_perso_texte(k)));
    }
    jc::applique(jc::index_perso);
    // What the custom scheme wrote is read back as the same colours.
    for (int k = 1; k <= jc::nb_classes; ++k) {
        const auto i = static_cast<std::size_t>(k);
        fuzz::check(jc::valeur(parametres::lit(jc::enreg_fond(k))) == coul_fond[i], "back colour read back");
        fuzz::check(jc::valeur(parametres::lit(jc::enreg_texte(k))) == coul_texte[i],
                    "text colour read back");
    }
    fuzz::close_settings();
    return 0;
}
