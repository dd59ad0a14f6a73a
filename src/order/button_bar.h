// The bars the order screens share: the top and bottom bars' look, and the
// one-row bar of six equal cells above the bottom bar, with pictures of the
// picture store offset by the picture set.
#pragma once

#include <array>
#include <functional>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"

namespace barre_boutons {

struct cellule {
    int image = -1;  // picture number before the offset; -1 for an empty cell
    int alignement = platform::align::center_center;
};

// The design look of label_haut and label_bas (colour class 5 paints over it).
void habille_bandeau(platform::label& l);

// Creates label_haut and label_bas of a screen in that look, tagged with the
// colour class `classe`; a double touch on the bottom bar runs `reinitialise`
// (the screen's reset confirmation).
void cree_bandeaux(platform::form& f, const char* classe, std::function<void()> reinitialise);

// Lays the bar across the configured screen (Left 200, Width W - 400, its
// bottom 500 twips above the screen's) with cells `hauteur` twips high, and
// fills it with its repainting suspended.
void pose(platform::grid& g2, double hauteur, const std::array<cellule, 6>& cellules);

}  // namespace barre_boutons
