#include "setup_program/network_listing.h"

#include "platform/text.h"

namespace Ostrevane::liste_reseau {

std::vector<std::string> ordinateurs(const std::vector<std::string>& lignes) {
    std::vector<std::string> noms;
    for (const auto& l : lignes)
        if (txt::left(l, 2) == "\\\\") noms.push_back(l.substr(0, l.find_first_of(" \t")));
    return noms;
}

}  // namespace Ostrevane::liste_reseau
