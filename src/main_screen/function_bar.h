// The six cells of the main screen's function bar, from a picture string
// ("11xxx:13xxx:...": a two-digit picture number per six characters) and a
// code string (six codes, each ended by "|").
#pragma once

#include <array>
#include <string>

namespace barre_fonctions {

constexpr int cellules = 6;

struct barre {
    // Picture number of each cell in the picture store, -1 for an empty cell.
    std::array<int, cellules> images{};
    std::array<std::string, cellules> codes;
};

// A picture number above 9 gives that picture plus the picture-set offset;
// 0 to 9 leave the cell empty.
barre analyse(const std::string& images, const std::string& codes, int decalage);

// The home view's bar, with the send cell's picture for a reachable or an
// unreachable network folder.
std::string images_accueil(bool joignable);
extern const char* const codes_accueil;

}  // namespace barre_fonctions
