#include "dialogs/box_zoom.h"

#include <algorithm>

#include "platform/text.h"

namespace dialogue {

double zoom_boite(double n) {
    // The record is typed freely on the tools screen: keep the value within
    // what the digit pattern can write.
    n = std::clamp(n, -1e6, 1e6);
    return txt::val("1." + txt::format(n - 1, "0"));
}

double zoom_affiche(double zoom, double largeur, double hauteur, double largeur_ecran, double hauteur_ecran) {
    double z = zoom;
    if (largeur > 0 && largeur * z > largeur_ecran) z = largeur_ecran / largeur;
    if (hauteur > 0 && hauteur * z > hauteur_ecran) z = std::min(z, hauteur_ecran / hauteur);
    return std::max(1.0, std::min(z, zoom));
}

}  // namespace dialogue
