#include "configuration/colour_palette.h"

#include <QColor>
#include <QPainter>
#include <algorithm>

#include "platform/colors.h"

namespace palette_couleurs {

std::int32_t couleur(int rangee, int colonne) {
    if (rangee == rangees - 1) {
        const int gris = 255 - colonne * 255 / (colonnes - 1);
        return platform::from_qcolor(QColor(gris, gris, gris));
    }
    const int teinte = colonne * 360 / colonnes;
    static constexpr int saturation[] = {90, 255, 255};
    static constexpr int valeur[] = {255, 255, 140};
    return platform::from_qcolor(QColor::fromHsv(teinte, saturation[rangee], valeur[rangee]));
}

QPixmap image(int largeur, int hauteur) {
    QPixmap p(std::max(1, largeur), std::max(1, hauteur));
    QPainter d(&p);
    for (int r = 0; r < rangees; ++r) {
        const int y0 = r * p.height() / rangees, y1 = (r + 1) * p.height() / rangees;
        for (int c = 0; c < colonnes; ++c) {
            const int x0 = c * p.width() / colonnes, x1 = (c + 1) * p.width() / colonnes;
            d.fillRect(x0, y0, x1 - x0, y1 - y0, platform::to_qcolor(couleur(r, c)));
        }
    }
    return p;
}

}  // namespace palette_couleurs
