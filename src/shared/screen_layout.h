// The shared geometry and look of the screens: the main window's size, a
// screen laid over it, the top and bottom bars, the dialog frame and the
// colour classes.
#pragma once

#include <functional>
#include <string>

namespace platform {
class form;
}

namespace Module1 {
// Sizes the main window to the configured resolution, centred at the top.
void dimensionne_fenetre(platform::form& f);
// Where a screen laid over the main window goes, in twips: the main window
// once it has been sized to the configured resolution; before that (at a
// first start, while the screen format and the folder are asked) the display.
struct surface {
    double left, top, width, height;
};
surface surface_dialogues();
// Gives the screen the position and size of surface_dialogues().
void cale_fenetre(platform::form& f);
// The side of a control a finger can be sure to hit, in twips, for the
// configured screen format: 9 mm on a 10.1-inch screen of that format, so
// still 7 mm on an 8-inch one; never under 600 twips (40 pixels).
double cible_tactile();
// Lays the eight frame pieces ccb(0..7) along the screen's edges.
void dessine_cadre(platform::form& f);
// Paints every control with the colour class of its tag.
void applique_couleurs(platform::form& f);
}  // namespace Module1

namespace moduclav {
// Creates label_haut and label_bas of a screen in the bars' design look,
// tagged with the colour class `classe`; a double touch on the bottom bar runs
// `reinitialise` (the screen's reset confirmation).
void cree_bandeaux(platform::form& f, const char* classe, std::function<void()> reinitialise);

// Places label_haut and label_bas and sets their captions.
void place_bandeaux(platform::form& f, const std::string& haut, const std::string& bas);
}  // namespace moduclav
