#include "platform/text_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <string_view>

#include "platform/folder_handle.h"
#include "platform/services.h"
#include "platform/text.h"

namespace platform {

std::optional<std::string> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return ss.str();
}

std::vector<std::string> split_lines(const std::string& b) {
    std::vector<std::string> lines;
    std::size_t start = 0;
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

std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    auto bytes = read_file(path);
    if (!bytes) return std::nullopt;
    return split_lines(*bytes);
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

// Tests set the fault hook while the network folder's worker may be writing.
std::mutex& shared_state() {
    static std::mutex m;
    return m;
}

file_fault_hook& fault_hook() {
    static file_fault_hook hook;
    return hook;
}

// One generator per thread: the network folder's writes may run off the screen's thread.
std::string random_part() {
    thread_local std::mt19937_64 generator{(static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                                           std::random_device{}()};
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(generator()));
    return out;
}

// Short, and made only of hexadecimal digits, so that it can be read back from a name.
std::string tag_of(const std::string& source) {
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(txt::fingerprint(source)));
    return std::string(out, 12);
}

// The tablet part of this program's temporary names, set at its start; read
// by the network folder's worker too.
std::mutex& tag_lock() {
    static std::mutex m;
    return m;
}
std::string& tag_slot() {
    static std::string tag;
    return tag;
}

std::string own_tag() {
    std::lock_guard lock(tag_lock());
    // A program that names no tablet folder has no later start that would
    // remove its leftovers: a tag drawn for this run, which no other
    // program's names carry.
    if (tag_slot().empty()) tag_slot() = random_part().substr(0, 12);
    return tag_slot();
}

bool all_of(std::string_view s, bool (*pred)(char)) {
    if (s.empty()) return false;
    for (const char c : s)
        if (!pred(c)) return false;
    return true;
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_hex(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'f');
}

// The machine tag of a temporary name; nullopt when the name is no temporary
// name, "" for the names of earlier versions (".<name>.<pid>-<counter>.part"),
// which carry no machine.
std::optional<std::string> temporary_tag(const std::string& name) {
    constexpr std::string_view end = ".part";
    if (name.size() <= 1 + end.size() || name[0] != '.' ||
        name.compare(name.size() - end.size(), end.size(), end) != 0)
        return std::nullopt;
    const std::string core = name.substr(0, name.size() - end.size());
    const auto dot = core.rfind('.');
    if (dot == std::string::npos || dot < 2) return std::nullopt;
    const std::string_view last = std::string_view(core).substr(dot + 1);
    const auto t1 = last.find('~');
    if (t1 == std::string_view::npos) {
        const auto dash = last.find('-');
        if (dash == std::string_view::npos) return std::nullopt;
        if (all_of(last.substr(0, dash), is_digit) && all_of(last.substr(dash + 1), is_digit)) return "";
        return std::nullopt;
    }
    const auto t2 = last.find('~', t1 + 1);
    if (t2 == std::string_view::npos) return std::nullopt;
    const std::string_view tag = last.substr(0, t1);
    if (!all_of(tag, is_hex) || !all_of(last.substr(t1 + 1, t2 - t1 - 1), is_digit) ||
        !all_of(last.substr(t2 + 1), is_hex))
        return std::nullopt;
    return std::string(tag);
}

