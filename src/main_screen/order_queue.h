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

// Hands the queue over, oldest first. For each order:
//  1. its bytes are written to the network folder under a temporary name,
//     flushed, and put under its ".txt" name only if that name is free; the
//     network folder is flushed;
//  2. the local file is removed and the tablet folder flushed; only then
//     does the order count as handed over.
// A ".txt" already there with the very same bytes is this order, delivered
// by a hand-over that stopped before step 2: it is never written again, the
// hand-over goes on with step 2. The router never sees a half-written order,
// and an order whose copy fails stays queued; the move then stops, so that
// orders keep reaching the router in the order they were sent.
//
// An order delivered whose local file cannot be removed stops the move too,
// and is remembered for the rest of the run: it is never copied again, only
// its removal is tried at later hand-overs (it is no longer waiting, so the
// orders after it go on). After a restart, the rule of the same bytes above
// still holds while the router has not taken the ".txt".
//
// Delivery is at least once: a crash or power cut after step 1 and before
// step 2 is durable leaves the order queued while the router may already have
// taken its copy, and the router answers nothing.
bilan transmet(const std::filesystem::path& dossier, const std::string& rep_reseau);

// The leftovers of writes killed half-way (temporary files, never an order):
// all of them in the tablet folder, this tablet's own in the network folder
// (other tablets write there at the same time). Called once at start-up,
// when the program is the only one of this tablet folder.
void nettoie_temporaires(const std::filesystem::path& dossier, const std::string& rep_reseau);

}  // namespace file_attente
