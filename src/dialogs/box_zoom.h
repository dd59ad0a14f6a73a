// The zoom of the message box, set by the tools screen in settings record 50.
#pragma once

namespace dialogue {

// The factor for a record value n: the text "1." followed by n - 1 read as a
// number, so 1 to 10 give 1.0 to 1.9, 11 gives 1.1 again and 0 or less 1.0.
double zoom_boite(double n);

// The factor actually used: no larger than what keeps a box designed
// largeur x hauteur twips whole on a display of the given size, and never
// below 1 (a display smaller than the design shows the design size).
double zoom_affiche(double zoom, double largeur, double hauteur, double largeur_ecran, double hauteur_ecran);

}  // namespace dialogue
