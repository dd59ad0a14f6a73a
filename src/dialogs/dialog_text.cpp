#include "dialogs/dialog_text.h"

#include "platform/text.h"

namespace dialogue {

texte_separe separe(const std::string& texte) {
    texte_separe r;
    const long p = txt::instr(texte, "|");
    if (p == 0) {
        r.message = texte;
        return r;
    }
    r.message = txt::left(texte, p - 1);
    r.valeur = txt::mid(texte, p + 1);
    r.a_valeur = true;
    return r;
}

}  // namespace dialogue
