// Integer settings records ("#I#" and a number) as the key-programming editor
// lets anyone type them: the generic reader and the key-screen settings.
#include "main_screen/key_layout.h"
#include "settings.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string records = fuzz::text(data, size);
    fuzz::open_settings(records, 1);
    const long n_records = static_cast<long>(records.size() / 20) + 1;
    for (long n = 1; n <= n_records && n <= 64; ++n) {
        parametres::lit_entier(n, "#I#20");
        fuzz::check(parametres::est_entier(parametres::lit(n)), "an integer record after its reading");
    }
    for (auto g :
         {ecran_touches::genre::serveurs, ecran_touches::genre::familles, ecran_touches::genre::articles}) {
        const auto r = ecran_touches::lit_reglages(g);
        fuzz::check(r.taille_police >= 1 && r.taille_police <= 200, "key font size within bounds");
    }
    parametres::est_oui(3);
    parametres::est_non(4);
    fuzz::close_settings();
    return 0;
}
