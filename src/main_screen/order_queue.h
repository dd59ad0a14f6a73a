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

// Hands the queue over, oldest first: each order is written to the network
// folder under a temporary name, renamed onto its ".txt" name, and only then
// removed locally. The router never sees a half-written order, and an order
// whose copy fails stays queued; the move then stops, so that orders keep
// reaching the router in the order they were sent. Each file is tried once.
bilan transmet(const std::filesystem::path& dossier, const std::string& rep_reseau);

}  // namespace file_attente
