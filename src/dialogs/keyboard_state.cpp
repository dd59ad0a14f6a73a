#include "dialogs/keyboard_state.h"

#include "dialogs/keyboard_layouts.h"
#include "shared/globals.h"

namespace clavier {

suite touche(int i) {
    suite s;
    const std::string& dispo = dispositions_clavier[static_cast<std::size_t>(num_disposition)];
    if (i < 0 || i >= static_cast<int>(dispo.size())) return s;
    const char c = dispo[static_cast<std::size_t>(i)];
    ligne_travail = std::string(1, c);
    if (pos_curseur < 0) pos_curseur = 0;
    if (pos_curseur > static_cast<int>(texte_clavier.size()))
        pos_curseur = static_cast<std::int16_t>(texte_clavier.size());
    const auto pos = static_cast<std::size_t>(pos_curseur);

    if (c != '|') {
        texte_clavier.insert(pos, 1, c);
        ++pos_curseur;
        if (maj_temporaire == 1) {
            maj_temporaire = 0;
            num_disposition = 0;
            s.redessine = true;
        }
        return s;
    }
    switch (i) {
        case verrouillage_maj:
            num_disposition = num_disposition != 0 ? 0 : 1;
            s.redessine = true;
            break;
        case retour_arriere:
            if (pos_curseur >= 1) {
                texte_clavier.erase(pos - 1, 1);
                --pos_curseur;
            }
            break;
        case majuscule:
        case alternatif:
            if (maj_temporaire != 0) {
                num_disposition = 0;
                maj_temporaire = 0;
            } else {
                num_disposition = i == majuscule ? 1 : 2;
                maj_temporaire = 1;
            }
            s.redessine = true;
            break;
        case efface_tout:
            texte_clavier.clear();
            pos_curseur = 0;
            break;
        case curseur_gauche:
            if (pos_curseur >= 1) --pos_curseur;
            break;
        case curseur_droite:
            if (pos_curseur < static_cast<int>(texte_clavier.size())) ++pos_curseur;
            break;
        case liste_haut:
            s.liste = -1;
            break;
        case liste_bas:
            s.liste = 1;
            break;
        case echap:
            s.echap = true;
            break;
        case entree:
            s.entree = true;
            break;
        default:
            break;
    }
    return s;
}

}  // namespace clavier
