#include "setup_program/network_listing.h"

#include "platform/text.h"

namespace Ostrevane::liste_reseau {

std::vector<std::string> ordinateurs(const std::vector<std::string>& lignes) {
    std::vector<std::string> noms;
    for (const auto& l : lignes)
        if (txt::left(l, 2) == "\\\\") noms.push_back(txt::trim(txt::left(l, 18)));
    return noms;
}

}  // namespace Ostrevane::liste_reseau
