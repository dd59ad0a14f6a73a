// The calls of the screens on the exchange folder. That folder lies on
// another machine, and a server that stops answering blocks any call on it
// for as long as the share's client waits: each call here runs on the network
// folder's worker (platform/folder_worker.h) and the screen waits for it only
// up to the call's bound. Past it the call answers as when the folder cannot
// be reached, and the work, which nothing can interrupt, ends on its own.
// The screens hold no bound, no job and no thread state of their own.
//
// The queue's own calls (the start's settling and the hand-over) are in
// main_screen/network_queue.h, beside the queue they work on.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace atdend_res {
// The probe: true when the network folder (rep_test) is reachable and
// writable, its record num_enreg_test of "Test.res" dated today; never while
// offline, and then the folder is not touched. A folder that does not answer
// within the screen's bound is unreachable for this drawing.
bool teste_reseau();
}  // namespace atdend_res

namespace dossier_reseau {

// What the screen does when a call that outlasted its bound mounted the
// network folder's share again and found the folder there (a GVfs share
// after a restart of the tablet or of its session): on the screen's thread,
// from the event loop, so that the queue leaves without a touch.
void quand_partage_rejoint(void (*f)());
// Runs that handler, when one is set.
void partage_rejoint();

// The exchange folder as every call on it spells it, so that a note written
// by one names the same folder for the other: line 1 of the folder file
// (rep_reseau) in its one spelling (platform::folder_spelling), the tablet
// folder being the current folder. Empty when the folder file names none.
std::string dossier();

// What the start's copy of the catalogue left: for each file, the bytes its
// local copy now holds as read from the network folder, or nothing when it
// was not copied (the local copy, if any, then stays as it was).
struct copies {
    std::optional<std::string> styles, velmorin, wvelmorin;
};
// Copies "w_styl72.wdo", "velmorin.wdo" and "wvelmorin.wdo" into the current
// folder. A local copy that already holds the network folder's bytes is left
// as it is; another is replaced whole. A tablet with no local catalogue yet
// has nothing to show without it and waits longer for this copy.
copies copie_catalogue();
// The detail-style file alone, the same way; true when the local copy holds
// the network folder's bytes.
bool copie_styles();

// The free-name check of one order being written: whether the network folder
// holds a file under a ".txt" name. Offline, without a folder, or once the
// folder has not answered within the bound, the name is free, and the folder
// is not asked again for that order (the hand-over never replaces a file
// there, and takes the next free second itself).
std::function<bool(const std::string& nom_txt)> noms_pris();

// Writes a file into the exchange folder, whole or not at all (the tools
// screen's identification file). False when it could not be written within
// the bound, or no folder is known.
bool depose(const std::string& nom, const std::string& contenu);

}  // namespace dossier_reseau
