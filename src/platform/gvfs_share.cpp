#include "platform/gvfs_share.h"

#include <cctype>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/network.h"
#include "platform/services.h"
#include "platform/text.h"

namespace platform::gvfs_share {

namespace {

namespace fs = std::filesystem;

// GVfs writes the bytes of a value outside letters, digits and a few marks
// as "%XX" (UTF-8 left as it is).
std::optional<std::string> percent_decode(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size() || !std::isxdigit(static_cast<unsigned char>(s[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(s[i + 2])))
            return std::nullopt;
        out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    return out;
}

// The reverse, for an address: what may stand in a host or a path segment.
std::string percent_encode(const std::string& s, const char* kept) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || std::strchr("-._~", c) || std::strchr(kept, c)) {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : s) {
        if (c == sep) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::vector<fs::path> mounts_in(const fs::path& root) {
    std::vector<fs::path> out;
    std::error_code ec;
    fs::directory_iterator it(root, ec);
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) out.push_back(it->path());
    return out;
}

std::string with_final_slash_of(const std::string& recorded, const fs::path& found) {
    std::string s = found.string();
    if (!recorded.empty() && recorded.back() == '/' && (s.empty() || s.back() != '/')) s += '/';
    return s;
}

struct attempts {
    std::mutex m;
    bool in_flight = false;
    std::optional<std::chrono::steady_clock::time_point> failed_at;
    std::chrono::milliseconds spacing = retry_spacing;
};

attempts& the_attempts() {
    static attempts* a = new attempts;
    return *a;
}

// The share mounted for this user by GVfs, as a guest; true once its folder
// is there. gvfsd-fuse makes the folder on its own time, after "gio mount"
// has answered: it is waited for within the same bound.
bool mount(const share_folder& f) {
    const auto until = std::chrono::steady_clock::now() + mount_bound;
    const auto r = run_program("gio", {"mount", "-a", mount_uri(f.s)}, static_cast<int>(mount_bound.count()));
    if (!r.finished || r.exit_code != 0) return false;
    while (std::chrono::steady_clock::now() < until) {
        std::error_code ec;
        if (const auto there = find_in_session(f); there && fs::is_directory(*there, ec)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace

std::optional<share> parse_mount_name(const std::string& name) {
    const std::string kind = "smb-share:";
    if (name.compare(0, kind.size(), kind) != 0) return std::nullopt;
    share s;
    for (const std::string& pair : split(name.substr(kind.size()), ',')) {
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos || eq == 0) return std::nullopt;
        const std::string key = pair.substr(0, eq);
        const auto value = percent_decode(pair.substr(eq + 1));
        if (!value) return std::nullopt;
        if (key == "server") {
            s.server = *value;
        } else if (key == "share") {
            s.name = *value;
        } else if (key == "user") {
            s.user = *value;
        } else if (key == "domain") {
            s.domain = *value;
        } else if (key == "port") {
            if (value->empty() || value->size() > 5 ||
                value->find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            s.port = std::stoi(*value);
            if (s.port < 1 || s.port > 65535) return std::nullopt;
        }
    }
    if (s.server.empty() || s.name.empty()) return std::nullopt;
    return s;
}

std::optional<share_folder> parse_folder(const std::string& folder) {
    const auto parts = split(folder, '/');
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i - 1] != "gvfs" && parts[i - 1] != ".gvfs") continue;
        auto s = parse_mount_name(parts[i]);
        if (!s) continue;
        share_folder f;
        f.s = std::move(*s);
        f.mount_name = parts[i];
        std::string root = folder.front() == '/' ? "/" : "";
        for (std::size_t k = 0; k < i; ++k)
            if (!parts[k].empty()) root += parts[k] + "/";
        f.gvfs_root = fs::path(root).parent_path();
        for (std::size_t k = i + 1; k < parts.size(); ++k)
            if (!parts[k].empty() && parts[k] != ".") f.rest /= parts[k];
        return f;
    }
    return std::nullopt;
}

bool same_share(const share& a, const share& b) {
    return txt::same_nocase(a.server, b.server) && txt::same_nocase(a.name, b.name) && a.port == b.port;
}

std::string mount_uri(const share& s) {
    // An IPv6 address stands between brackets, as in any address.
    const std::string host = s.server.find(':') != std::string::npos && s.server.front() != '['
                                 ? "[" + s.server + "]"
                                 : percent_encode(s.server, "[]:");
    return "smb://" + host + (s.port > 0 ? ":" + std::to_string(s.port) : "") + "/" +
           percent_encode(s.name, "!$&'()*+;=@");
}

std::optional<fs::path> find_among(const share_folder& f, const std::vector<fs::path>& mounts) {
    const fs::path recorded = f.gvfs_root / f.mount_name;
    for (const auto& m : mounts)
        if (m == recorded) return m / f.rest;
    for (const auto& m : mounts)
        if (const auto s = parse_mount_name(m.filename().string()); s && same_share(*s, f.s))
            return m / f.rest;
    return std::nullopt;
}

std::optional<fs::path> find_in_session(const share_folder& f) {
    std::vector<fs::path> roots = {f.gvfs_root};
    for (const auto& r : gvfs_folders())
        if (r != f.gvfs_root) roots.push_back(r);
    for (const auto& root : roots)
        if (auto there = find_among(f, mounts_in(root))) return there;
    return std::nullopt;
}

reached reach(const std::string& recorded) {
    const auto f = parse_folder(recorded);
    std::error_code ec;
    if (!f || fs::is_directory(recorded, ec)) return {recorded, false};
    if (const auto there = find_in_session(*f)) {
        if (fs::is_directory(*there, ec)) return {with_final_slash_of(recorded, *there), false};
        // Mounted, its folder not answering (a server stopped) or missing:
        // mounting it again would change nothing.
        return {recorded, false};
    }

    attempts& a = the_attempts();
    {
        std::lock_guard lock(a.m);
        if (a.in_flight) return {recorded, false};
        if (a.failed_at && std::chrono::steady_clock::now() - *a.failed_at < a.spacing)
            return {recorded, false};
        a.in_flight = true;
    }
    mount(*f);
    // Whoever made it (this mount, or one still running that an earlier
    // call had to leave at its bound), the share is there now or not.
    auto there = find_in_session(*f);
    if (there && !fs::is_directory(*there, ec)) there.reset();
    {
        std::lock_guard lock(a.m);
        a.in_flight = false;
        if (there)
            a.failed_at.reset();
        else
            a.failed_at = std::chrono::steady_clock::now();
    }
    if (!there) return {recorded, false};
    return {with_final_slash_of(recorded, *there), true};
}

void set_retry_spacing(std::chrono::milliseconds spacing) {
    std::lock_guard lock(the_attempts().m);
    the_attempts().spacing = spacing;
}

void forget_attempts() {
    std::lock_guard lock(the_attempts().m);
    the_attempts().failed_at.reset();
}

}  // namespace platform::gvfs_share
