// The mounts table (the text of /proc/mounts) the set-up program finds the
// network computers in, the listing made from it, and the local folder of a
// network path on each share found.
#include "platform/network.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto mounts = platform::parse_mounts(fuzz::text(data, size));
    platform::network_listing(mounts);
    for (const auto& m : mounts) {
        std::string unc = "\\\\" + m.server;
        for (const auto& s : m.share) unc += "\\" + s;
        // A name that holds a path separator cannot be written in a network path.
        const bool nommable = m.server.find_first_of("/\\") == std::string::npos;
        fuzz::check(!nommable || platform::local_path_of(mounts, unc + "\\velmorin").has_value(),
                    "a share found is reachable");
        platform::local_path_of(mounts, "//" + m.server + "/quarnel/velmorin");
    }
    return 0;
}
