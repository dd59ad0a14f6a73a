// An exclusive lock on a file, held for the rest of the process's life. The
// system releases it when the process ends, however it ends (a crash, a kill,
// a power cut), so a lock never outlives its holder.
#pragma once

#include <filesystem>

namespace platform {

enum class lock_result {
    taken,     // this process holds the lock until it ends
    held,      // another running process holds it
    unusable,  // the file cannot be opened or the folder's system offers no lock
};

// Opens (creating when missing) and locks the file without waiting. Once
// taken, the lock is kept until the process ends; asking again for the same
// file from the same process answers taken.
lock_result lock_for_process_life(const std::filesystem::path& file);

}  // namespace platform