bool write_chunks(int fd, const char* data, std::size_t size, const std::filesystem::path& path) {
    while (size > 0) {
        std::size_t chunk = size;
        const int e = injected_fault(file_op::write, path);
        if (e == ENOSPC) chunk = size / 2;  // the disk fills up part-way
        const ssize_t n = chunk > 0 ? ::write(fd, data, chunk) : 0;
        if (e != 0) {
            errno = e;
            return false;
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

int injected_fault(file_op op, const std::filesystem::path& path) {
    file_fault_hook hook;
    {
        std::lock_guard lock(shared_state());
        hook = fault_hook();
    }
    const int e = hook ? hook(op, path) : 0;
    if (e != 0) errno = e;
    return e;
}

bool write_all(int fd, const std::string& bytes, const std::filesystem::path& path) {
    return write_chunks(fd, bytes.data(), bytes.size(), path);
}

// A leading dot and the ".part" ending: no reader's pattern (order files,
// router files, catalogue names) ever matches it. The process id and a
// random part keep it apart from whatever an earlier run left behind, even
// when every run gets the same process id.
std::string temporary_name(const std::string& final_name) {
    return "." + final_name + "." + own_tag() + "~" + std::to_string(::getpid()) + "~" + random_part() +
           ".part";
}

bool sync_folder(const std::filesystem::path& folder) {
    // The held folder's flush, so that every flush of a folder answers alike.
    folder_handle f(folder);
    return f.flush() != folder_handle::flush_result::failed;
}

bool remove_file_durably(const std::filesystem::path& path) {
    if (injected_fault(file_op::remove, path)) return false;
    if (::unlink(path.c_str()) != 0) return false;
    return sync_folder(path.parent_path());
}

void set_file_fault_hook(file_fault_hook hook) {
    std::lock_guard lock(shared_state());
    fault_hook() = std::move(hook);
}

std::string machine_tag(const std::filesystem::path& root) {
    // Tablets cloned from one image share the machine identifier; their
    // network devices still differ.
    return tag_of(machine_identity(root) + "\n" + device_address(root));
}

std::string tablet_tag(const std::filesystem::path& tablet_folder, const std::filesystem::path& root) {
    // A program that took another's temporary files for its own would
    // remove, at its start, a copy the other noted and had not renamed yet,
    // and that order would be taken for delivered. Two tablet folders of one
    // machine share everything the machine says, but not their own
    // identities; a clone of an image made after its first start carries the
    // folder's identity along, but its machine identifier or its network
    // device tells it apart.
    return tag_of(machine_identity(root) + "\n" + device_address(root) + "\n" +
                  tablet_folder_identity(tablet_folder));
}

void set_tablet_folder(const std::filesystem::path& folder) {
    // Drawn first: keeping the folder's identity is itself a write.
    std::string tag = tablet_tag(folder);
    std::lock_guard lock(tag_lock());
    tag_slot() = std::move(tag);
}

bool is_temporary_name(const std::string& name) {
    return temporary_tag(name).has_value();
}

bool is_own_temporary_name(const std::string& name) {
    const auto tag = temporary_tag(name);
    return tag && *tag == own_tag();
}

int remove_temporary_leftovers(const std::filesystem::path& folder, bool shared,
                               const std::vector<std::string>& spared) {
    int removed = 0;
    std::error_code ec;
    const std::filesystem::path f = folder.empty() ? std::filesystem::path(".") : folder;
    for (std::filesystem::directory_iterator it(f, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string name = it->path().filename().string();
        if (!(shared ? is_own_temporary_name(name) : is_temporary_name(name))) continue;
        if (std::find(spared.begin(), spared.end(), name) != spared.end()) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    if (removed > 0) sync_folder(f);
    return removed;
}

bool write_file_atomic(const std::filesystem::path& path, const std::string& bytes, bool replace,
                       bool flush_folder) {
    // The same temporary file and rename as every write into a held folder.
    folder_handle folder(path.parent_path());
    const std::string name = path.filename().string();
    const auto tmp = folder.write_temporary(name, bytes);
    if (!tmp) return false;
    const bool ok = replace ? folder.rename_over(*tmp, name)
                            : folder.rename_no_replace(*tmp, name) == folder_handle::rename_result::done;
    if (!ok) {
        ::unlink((path.parent_path() / *tmp).c_str());
        return false;
    }
    // The file is whole under its name whatever the flush of its folder says:
    // reporting a failure now would have the caller write it a second time.
    if (flush_folder) sync_folder(path.parent_path());
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

std::string folder_spelling(const std::string& folder) {
    if (folder.empty()) return {};
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(folder, ec);
    if (ec) p = folder;
    p = p.lexically_normal();
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
    return p.string();
}

}  // namespace platform
