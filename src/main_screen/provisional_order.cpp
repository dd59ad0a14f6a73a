#include "main_screen/provisional_order.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/globals.h"

namespace commande_provisoire {

std::string contenu() {
    std::vector<std::string> lignes;
    lignes.push_back("#SERV#" + txt::format(num_serveur, "00"));
    lignes.push_back("#TABL#" + table_couverts);
    const int n = std::clamp<int>(nb_lignes, 0, nb_max_lignes);
    for (int i = 1; i <= n; ++i) lignes.push_back(lignes_commande[static_cast<std::size_t>(i)]);
    return platform::join_lines(lignes);
}

bool ecrit() {
    return platform::write_file_atomic(nom_fichier, contenu());
}

}  // namespace commande_provisoire
