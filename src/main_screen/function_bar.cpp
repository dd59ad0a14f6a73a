#include "main_screen/function_bar.h"

#include "platform/text.h"

namespace barre_fonctions {

const char* const codes_accueil = "#FONC#TABLE|#LFAM#|#FONC#SERVEUR|#FONC#NOTE|#ENVO#|#FONC#FIN|";

std::string images_accueil(bool joignable) {
    return joignable ? "11xxx:13xxx:15xxx:22xxx:23xxx:12xxx:" : "11xxx:13xxx:15xxx:22xxx:30xxx:12xxx:";
}

barre analyse(const std::string& images, const std::string& codes, int decalage) {
    barre b;
    std::string reste = codes;
    for (int i = 0; i < cellules; ++i) {
        const long nn = txt::round_even(txt::val(txt::mid(images, 6 * i + 1, 2)));
        b.images[static_cast<std::size_t>(i)] = nn > 9 ? static_cast<int>(nn) + decalage : -1;
        const long fin = txt::instr(reste, "|");
        if (fin > 0) {
            b.codes[static_cast<std::size_t>(i)] = txt::left(reste, fin - 1);
            reste = txt::mid(reste, fin + 1);
        } else {
            b.codes[static_cast<std::size_t>(i)] = reste;
            reste.clear();
        }
    }
    return b;
}

}  // namespace barre_fonctions
