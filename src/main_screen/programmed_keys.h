// A page of programmed keys from the key-programming file "progppb.wdo":
// one key per cell of the key grid, row by row, key k being record
// page * 100 + k; computed without widgets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace page_programmee {

// A page has key records 1 to 95 (and touch codes 1 to 100): no more keys
// are drawn, whatever the grid.
constexpr int touches_max = 95;

struct touche {
    int index = 0;                                    // btt(index), btx(index), codes_touches(index)
    double left = 0, top = 0, width = 0, height = 0;  // the cells the key spans, twips
    int image = 0;                                    // picture number, 0 for none
    bool taille_naturelle = false;                    // the picture keeps its own size
    bool visible = false;
    double taille_police = 12;
    std::int32_t couleur = 0;  // caption colour, 0xBBGGRR
    std::string libelle;
    std::string code;
};

// The keys of page `num_page`, read from the open key-programming file.
std::vector<touche> calcule(long num_page);

// Caption of a key: its caption trimmed, or the catalogue name of the server
// ("#SERV#nn") or family ("#FAMI#nn") that it names.
std::string libelle(const std::string& caption);

// A natural-size picture in a span: centred when smaller, cut when larger.
// Returns the picture's new start and extent along one axis.
struct segment {
    double debut, longueur;
};
segment place_naturelle(double debut_case, double longueur_case, double longueur_image);

}  // namespace page_programmee
