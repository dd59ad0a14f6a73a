// The colour palette of the key-programming editor: swatches large enough
// for a finger, twelve hues in light, full and dark shades, and a row of
// greys from white to black.
#pragma once

#include <QPixmap>
#include <cstdint>

namespace palette_couleurs {

constexpr int colonnes = 12, rangees = 4;

// The colour (0xBBGGRR) of swatch (rangee, colonne), from 0.
std::int32_t couleur(int rangee, int colonne);
// The palette drawn at this size in pixels, swatch by swatch.
QPixmap image(int largeur, int hauteur);

}  // namespace palette_couleurs
