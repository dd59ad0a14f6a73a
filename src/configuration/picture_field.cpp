#include "configuration/picture_field.h"

#include <cmath>

#include "platform/text.h"

namespace champ_image {

std::vector<bool> rangs_avec_image(int nb_images, const std::function<bool(int)>& existe) {
    std::vector<bool> rangs(nb_rangs, false);
    for (int i = 0; i < nb_images && i < nb_rangs; ++i) rangs[static_cast<std::size_t>(i)] = existe(i);
    return rangs;
}

std::string numero(const std::string& champ) {
    return txt::left(champ, 3);
}

int rang(const std::string& numero) {
    const double v = txt::val(numero);
    return std::isfinite(v) && std::fabs(v) < 1e6 ? static_cast<int>(txt::round_even(v)) : -1;
}

bool taille_naturelle(const std::string& champ) {
    return txt::mid(champ, 4, 1) == "N";
}

std::string champ(const std::string& numero, bool naturelle) {
    std::string s = numero + " ";
    if (naturelle && s.size() >= 4) s[3] = 'N';
    return s;
}

std::string champ_annule() {
    return "    ";
}

}  // namespace champ_image
