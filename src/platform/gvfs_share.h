// An SMB share that the desktop's GVfs mounts, seen through its FUSE folder
// ("/run/user/0/gvfs/smb-share:server=serveur,share=quarnel/velmorin"). Such
// a mount lasts as long as the desktop session: after a restart of the
// tablet or of its session the recorded folder is gone until someone mounts
// the share again, and a new session may keep its mounts in another runtime
// folder. Here the share is found again where this session keeps it, and
// mounted again (as a guest, as the set-up program mounts it) when it is not.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform::gvfs_share {

// The share a GVfs mount name stands for.
struct share {
    std::string server;
    std::string name;
    int port = 0;  // 0: the standard one
    std::string user, domain;
};

// A folder inside a share's mount: the GVfs folder that held the mount, the
// mount and the path below it.
struct share_folder {
    share s;
    std::filesystem::path gvfs_root;
    std::string mount_name;
    std::filesystem::path rest;
};

// The share of a mount's folder name: "smb-share:" then key=value pairs
// parted by "," in any order, each value escaped by GVfs ("%2C" for ",").
// Nothing when it names no SMB share (no server or share, a bad port).
std::optional<share> parse_mount_name(const std::string& name);

// The share of a folder lying in a GVfs share's mount; nothing for any other
// folder.
std::optional<share_folder> parse_folder(const std::string& folder);

// The same share on the same server (names compared without regard to case)
// at the same port; the account it was mounted with does not matter.
bool same_share(const share& a, const share& b);

// The address that "gio mount" takes: smb://server[:port]/share.
std::string mount_uri(const share& s);

// The folder of `f` in one of `mounts` (folders of GVfs mounts): the
// recorded mount first, else any mount of the same share.
std::optional<std::filesystem::path> find_among(const share_folder& f,
                                                const std::vector<std::filesystem::path>& mounts);

// The same among the mounts of the recorded GVfs folder and of this
// session's (runtime folder, cache folder).
std::optional<std::filesystem::path> find_in_session(const share_folder& f);

struct reached {
    std::string folder;    // the folder to use now
    bool mounted = false;  // the share was mounted by this very call
};

// The folder to use for the recorded exchange folder: the recorded one when
// it is there or is no GVfs share folder; else the same share's folder in
// this session; else the share is mounted again ("gio mount -a", within
// platform::mount_bound) and looked for anew. One mount at a time in the
// whole program: while one runs, others look and go; after a mount that
// failed, none is tried again for a while. It waits for a mount: call it off
// the screen's thread.
// The recorded folder's final "/" is kept on the folder found.
reached reach(const std::string& recorded);

// How long after a failed mount the next one may start.
constexpr std::chrono::milliseconds retry_spacing{15000};

// Tests shorten the spacing, and forget the last failure.
void set_retry_spacing(std::chrono::milliseconds spacing);
void forget_attempts();

}  // namespace platform::gvfs_share
