// One Wvelmorin per tablet folder: two programs on one folder would hand the
// same queued orders over twice and write the same settings.
#pragma once

namespace verrou_tablette {

// The lock file of the current folder, held by the running program.
constexpr const char* nom_fichier = "wvelmorin.lck";

// Taken first, before anything reads or writes the tablet's files. When
// another program of this folder holds the lock, says so in the message box
// and ends this one; otherwise returns, the lock held until the program ends.
void prend();

}  // namespace verrou_tablette
