// The settings file "wfenzo42.wdo": numbered 20-character records, read and
// written through the one buffer enreg_param.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/record_file.h"

namespace parametres {

constexpr const char* nom_fichier = "wfenzo42.wdo";
platform::record_file& fichier();

// Record n into enreg_param.
const std::string& lit(long n);
// text (cut or padded to 20) into enreg_param and record n.
void ecrit(long n, const std::string& texte);
// The value of an integer setting from the text after its marker: the leading
// number rounded to the nearest integer, halves to even. A number that no
// 32-bit setting can hold counts as absent: `absent` stands for it.
long valeur_entiere(std::string_view texte, long absent);
// An integer setting: an unset record (not starting "#I#") first gets its
// default record (such as "#I#20"); the value is read after the marker, all of
// it or only its first `caracteres` characters, by valeur_entiere with the
// default's value for a number that cannot be held.
long lit_entier(long n, const std::string& defaut, long caracteres = 0);
// Whether a record starts with the integer marker.
bool est_entier(const std::string& enreg);
// The colour a record holds (0xBBGGRR, system colours negative), or -1 when
// the record is not an integer setting or holds no 32-bit colour.
std::int32_t valeur_couleur(const std::string& enreg);
// A switch: the record trimmed is exactly "OUI" / exactly "NON".
bool est_oui(long n);
bool est_non(long n);

}  // namespace parametres

namespace w_velmo_2 {
// Opens the settings file, creates it when missing or shorter than 400 bytes,
// and shows the screen-format chooser when no format is recorded.
void ouvre_parametres();
}  // namespace w_velmo_2

namespace Module1 {
// Screen format, key grid and colour classes into the shared globals.
void lit_parametres();
// The 10-digit identification of this tablet.
std::string code_tablette();
}  // namespace Module1
