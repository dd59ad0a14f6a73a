// The queue's calls on the exchange folder, bounded as the other calls of
// shared/network_folder.h, and given the folder in the one spelling of
// dossier_reseau::dossier(), so that the notes the hand-over writes name the
// folder the start settles them against.
#pragma once

#include <optional>

#include "main_screen/order_queue.h"
#include "shared/network_folder.h"

namespace dossier_reseau {

// The start's work, once per run before any hand-over: the tablet folder's
// leftovers removed at once (a job that outlasted its bound must not remove,
// later, an order the screen is writing), then on the worker the notes of an
// interrupted hand-over settled and this tablet's network leftovers removed.
void demarrage();

// Hands the queue over. What the hand-over left when it ended within the
// bound; nothing when it did not. A hand-over still in a call then is never
// started a second time (the worker takes no job past a stuck one): when it
// returns, `au_retour` runs on the screen's thread. An empty queue asks
// nothing of the folder.
std::optional<file_attente::bilan> transmet(void (*au_retour)());

}  // namespace dossier_reseau
