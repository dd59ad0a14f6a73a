#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace platform {

lock_result lock_for_process_life(const std::filesystem::path& file) {
    // The descriptors stay open on purpose until the process ends: closing
    // one would release its lock. Keyed by the absolute path so that a second
    // request from this process does not take a second, conflicting lock.
    static std::map<std::filesystem::path, int> held_here;
    std::error_code ec;
    const std::filesystem::path key = std::filesystem::absolute(file, ec);
    if (!ec && held_here.count(key)) return lock_result::taken;

    // Not inherited by the programs this one starts: the lock dies with us.
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return lock_result::unusable;
    int r;
    do {
        r = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? lock_result::held : lock_result::unusable;
    }
    if (!ec) held_here[key] = fd;
    return lock_result::taken;
}

}  // namespace platform
