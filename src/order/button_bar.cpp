#include "order/button_bar.h"

#include <cmath>

#include "shared/globals.h"
#include "shared/icc.h"

namespace barre_boutons {

void pose(platform::grid& g2, double hauteur, const std::array<cellule, 6>& cellules) {
    g2.set_redraw(false);
    g2.set_rows(1);
    g2.set_cols(6);
    g2.set_fixed_rows(0);
    g2.set_fixed_cols(0);
    g2.set_top_row(0);
    g2.set_row_height_min(hauteur);
    g2.set_row_height(0, hauteur);
    const double largeur = largeur_ecran * 15.0 - 400;
    g2.move(200, hauteur_ecran * 15.0 - hauteur - 500, largeur, hauteur);
    const double colonne = std::floor(largeur / 6);
    for (int c = 0; c < 6; ++c) {
        g2.set_col_width(c, colonne);
        g2.set_col_alignment(c, platform::align::center_center);
        const cellule& x = cellules[static_cast<std::size_t>(c)];
        if (x.image < 0) continue;
        g2.set_cell_picture(0, c, icc::bt_coul(x.image + decalage_images));
        g2.set_cell_picture_alignment(0, c, x.alignement);
    }
    g2.set_redraw(true);
}

}  // namespace barre_boutons
