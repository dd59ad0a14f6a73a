// The program ending on a notice: the reason shown in the program's own
// message box, then every file closed and the process ended.
#pragma once

#include <string>

namespace Module1 {
// `texte` is CP1252 text, shown as an information message (OK only).
[[noreturn]] void arret_avec_message(const std::string& texte);
}  // namespace Module1
