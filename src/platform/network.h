// The computers of the network as this machine sees them: the servers whose
// shares are mounted here (SMB/CIFS "//server/share", NFS "server:/path"),
// listed in the layout of the Windows network listing, and the local folder
// that stands for a path "\\server\share\rest" on one of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One mounted network share.
struct network_mount {
    std::string server;
    // The shared path on the server, as components ("quarnel"; for NFS the
    // exported path, "srv", "quarnel").
    std::vector<std::string> share;
    bool nfs = false;
    std::filesystem::path mount_point;
};

// The network shares of a mounts table (the text of /proc/mounts); other
// filesystems are left out.
std::vector<network_mount> parse_mounts(const std::string& table);

// The listing: a few header lines, one line per server ("\\" and the name,
// blanks, a comment), in the order of the mounts table, then a closing line.
std::string network_listing(const std::vector<network_mount>& mounts);

// The local folder of "\\server\share\rest" (or with "/"), server and share
// compared without regard to case; nothing when no such share is mounted.
std::optional<std::filesystem::path> local_path_of(const std::vector<network_mount>& mounts,
                                                   const std::string& unc);

// The same from the live mounts table.
std::optional<std::filesystem::path> local_path_of_network_path(const std::string& unc);

// Writes the listing of the live mounts table to listing_file, atomically,
// and returns whether it was written.
bool start_network_listing(const std::filesystem::path& listing_file);

// Tests point the live mounts table at a file of their own ("" = /proc/mounts).
void set_mounts_file(const std::filesystem::path& path);

}  // namespace platform
