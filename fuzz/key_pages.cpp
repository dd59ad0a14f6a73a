// A page of the key-programming file "progppb.wdo" (records 1 to 98 of page
// 0): the keys the main screen draws from it, and the page as the
// key-programming editor shows it and saves it back.
#include <algorithm>

#include "configuration/key_page.h"
#include "main_screen/programmed_keys.h"
#include "shared/globals.h"
#include "shared/record_files.h"
#include "support.h"

namespace {

bool memes_touches(const std::vector<page_programmee::touche>& a,
                   const std::vector<page_programmee::touche>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto &x = a[i], &y = b[i];
        if (x.code != y.code || x.libelle != y.libelle || x.image != y.image || x.visible != y.visible ||
            x.taille_police != y.taille_police || x.couleur != y.couleur || x.width != y.width ||
            x.height != y.height || x.taille_naturelle != y.taille_naturelle)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::text(data, size);
    fuzz::write(programmation::nom_fichier, bytes);
    auto& f = programmation::fichier();
    fuzz::check(f.open(fuzz::folder() / programmation::nom_fichier), "key file opens");

    nb_colonnes_touches = 12;
    nb_rangees_touches = 8;
    larg_touche = 1280;
    haut_touche = 1150;
    serveurs[1] = "Julie";
    familles[2] = "Desserts";
    const auto avant = page_programmee::calcule(0);

    auto page = page_touches::lit_page(f, 0);
    for (int i = 1; i <= page_touches::nb_touches; ++i) {
        auto& l = page.lignes[static_cast<std::size_t>(i)];
        page_touches::valeur_couleur(l[page_touches::col::valeur_couleur]);
        page_touches::ligne copie = l;
        page_touches::colle(copie, page_touches::copie(l));
        // "\xA7" separates the cells of the clipboard: a cell holding one cannot come back whole.
        const bool separateur = std::any_of(
            l.begin(), l.end(), [](const std::string& c) { return c.find('\xA7') != std::string::npos; });
        fuzz::check(separateur || copie == l, "a key copied and pasted is the same key");
    }
    // Saved unchanged by the editor, the page draws the same keys.
    fuzz::check(page_touches::ecrit_page(f, 0, page), "page written");
    fuzz::check(memes_touches(avant, page_programmee::calcule(0)), "a page saved unchanged keeps its keys");

    const std::string premiere = bytes.substr(0, bytes.find('\n'));
    page_touches::page_demandee(premiere);
    page_touches::numero_switch(premiere);
    f.close();
    return 0;
}
