#include "support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {
struct run_folder {
    std::filesystem::path path;
    run_folder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "wv-fuzz-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = tmpl;
    }
    ~run_folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
}  // namespace

const std::filesystem::path& folder() {
    static run_folder f;
    return f.path;
}

in_folder::in_folder() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder());
}

in_folder::~in_folder() {
    std::filesystem::current_path(previous_);
}

std::filesystem::path write(const std::string& name, std::string_view bytes) {
    const auto p = folder() / name;
    // Rewritten in place and cut to size: emptying a file first makes the
    // filesystem flush it on close, a thousand times slower.
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT, 0644);
    bool ok = fd >= 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    if (!ok) {
        std::perror(p.c_str());
        std::abort();
    }
    return p;
}

std::string text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string> lines(std::string_view bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        if (end > start && bytes[end - 1] == '\r') --end;
        out.emplace_back(bytes.substr(start, end - start));
        start = next;
    }
    return out;
}

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace fuzz
