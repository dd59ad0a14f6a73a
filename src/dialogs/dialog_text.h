// The text a caller hands to a dialog: the message alone, or the message, a
// vertical bar and the value the entry starts with.
#pragma once

#include <string>

namespace dialogue {

struct texte_separe {
    std::string message;  // what comes before the first "|"
    std::string valeur;   // what comes after it, further bars included
    bool a_valeur = false;
};

texte_separe separe(const std::string& texte);

}  // namespace dialogue
