// The one pair of conversions between the system's code page 1252 bytes and
// Qt's strings, plus the helper for UTF-8 source literals.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace cp1252 {

QString to_qt(std::string_view bytes);
// Composed (NFC) first: "e" followed by U+0301 is "\xE9"; what the code page
// cannot hold is one "?" a character.
std::string from_qt(const QString& s);
// A UTF-8 literal of the sources ("Entrez le répertoire réseau ?") as bytes.
std::string cp(std::string_view utf8);

}  // namespace cp1252

using cp1252::cp;
