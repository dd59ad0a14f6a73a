// The queue of orders waiting for the router: the files of the current
// folder whose name ends ".-A-" (any case), handed over to the network folder
// under the same name ending "txt".
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace file_attente {

// The queued order files of a folder, in ascending name order (case
// ignored), which is the order in which they were written.
std::vector<std::string> en_attente(const std::filesystem::path& dossier);

// The name of the copy in the network folder: the last three characters
// replaced by "txt".
std::string nom_transmis(const std::string& nom);

struct bilan {
    int transmis = 0;  // handed over during this call
    int restants = 0;  // still queued afterwards
};

// Hands the queue over, oldest first, into the network folder as it is found
// at the start of the call: it must hold the catalogue, every copy is made
// in that very folder (held open), and renamed only while its path still
// leads to it; once it does not (a share unmounted, the folder replaced), the
// move stops and the orders stay queued. For each order:
//  1. its bytes are written there under a temporary name and flushed, with
//     the folder; a note of the copy (which folder, which temporary name,
//     which final name, which bytes) is put on the tablet's disk; the
//     temporary file is put under its ".txt" name only if that name is free,
//     and the network folder is flushed;
//  2. the local file is removed and the tablet folder flushed; only then
//     does the order count as handed over; its note goes last.
// The copy just made is known to be where it was put: nothing is read back
// from the network folder, and the next order follows at once, whatever the
// router does with the copy meanwhile.
// A ".txt" already there is another order (the same second on another
// tablet, a clock set back), whatever its bytes: it is never replaced, and
// this order goes under the next free second.
//
// The note is the one record of a copy, read the same way here and at a
// start: an order whose note names a temporary file gone was renamed, and is
// never copied again; only the steps missing (the folder's flush, the local
// removal) are retried. A folder whose flush cannot be made (unsupported, or
// the folder cannot be opened for it) counts as one that keeps its entries
// itself. An order delivered whose local file cannot be removed stops the
// move the first time; later, the orders after it go on.
//
// Delivery is at least once: the router answers nothing. Only when the
// network folder's path stopped leading to the folder around a rename, and
// the copy is not found there again, is the order copied a second time: it
// may have gone with that folder.
//
// One call at a time; it takes everything by value and may run off the
// screen's thread. The network folder may be spelt in any way that leads to
// it (relative, with "./" or a trailing "/"): notes are compared in one
// spelling.
bilan transmet(const std::filesystem::path& dossier, const std::string& rep_reseau);

// The leftovers of writes killed half-way (temporary files, never an order):
// all of them in the tablet folder, this tablet's own in the network folder
// (other tablets write there at the same time), but those that a note still
// needs. Called once at start-up, when the program is the only one of this
// tablet folder.
// With `tablette` false the tablet folder's part is left to the caller, who
// made it before the screen could write there.
void nettoie_temporaires(const std::filesystem::path& dossier, const std::string& rep_reseau,
                         bool tablette = true);

// The network-folder work of a start, before any hand-over: the notes left by
// a hand-over interrupted (killed, power cut) are settled first. A noted
// temporary file still in the network folder was never renamed: the order
// stays queued and is copied again. One gone was renamed: the order was
// delivered (taken by the router or still there) and leaves the tablet. A
// note whose network folder does not answer as the exchange folder stays for
// a later hand-over to settle. Then nettoie_temporaires. Same threading as
// transmet.
void demarrage(const std::filesystem::path& dossier, const std::string& rep_reseau, bool tablette = true);

}  // namespace file_attente
