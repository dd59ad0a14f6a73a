// The picture field of a programmed key ("Grap", 4 characters): the picture
// number on 3 digits, then "N" when the picture keeps its natural size.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace champ_image {

// The chooser's list has this many rows, row i standing for picture i.
constexpr int nb_rangs = 51;

// For each row of the list, whether it shows a picture: row i does when i is
// below the number of pictures of the store and the store has picture i.
std::vector<bool> rangs_avec_image(int nb_images, const std::function<bool(int)>& existe);

// The number part of a field as the chooser shows it (its first 3 characters).
std::string numero(const std::string& champ);
// The row a number stands for (its numeric value).
int rang(const std::string& numero);
// Whether the field asks for the natural size.
bool taille_naturelle(const std::string& champ);
// The field the chooser returns for a number and the natural-size flag.
std::string champ(const std::string& numero, bool naturelle);
// The field returned on cancel.
std::string champ_annule();

}  // namespace champ_image
