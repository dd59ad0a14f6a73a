#include "platform/folder_handle.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/text_file.h"

namespace platform {

folder_handle::folder_handle(const std::filesystem::path& folder)
    : path_(folder.empty() ? std::filesystem::path(".") : folder) {
    fd_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    listable_ = fd_ >= 0;
    // A folder that may be written into but not listed still names its files.
    if (fd_ < 0 && (errno == EACCES || errno == EPERM))
        fd_ = ::open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    dev_ = st.st_dev;
    ino_ = st.st_ino;
}

folder_handle::~folder_handle() {
    if (fd_ >= 0) ::close(fd_);
}

bool folder_handle::still_at_its_path() const {
    struct stat st {};
    return fd_ >= 0 && ::stat(path_.c_str(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_;
}

std::optional<bool> folder_handle::has(const std::string& name) const {
    if (fd_ < 0 || injected_fault(file_op::stat, path_ / name)) return std::nullopt;
    struct stat st {};
    if (::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return true;
    if (errno == ENOENT) return false;
    return std::nullopt;
}

std::optional<std::string> folder_handle::read(const std::string& name) const {
    if (fd_ < 0) return std::nullopt;
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    char buf[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

bool folder_handle::same_file(const std::string& a, const std::string& b) const {
    struct stat sa {
    }, sb{};
    return fd_ >= 0 && ::fstatat(fd_, a.c_str(), &sa, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstatat(fd_, b.c_str(), &sb, AT_SYMLINK_NOFOLLOW) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::optional<std::string> folder_handle::write_temporary(const std::string& final_name,
                                                          const std::string& bytes) {
    if (fd_ < 0) return std::nullopt;
    std::string name;
    int fd = -1;
    // A random part repeats only by a very rare chance; one more try then.
    for (int attempt = 0; attempt < 4 && fd < 0; ++attempt) {
        name = temporary_name(final_name);
        if (injected_fault(file_op::create, path_ / name)) return std::nullopt;
        fd = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return std::nullopt;
    }
    if (fd < 0) return std::nullopt;
    const std::filesystem::path p = path_ / name;
    bool ok = write_all(fd, bytes, p) && !injected_fault(file_op::sync, p) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlinkat(fd_, name.c_str(), 0);
        return std::nullopt;
    }
    return name;
}

folder_handle::rename_result folder_handle::rename_no_replace(const std::string& from,
                                                              const std::string& to) {
    if (fd_ < 0 || injected_fault(file_op::rename, path_ / to)) return rename_result::failed;
    if (::renameat2(fd_, from.c_str(), fd_, to.c_str(), RENAME_NOREPLACE) == 0) return rename_result::done;
    if (errno == EEXIST) return rename_result::taken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return rename_result::failed;
    // link() fails when the name is taken, so an existing file is never replaced.
    if (::linkat(fd_, from.c_str(), fd_, to.c_str(), 0) == 0) {
        ::unlinkat(fd_, from.c_str(), 0);
        return rename_result::done;
    }
    if (errno == EEXIST) return rename_result::taken;
    const auto there = has(to);
    if (!there) return rename_result::failed;
    if (*there) return rename_result::taken;
    // Folders that can neither (some network shares): a checked rename is
    // the closest we have.
    return ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0 ? rename_result::done : rename_result::failed;
}

bool folder_handle::rename_over(const std::string& from, const std::string& to) {
    if (fd_ < 0 || injected_fault(file_op::rename, path_ / to)) return false;
    return ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
}

bool folder_handle::remove(const std::string& name) {
    if (fd_ < 0 || injected_fault(file_op::remove, path_ / name)) return false;
    return ::unlinkat(fd_, name.c_str(), 0) == 0 || errno == ENOENT;
}

bool folder_handle::write_in_place(const std::string& name, const std::string& bytes) {
    if (fd_ < 0) return false;
    const std::filesystem::path p = path_ / name;
    if (injected_fault(file_op::create, p)) return false;
    const int fd = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes, p) && !injected_fault(file_op::sync, p) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

folder_handle::flush_result folder_handle::flush_answer(int error) {
    if (error == 0) return flush_result::done;
    // File systems that keep no pending entries of a folder, or cannot flush
    // them (some network shares, whose server keeps them itself).
    return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == EROFS
               ? flush_result::unsupported
               : flush_result::failed;
}

folder_handle::flush_result folder_handle::flush() {
    if (fd_ < 0) return flush_result::failed;
    // An injected error stands for the fsync's own: the same answer.
    if (const int e = injected_fault(file_op::sync_folder, path_)) return flush_answer(e);
    if (!listable_) return flush_result::unsupported;
    return flush_answer(::fsync(fd_) == 0 ? 0 : errno);
}

}  // namespace platform
