// The computers of the network as this machine sees them: the servers whose
// shares are mounted here (SMB/CIFS "//server/share", NFS "server:/path",
// the shares of the automounter's maps and of the desktop's GVfs), then the
// computers the discovery programs find, listed in the layout of the Windows
// network listing; and the local folder that stands for a path
// "\\server\share\rest" on one of them, mounting the share when it is not.
#pragma once

#include <chrono>
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

// The shares of an automounter map (file map of auto.master): each key is a
// folder of mount_root, mounted on first access.
std::vector<network_mount> parse_autofs_map(const std::string& map, const std::filesystem::path& mount_root);
// The maps that an auto.master names (file maps only), with their folders.
std::vector<std::pair<std::filesystem::path, std::filesystem::path>> parse_autofs_master(
    const std::string& master);

// A folder of the GVfs FUSE folder ("smb-share:server=serveur,share=quarnel");
// nothing for other kinds of mounts.
std::optional<network_mount> parse_gvfs_entry(const std::string& name,
                                              const std::filesystem::path& gvfs_folder);

// Where gvfsd puts its mounts' folders: the user's runtime folder, or the
// cache folder of a session that has none (the folder tests set alone).
std::vector<std::filesystem::path> gvfs_folders();

// The listing: a few header lines, one line per server ("\\" and the name,
// blanks, a comment), the mounted servers first, in the order of the mounts,
// then the computers found on the network; each computer once, the name
// whole however long; then a closing line.
std::string network_listing(const std::vector<network_mount>& mounts,
                            const std::vector<std::string>& discovered = {});

// Every mounted share: the mounts table, the automounter's maps, GVfs.
std::vector<network_mount> live_network_mounts();

// The local folder of "\\server\share\rest" (or with "/"), server and share
// compared without regard to case; nothing when no such share is mounted.
std::optional<std::filesystem::path> local_path_of(const std::vector<network_mount>& mounts,
                                                   const std::string& unc);

// The same from the live mounts.
std::optional<std::filesystem::path> local_path_of_network_path(const std::string& unc);

// The local folder of an SMB path "\\server\share\rest": through a mount of
// the share when there is one; else the share is mounted for this user by
// GVfs ("gio mount", as a guest) and reached through its FUSE folder; else,
// when the program runs as root, by the kernel's CIFS client as a guest.
// Every attempt is bounded in time; nothing when the share cannot be reached.
std::optional<std::filesystem::path> open_network_path(const std::string& unc);
// How long one mount of a share is given, its folder's showing included:
// here, and when a GVfs share is mounted again (gvfs_share.h). A share is
// reached within a few seconds or not at all.
constexpr std::chrono::milliseconds mount_bound{8000};

// Writes the listing of the live mounts to listing_file, atomically, at once,
// then starts the discovery programs and writes it again, with the computers
// they found, when they ended or at the bound (1.5 s). Returns whether the
// first listing was written.
bool start_network_listing(const std::filesystem::path& listing_file);
// How long the discovery programs are given.
constexpr int discovery_bound_ms = 1500;

// Tests point the live mounts table at a file of their own ("" = /proc/mounts),
// the automounter's master map ("" = /etc/auto.master), the GVfs folder
// ("" = $XDG_RUNTIME_DIR/gvfs, /run/user/UID/gvfs and the cache folder's
// gvfs, where gvfsd puts it without a runtime folder), and the SMB port of
// the servers (0 = the standard one).
void set_mounts_file(const std::filesystem::path& path);
void set_autofs_master(const std::filesystem::path& path);
void set_gvfs_folder(const std::filesystem::path& path);
void set_smb_port(int port);
// Which ways of mounting a share open_network_path may take, and where the
// kernel's mounts go (tests turn them off or point them elsewhere).
struct share_mounting {
    bool gvfs = true;
    bool kernel_cifs = true;
    std::filesystem::path kernel_folder = "/mnt/ostrevane";
};
void set_share_mounting(const share_mounting& m);

}  // namespace platform
