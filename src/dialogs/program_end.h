// The two ways the program ends from a question: the reset confirmation
// behind every bottom bar, and the decimal-separator notice of the start.
#pragma once

namespace Module1 {
// Asks whether to reset the program; on Yes closes all files and ends at
// once (the order being entered is lost). Returns only when not confirmed.
void quitte_logiciel();
}  // namespace Module1

namespace w_velmo_2 {
// Makes the runtime format numbers with ".", tells the user to restart, then
// closes all files and ends the program.
[[noreturn]] void force_separateur();
}  // namespace w_velmo_2
