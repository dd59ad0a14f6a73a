// The bar the order screens share: the one-row bar of six equal cells above the bottom bar, with pictures of
// the picture store offset by the picture set.
#pragma once

#include <array>

#include "platform/controls.h"
#include "platform/grid.h"

namespace barre_boutons {

struct cellule {
    int image = -1;  // picture number before the offset; -1 for an empty cell
    int alignement = platform::align::center_center;
};

// Lays the bar across the configured screen (Left 200, Width W - 400, its
// bottom 500 twips above the screen's) with cells `hauteur` twips high, and
// fills it with its repainting suspended.
void pose(platform::grid& g2, double hauteur, const std::array<cellule, 6>& cellules);

}  // namespace barre_boutons
