// The key-programming file "progppb.wdo" (256-byte records, pages of keys)
// and the detail-style file "w_styl72.wdo" (128-byte records, the details
// offered by the detail picker).
#pragma once

#include <cstdint>
#include <string>

#include "platform/record_file.h"

namespace programmation {
constexpr const char* nom_fichier = "progppb.wdo";
platform::record_file& fichier();
// 254 blanks and CR LF.
std::string enreg_vide();

// Fields of a key record, by their byte ranges.
struct touche {
    std::string reference;  // 0-14
    std::string libelle;    // 15-54
    std::string lh;         // 55-56
    std::string grap;       // 59-62
    std::string visu;       // 63
    std::string size;       // 64-66
    std::string coul;       // 67-76
    std::string acte;       // 154-253
};
touche decode(const std::string& enreg);
std::string encode(const touche& t);
}  // namespace programmation

namespace styles {
constexpr const char* nom_fichier = "w_styl72.wdo";
platform::record_file& fichier();

struct detail {
    std::string tag;    // 15 characters
    std::string label;  // 40 characters
    std::int32_t texte = 0;
    std::int32_t fond = 16777215;
    std::int32_t reserve = 0;
};
detail decode(const std::string& enreg);
std::string encode(const detail& d);
// The built-in default list, as stored: items "NN|fffffffff|ttttttttt|label/".
const std::string& liste_defaut();
}  // namespace styles

namespace w_velmo_2 {
// Opens "progppb.wdo", creating 5000 blank records when it is 250 bytes or less.
void ouvre_programmation();
}  // namespace w_velmo_2

namespace Module1 {
// Opens "w_styl72.wdo" and builds it with the default list when its record 1
// does not carry the "#INIT#" tag.
void init_styles();
}  // namespace Module1
