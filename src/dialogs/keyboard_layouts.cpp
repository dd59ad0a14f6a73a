#include "dialogs/keyboard_layouts.h"

#include <array>

#include "platform/cp1252.h"

namespace clavier {

const std::string& disposition(int n) {
    static const std::array<std::string, nb_dispositions> dispositions = {
        cp(" &é''(-è_çà)+||azertyuiop$|qsdfghjklm*||<wxcvbn,;:!|||||||"),
        cp(" 1234567890°=||AZERTYUIOP£|QSDFGHJKLM%||>WXCVBN?./§|||||||"),
        cp("  ~#{}`\\^@[] ||ïë€îêôâûù £|          µ||           |||||||"),
    };
    static const std::string aucune;
    return n >= 0 && n < nb_dispositions ? dispositions[static_cast<std::size_t>(n)] : aucune;
}

std::string legende_dessin(int i) {
    if (i == espace) return "Espace";
    static const std::array<std::string, 12> rangee_chiffres = {".",     cp("é"), "\"",    "'",     "(", "-",
                                                                cp("è"), "_",     cp("ç"), cp("à"), ")", "+"};
    if (i >= 1 && i <= 12) return rangee_chiffres[static_cast<std::size_t>(i - 1)];
    const std::string& minuscules = disposition(0);
    if ((i >= 15 && i <= 25) || (i >= 27 && i <= 37) || (i >= 40 && i <= 50))
        return std::string(1, minuscules[static_cast<std::size_t>(i)]);
    return {};  // the special keys' symbols are drawn on the picture
}

rectangle position(int i) {
    constexpr double cote = 795;
    if (i >= 1 && i <= 11) return {1290 + (i - 1) * (11160 - 1290) / 10.0, 1920, cote, cote};
    if (i >= 15 && i <= 25) return {1530 + (i - 15) * (11430 - 1530) / 10.0, 2940, cote, cote};
    if (i >= 27 && i <= 37) return {1710 + (i - 27) * (11610 - 1710) / 10.0, 3960, cote, cote};
    if (i >= 41 && i <= 50) return {2520 + (i - 41) * (11460 - 2520) / 9.0, 4950, cote, cote};
    switch (i) {
        case 12:
            return {270, 1920, cote, cote};
        case retour_arriere:
            return {12150, 1920, 1725, 885};
        case efface_tout:
            return {180, 2910, 1215, 855};
        case entree:
            return {12570, 2910, 1275, 1845};
        case verrouillage_maj:
            return {240, 3930, 1275, 855};
        case majuscule:
            return {270, 4950, 1095, cote};
        case 40:
            return {1590, 4950, 735, cote};
        case sans_effet:
            return {12390, 4890, 1425, 885};
        case echap:
            return {750, 5910, cote, cote};
        case curseur_gauche:
            return {1860, 5910, cote, cote};
        case curseur_droite:
            return {2850, 5910, cote, cote};
        case espace:
            return {3870, 5910, 5385, 975};
        case alternatif:
            return {9540, 5910, 1245, 915};
        case liste_haut:
            return {11010, 5910, 855, 885};
        case liste_bas:
            return {12060, 5910, 855, 885};
        default:
            return {0, 0, 0, 0};
    }
}

}  // namespace clavier
