// A power cut of a machine, for the tests: the changes of names in a folder
// that no flush of that folder has made durable yet (a file created, renamed
// onto a name, removed) are kept in a journal, one per folder watched, fed by
// the file fault hook; a cut undoes them, newest first, as a disk that never
// got them would. The tablet's folder and its server's network folder lie on
// two machines: each may lose what it had not flushed.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_file.h"

namespace wvtest {

class power_cut {
  public:
    explicit power_cut(const std::vector<std::filesystem::path>& folders);

    // To be called from the fault hook, before the operation, with the errno
    // the hook answers for it: an operation that fails changes nothing, and
    // a folder's flush that works makes every change of that folder durable.
    void seen(platform::file_op op, const std::filesystem::path& path, int answer = 0);

    // Undoes the folder's changes not flushed yet, newest first; each one
    // only when `each` says so (all of them without it). The final names
    // whose rename was undone are returned: a copy there may have been read
    // by the router already, which then gets that order again.
    std::vector<std::string> undo(const std::filesystem::path& folder,
                                  const std::function<bool()>& each = {});

  private:
    struct change {
        std::filesystem::path name;
        std::optional<std::string> before;  // its bytes before the change; none: no file
        bool rename = false;
        // A rename's source: its name comes back with the bytes it held.
        std::filesystem::path source;
        std::string source_bytes;
    };
    struct journal {
        std::vector<change> unflushed;
        // The temporary files created, newest last: a rename, which the hook
        // names by its destination only, moves the newest still there.
        std::vector<std::filesystem::path> temporaries;
    };
    journal* of(const std::filesystem::path& path, bool is_folder);
    std::map<std::filesystem::path, journal> folders_;
};

}  // namespace wvtest
