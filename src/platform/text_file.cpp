#include "platform/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <sstream>

namespace platform {

std::optional<std::string> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return ss.str();
}

std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    auto bytes = read_file(path);
    if (!bytes) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::string& b = *bytes;
    while (start < b.size()) {
        std::size_t end = b.find('\n', start);
        std::size_t next = end == std::string::npos ? b.size() : end + 1;
        if (end == std::string::npos) end = b.size();
        std::size_t stop = end;
        if (stop > start && b[stop - 1] == '\r') --stop;
        lines.emplace_back(b.substr(start, stop - start));
        start = next;
    }
    return lines;
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

namespace {
std::filesystem::path temporary_beside(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    // A leading dot and the ".part" ending: no reader's pattern (order files,
    // router files, catalogue names) ever matches it.
    const std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + ".part";
    return path.parent_path() / name;
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void sync_folder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
}  // namespace

bool write_file_atomic(const std::filesystem::path& path, const std::string& bytes, bool replace) {
    const auto tmp = temporary_beside(path);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        if (replace) {
            ok = ::rename(tmp.c_str(), path.c_str()) == 0;
        } else {
            // link() fails when the name is taken, so an existing file is never replaced.
            if (::link(tmp.c_str(), path.c_str()) == 0) {
                ::unlink(tmp.c_str());
            } else if (errno != EEXIST && !file_exists(path)) {
                // Folders that cannot hard-link (some network shares): a
                // checked rename is the closest we have.
                ok = ::rename(tmp.c_str(), path.c_str()) == 0;
            } else {
                ok = false;
            }
        }
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    sync_folder(path.parent_path());
    return true;
}

bool copy_file_atomic(const std::filesystem::path& src, const std::filesystem::path& dst) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(src, ec)) return false;
    auto bytes = read_file(src);
    if (!bytes) return false;
    return write_file_atomic(dst, *bytes);
}

bool file_exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string join_folder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace platform
