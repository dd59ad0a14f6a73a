// A real GVfs share on this machine: Samba's smbd on a free port of
// 127.0.0.1 (a private configuration and its own state folders) sharing
// "quarnel" to guests, with an exchange folder "velmorin" holding a
// catalogue, mounted by "gio mount" on a private session bus, whose gvfsd
// gives it a FUSE folder. Used where a test or a measure must meet what the
// tablets meet on a share: GVfs refuses to open an existing file for writing
// in place. Nothing is asked of the machine's own session.
#pragma once

#include <QProcess>
#include <filesystem>
#include <string>

namespace wvtest {

// A program of the system's folders (also /usr/sbin and /usr/libexec, which
// a user's PATH may lack); empty when it is not installed.
std::string find_program(const char* name);
// A port of 127.0.0.1 that nothing listens on now.
int free_port();
// Whether something takes connections on that port of 127.0.0.1, asked
// again until `within_ms` passed.
bool port_answers(int port, int within_ms);

class gvfs_share {
  public:
    // Sets the share up under `work` (which smbd's guest user must be able
    // to reach); ready() or why_not() tells how it went.
    explicit gvfs_share(const std::filesystem::path& work);
    ~gvfs_share();
    gvfs_share(const gvfs_share&) = delete;
    gvfs_share& operator=(const gvfs_share&) = delete;

    bool ready() const { return why_not_.empty(); }
    // Why the machine cannot give the share (not root, a program missing...).
    const std::string& why_not() const { return why_not_; }
    // The exchange folder as the tablet sees it, through GVfs's FUSE folder.
    const std::filesystem::path& folder() const { return folder_; }
    // The same folder on the server's own disk.
    const std::filesystem::path& on_server() const { return on_server_; }

  private:
    std::string why_not_;
    std::filesystem::path work_, folder_, on_server_;
    int port_ = 0;
    QProcess server_, bus_;
    QProcessEnvironment env_;
};

}  // namespace wvtest
