// A tablet started for a measure: its settings (a 1024 x 768 screen), its
// folder file naming the network folder, the main screen shown and server 1
// chosen, so that the catalogue was loaded as a waiter's first touch loads it.
#pragma once

#include <filesystem>

namespace bench {
// `tablet` becomes the current folder.
void start_tablet(const std::filesystem::path& tablet, const std::filesystem::path& network_folder);
}  // namespace bench
