// The composed-menu article text: the article part ("|FA2:98|"), then "{{",
// six courses of a title, "\xB5" and sixteen dish slots "reference|name\xA6",
// then "}}". Read by the dish chooser.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace menu_compose {

constexpr int nb_cours = 6;
constexpr int nb_plats = 16;

struct menu {
    // One spare index each, which stays empty.
    std::array<std::string, nb_cours + 1> titres_cours;
    std::array<std::array<std::string, nb_plats + 1>, nb_cours + 1> refs_plats;
    std::array<std::array<std::string, nb_plats + 1>, nb_cours + 1> noms_plats;
};

// Reads the courses and dishes. A text that does not follow the form is read
// as far as it does; what cannot be read stays empty.
menu decode(std::string_view texte);
// The designation: from five characters after the first "|" to the next "|".
std::string designation(std::string_view texte);

}  // namespace menu_compose
