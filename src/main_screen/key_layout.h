// The pages of touch keys of the main screen (servers, families, articles):
// where each key goes, its touch code, its colour and its caption, computed
// from the key grid, the screen's settings and the catalogue, without widgets.
#pragma once

#include <string>
#include <vector>

namespace ecran_touches {

enum class genre { serveurs, familles, articles };

// Touch codes exist for keys 1 to 100: no page holds more keys.
constexpr int touches_max = 100;

// The four settings records of a key screen, as read.
struct reglages {
    double taille_police = 0;  // caption font size, whole points
    long largeur = 0;          // key width in grid cells
    long hauteur = 0;          // key height in grid cells
    long par_page = 0;         // keys per page
};

// Reads the screen's records, writing back the default of any record that
// is not an integer record.
reglages lit_reglages(genre g);

struct touche {
    int index = 0;  // 1 to 100: btt(index), btx(index), codes_touches(index)
    double left = 0, top = 0, width = 0, height = 0;  // the key picture, twips
    int couleur = 0;                                  // picture 0 to 9 of the key pictures
    std::string code;
    std::string libelle;
};

struct page {
    std::vector<touche> touches;
    std::string haut, bas;                  // bar captions
    std::string images_barre, codes_barre;  // the function bar
    bool vide = false;                      // every caption of the page is blank
};

// Keys in a row: C / w rounded (halves to even); 0 when w is 0 (every key
// then starts a row).
long touches_par_rangee(long colonnes, long largeur);
// Colour digit at 1-based position pos of s: 0 when not a digit or past the end.
int chiffre(const std::string& s, long pos);
// Caption of an article key, from its touch code.
std::string libelle_article(const std::string& code);
// Caption of a family name: trimmed, cut before "|COU:".
std::string libelle_famille(const std::string& nom);

// Page `numero` (from 0) of the screen; `famille` is the family whose
// articles are shown. Reads the key grid and catalogue globals.
page calcule(genre g, const reglages& r, long numero, long famille);

}  // namespace ecran_touches
