#include "platform/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <optional>
#include <set>

#include "platform/text_file.h"

namespace platform {

namespace {
// The open record files, chained through the files themselves. The head is a
// plain pointer set before any code runs and never destroyed: record files
// that live in statics close themselves while the program ends, in whatever
// order exit() destroys them, and must find the chain still there.
constinit record_file* first_open = nullptr;
}  // namespace

record_file::~record_file() {
    close();
}

bool record_file::open(const std::filesystem::path& path) {
    close();
    // "r+b" keeps existing contents; create the file first when it is missing.
    file_ = std::fopen(path.c_str(), "r+b");
    if (!file_) {
        std::FILE* created = std::fopen(path.c_str(), "ab");
        if (created) std::fclose(created);
        file_ = std::fopen(path.c_str(), "r+b");
    }
    if (!file_) return false;
    next_open_ = first_open;
    if (first_open) first_open->previous_open_ = this;
    first_open = this;
    return true;
}

void record_file::close() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    if (previous_open_)
        previous_open_->next_open_ = next_open_;
    else
        first_open = next_open_;
    if (next_open_) next_open_->previous_open_ = previous_open_;
    previous_open_ = next_open_ = nullptr;
}

long long record_file::length() const {
    if (!file_) return 0;
    std::fflush(file_);
    if (std::fseek(file_, 0, SEEK_END) != 0) return 0;
    return std::ftell(file_);
}

bool record_file::exists(long n) const {
    return n >= 1 && static_cast<long long>(n) * static_cast<long long>(reclen_) <= length();
}

std::string record_file::read(long n) const {
    std::string rec(reclen_, ' ');
    if (!file_ || n < 1 || !exists(n)) return rec;
    if (std::fseek(file_, static_cast<long>((n - 1) * static_cast<long>(reclen_)), SEEK_SET) != 0) return rec;
    const std::size_t got = std::fread(rec.data(), 1, reclen_, file_);
    if (got != reclen_) return std::string(reclen_, ' ');
    return rec;
}

bool record_file::write(long n, std::string_view data) {
    std::string rec(data.substr(0, reclen_));
    rec.resize(reclen_, ' ');
    return write_block(n, rec);
}

bool record_file::write_block(long first, std::string_view data) {
    if (!file_ || first < 1) return false;
    std::string block(data);
    if (block.size() % reclen_) block.resize(block.size() + reclen_ - block.size() % reclen_, ' ');
    const long long end = length();
    const long long pos = static_cast<long long>(first - 1) * static_cast<long long>(reclen_);
    if (pos > end) {
        if (std::fseek(file_, 0, SEEK_END) != 0) return false;
        const std::string blanks(static_cast<std::size_t>(pos - end), ' ');
        if (std::fwrite(blanks.data(), 1, blanks.size(), file_) != blanks.size()) return false;
    }
    if (std::fseek(file_, static_cast<long>(pos), SEEK_SET) != 0) return false;
    if (std::fwrite(block.data(), 1, block.size(), file_) != block.size()) return false;
    return std::fflush(file_) == 0;
}

void record_file::close_all() {
    while (first_open) first_open->close();
}

namespace {

std::string record_of(std::size_t record_length, std::string_view data) {
    std::string rec(data.substr(0, record_length));
    rec.resize(record_length, ' ');
    return rec;
}

bool pwrite_all(int fd, const std::string& bytes, off_t pos) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, pos + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool write_record_in_place(const std::filesystem::path& path, std::size_t record_length, long n,
                           std::string_view data) {
    if (n < 1 || record_length == 0) return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const off_t pos = static_cast<off_t>(n - 1) * static_cast<off_t>(record_length);
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && st.st_size < pos)
        ok = pwrite_all(fd, std::string(static_cast<std::size_t>(pos - st.st_size), ' '), st.st_size);
    ok = ok && pwrite_all(fd, record_of(record_length, data), pos);
    return (::close(fd) == 0) && ok;
}

namespace {

// The bytes of a plain file; "" when there is none; nothing when the name
// holds something else (a link, a folder, a device) or cannot be read. One
// opening, and no wait on a pipe: on a share each call is a round trip.
std::optional<std::string> read_plain_file(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    struct stat st {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.emplace();
        char buffer[8192];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) bytes.reset();
            if (got <= 0) break;
            bytes->append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return bytes;
}

// The folders found to refuse in-place writes: the next records written
// there go the whole way at once, without asking again. Either way is right
// on every folder; this only spares a refused opening on a share.
std::mutex refusing_mutex;
std::set<std::string> refusing_folders;

bool refuses_in_place(const std::filesystem::path& path) {
    std::lock_guard lock(refusing_mutex);
    return refusing_folders.count(path.parent_path().string()) > 0;
}

void note_refusal(const std::filesystem::path& path) {
    std::lock_guard lock(refusing_mutex);
    refusing_folders.insert(path.parent_path().string());
}

}  // namespace

bool write_record_whole(const std::filesystem::path& path, std::size_t record_length, long n,
                        std::string_view data, bool keep_when_unchanged) {
    if (n < 1 || record_length == 0) return false;
    // Only a plain file is put back; one that cannot be read now is not
    // replaced by a file that would lose what it holds.
    auto read = read_plain_file(path);
    if (!read) return false;
    std::string bytes = std::move(*read);
    const std::size_t pos = static_cast<std::size_t>(n - 1) * record_length;
    const std::string rec = record_of(record_length, data);
    if (keep_when_unchanged && bytes.size() >= pos + record_length &&
        bytes.compare(pos, record_length, rec) == 0)
        return true;
    if (bytes.size() < pos + record_length) bytes.resize(pos + record_length, ' ');
    bytes.replace(pos, record_length, rec);
    // Nothing relies on the folder's entry surviving a power cut.
    return write_file_atomic(path, bytes, /*replace=*/true, /*flush_folder=*/false);
}

bool write_record_once(const std::filesystem::path& path, std::size_t record_length, long n,
                       std::string_view data) {
    // A file system that refuses in-place writes as such (GVfs's FUSE folder)
    // would have the whole file put back at every call, a creation and a
    // rename on the share, to change no byte when the record is already
    // there. One that refused for want of rights is written the whole way,
    // which tells whether the folder can be written at all.
    if (!refuses_in_place(path)) {
        if (write_record_in_place(path, record_length, n, data)) return true;
        if (errno != EOPNOTSUPP && errno != ENOTSUP)
            return write_record_whole(path, record_length, n, data, /*keep_when_unchanged=*/false);
        note_refusal(path);
    }
    return write_record_whole(path, record_length, n, data, /*keep_when_unchanged=*/true);
}

}  // namespace platform
