#include "platform/network.h"

#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/cp1252.h"
#include "platform/gvfs_share.h"
#include "platform/network_discovery.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {

namespace {

std::filesystem::path& mounts_file() {
    static std::filesystem::path p;
    return p;
}
std::filesystem::path& autofs_master() {
    static std::filesystem::path p;
    return p;
}
std::filesystem::path& gvfs_folder_override() {
    static std::filesystem::path p;
    return p;
}
int& smb_port() {
    static int port = 0;
    return port;
}
share_mounting& mounting() {
    static share_mounting m;
    return m;
}

}  // namespace

std::vector<std::filesystem::path> gvfs_folders() {
    if (!gvfs_folder_override().empty()) return {gvfs_folder_override()};
    std::vector<std::filesystem::path> folders;
    if (const char* x = std::getenv("XDG_RUNTIME_DIR"); x && *x)
        folders.push_back(std::filesystem::path(x) / "gvfs");
    folders.push_back(std::filesystem::path("/run/user") / std::to_string(::getuid()) / "gvfs");
    if (const char* c = std::getenv("XDG_CACHE_HOME"); c && *c)
        folders.push_back(std::filesystem::path(c) / "gvfs");
    else if (const char* h = std::getenv("HOME"); h && *h)
        folders.push_back(std::filesystem::path(h) / ".cache" / "gvfs");
    return folders;
}

namespace {

// The mounts table writes blanks, tabs and backslashes of its fields as
// three octal digits ("\040").
std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string oct = field.substr(i + 1, 3);
            if (oct.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(oct, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool is_smb(const std::string& type) {
    return type == "cifs" || type == "smb3" || type == "smbfs";
}

bool is_nfs(const std::string& type) {
    return type == "nfs" || type == "nfs4";
}

// How many leading components of `rest` name the share, 0 when they do not.
std::size_t share_match(const network_mount& m, const std::vector<std::string>& rest) {
    if (m.share.empty() || rest.size() < m.share.size()) return 0;
    bool whole = true;
    for (std::size_t i = 0; i < m.share.size(); ++i)
        if (!txt::same_nocase(m.share[i], rest[i])) whole = false;
    if (whole) return m.share.size();
    // A Windows path names an NFS export by its last folder ("\\srv\quarnel"
    // for "srv:/export/quarnel").
    if (m.nfs && txt::same_nocase(m.share.back(), rest.front())) return 1;
    return 0;
}

std::vector<network_mount> gvfs_mounts() {
    std::vector<network_mount> out;
    for (const auto& folder : gvfs_folders()) {
        std::error_code ec;
        std::filesystem::directory_iterator it(folder, ec);
        for (std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec))
            if (auto m = parse_gvfs_entry(it->path().filename().string(), folder))
                out.push_back(std::move(*m));
    }
    return out;
}

std::vector<network_mount> autofs_mounts() {
    std::vector<network_mount> out;
    const std::filesystem::path master = autofs_master().empty() ? "/etc/auto.master" : autofs_master();
    const auto text = read_file(master);
    if (!text) return out;
    for (const auto& [root, map_file] : parse_autofs_master(*text)) {
        // A map that is a program is run by the automounter alone.
        std::error_code ec;
        const auto perms = std::filesystem::status(map_file, ec).permissions();
        if (ec || (perms & std::filesystem::perms::owner_exec) != std::filesystem::perms::none) continue;
        if (const auto map = read_file(map_file))
            for (auto& m : parse_autofs_map(*map, root)) out.push_back(std::move(m));
    }
    return out;
}

std::vector<std::string> fields_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> f;
    for (std::string w; in >> w;) f.push_back(w);
    return f;
}

}  // namespace

std::vector<network_mount> parse_mounts(const std::string& table) {
    std::vector<network_mount> mounts;
    std::istringstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string source, point, type;
        if (!(fields >> source >> point >> type)) continue;
        source = unescape(source);
        network_mount m;
        m.mount_point = unescape(point);
        if (is_smb(type)) {
            if (source.size() < 3 || source.compare(0, 2, "//") != 0) continue;
            auto parts = components(source.substr(2));
            if (parts.size() < 2) continue;
            m.server = parts.front();
            m.share.assign(parts.begin() + 1, parts.end());
        } else if (is_nfs(type)) {
            std::size_t colon = source.find(":/");
            if (source.front() == '[') colon = source.find("]:/");
            if (colon == std::string::npos || colon == 0) continue;
            m.server = source.front() == '[' ? source.substr(1, colon - 1) : source.substr(0, colon);
            m.share = components(source.substr(source.find(":/", colon) + 1));
            m.nfs = true;
            if (m.share.empty()) continue;
        } else {
            continue;
        }
        // "[]:/export": a computer without a name cannot be listed nor opened.
        if (m.server.empty()) continue;
        mounts.push_back(std::move(m));
    }
    return mounts;
}

std::vector<std::pair<std::filesystem::path, std::filesystem::path>> parse_autofs_master(
    const std::string& master) {
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> maps;
    std::istringstream in(master);
    for (std::string line; std::getline(in, line);) {
        const auto f = fields_of(line);
        if (f.size() < 2 || f[0][0] == '#' || f[0][0] == '+') continue;
        std::string map = f[1];
        if (map.compare(0, 5, "file:") == 0) map = map.substr(5);
        if (map.empty() || map[0] != '/') continue;
        maps.emplace_back(f[0], map);
    }
    return maps;
}

std::vector<network_mount> parse_autofs_map(const std::string& map, const std::filesystem::path& mount_root) {
    std::vector<network_mount> out;
    std::istringstream in(map);
    for (std::string line; std::getline(in, line);) {
        const auto f = fields_of(line);
        if (f.size() < 2 || f[0][0] == '#' || f[0][0] == '+' || f[0] == "*") continue;
        // "key [-options] location": the location is the last field.
        const std::string& location = f.back();
        if (f.size() > 3 || location[0] == '-') continue;
        network_mount m;
        // A direct map ("/-") names the folder itself.
        m.mount_point = mount_root == "/-" ? std::filesystem::path(f[0]) : mount_root / f[0];
        if (location.compare(0, 3, "://") == 0) {
            const auto parts = components(location.substr(3));
            if (parts.size() < 2) continue;
            m.server = parts.front();
            m.share.assign(parts.begin() + 1, parts.end());
        } else if (const std::size_t colon = location.find(":/"); colon != std::string::npos && colon > 0) {
            m.server = location.substr(0, colon);
            if (m.server.front() == '[' && m.server.back() == ']')
                m.server = m.server.substr(1, m.server.size() - 2);
            m.share = components(location.substr(colon + 1));
            m.nfs = true;
            if (m.share.empty()) continue;
        } else {
            continue;
        }
        out.push_back(std::move(m));
    }
    return out;
}

std::optional<network_mount> parse_gvfs_entry(const std::string& name,
                                              const std::filesystem::path& gvfs_folder) {
    const auto s = gvfs_share::parse_mount_name(name);
    if (!s) return std::nullopt;
    network_mount m;
    m.server = s->server;
    m.share = {s->name};
    m.mount_point = gvfs_folder / name;
    return m;
}

std::vector<network_mount> live_network_mounts() {
    const std::filesystem::path file = mounts_file().empty() ? "/proc/mounts" : mounts_file();
    const auto table = read_file(file);
    std::vector<network_mount> all = table ? parse_mounts(*table) : std::vector<network_mount>{};
    for (auto& m : autofs_mounts()) all.push_back(std::move(m));
    for (auto& m : gvfs_mounts()) all.push_back(std::move(m));
    return all;
}

std::string network_listing(const std::vector<network_mount>& mounts,
                            const std::vector<std::string>& discovered) {
    std::vector<std::string> servers;
    std::vector<std::string> comments;
    for (const auto& m : mounts) {
        std::size_t i = 0;
        while (i < servers.size() && !same_computer(servers[i], m.server)) ++i;
        if (i == servers.size()) {
            servers.push_back(m.server);
            comments.emplace_back();
        }
        const std::string& share = m.share.back();
        if (comments[i].find(share) == std::string::npos)
            comments[i] += (comments[i].empty() ? "" : ", ") + share;
    }
    for (const auto& d : discovered) {
        std::size_t i = 0;
        while (i < servers.size() && !same_computer(servers[i], d)) ++i;
        if (i == servers.size()) {
            servers.push_back(d);
            comments.emplace_back();
        }
    }
    std::vector<std::string> lines = {
        "Nom du serveur            Remarque",
        "",
        std::string(79, '-'),
    };
    for (std::size_t i = 0; i < servers.size(); ++i) {
        // The name stands in a column of 26 characters; a longer one is
        // written whole, a blank parting it from the comment.
        std::string name = "\\\\" + servers[i];
        if (name.size() < 26) name = txt::pad(name, 26);
        lines.push_back(comments[i].empty() ? txt::rtrim(name) : name + " " + cp("partagé : ") + comments[i]);
    }
    lines.push_back(cp("La commande s'est terminée correctement."));
    lines.push_back("");
    return join_lines(lines);
}

std::optional<std::filesystem::path> local_path_of(const std::vector<network_mount>& mounts,
                                                   const std::string& unc) {
    if (unc.size() < 3 || (unc[0] != '\\' && unc[0] != '/') || (unc[1] != '\\' && unc[1] != '/'))
        return std::nullopt;
    const auto parts = components(unc);
    if (parts.size() < 2) return std::nullopt;
    const std::vector<std::string> rest(parts.begin() + 1, parts.end());
    const network_mount* best = nullptr;
    std::size_t best_len = 0;
    for (const auto& m : mounts) {
        if (!txt::same_nocase(m.server, parts.front())) continue;
        const std::size_t n = share_match(m, rest);
        if (n > best_len) {
            best = &m;
            best_len = n;
        }
    }
    if (!best) return std::nullopt;
    std::filesystem::path local = best->mount_point;
    for (std::size_t i = best_len; i < rest.size(); ++i) local /= rest[i];
    return local;
}

std::optional<std::filesystem::path> local_path_of_network_path(const std::string& unc) {
    return local_path_of(live_network_mounts(), unc);
}

std::optional<std::filesystem::path> open_network_path(const std::string& unc) {
    if (auto local = local_path_of_network_path(unc)) return local;
    if (unc.size() < 3 || (unc[0] != '\\' && unc[0] != '/') || (unc[1] != '\\' && unc[1] != '/'))
        return std::nullopt;
    const auto parts = components(unc);
    if (parts.size() < 2) return std::nullopt;
    const std::string& server = parts[0];
    const std::string& share = parts[1];
    // Names and shares go to the mount programs as single arguments: none
    // may be read as an option or as a second path.
    for (const auto& p : {server, share})
        if (p[0] == '-' || p == "." || p == ".." || p.find_first_of(" \t,;@\"'") != std::string::npos)
            return std::nullopt;
    std::filesystem::path rest;
    for (std::size_t i = 2; i < parts.size(); ++i) rest /= parts[i];

    // A name found on the network may not resolve here (an mDNS name on a
    // tablet without mDNS name resolution): its address, as found, is tried
    // after it.
    std::vector<std::string> hosts = {server};
    if (const std::string a = known_address(server); !a.empty() && !txt::same_nocase(a, server))
        hosts.push_back(a);
    const std::string port = smb_port() > 0 ? ":" + std::to_string(smb_port()) : "";
    std::string rest_unc;
    for (std::size_t i = 2; i < parts.size(); ++i) rest_unc += "\\" + parts[i];

    if (mounting().gvfs) {
        for (const auto& h : hosts) {
            const std::string host = h.find(':') != std::string::npos ? "[" + h + "]" : h;
            const auto until = std::chrono::steady_clock::now() + mount_bound;
            // GVfs mounts for this user, without root; -a: as a guest.
            const auto r = run_program("gio", {"mount", "-a", "smb://" + host + port + "/" + share},
                                       static_cast<int>(mount_bound.count()));
            const std::string unc_h = "\\\\" + h + "\\" + share + rest_unc;
            // The share's folder is made by gvfsd-fuse, on its own time: on a
            // session whose gvfsd has just started, "gio mount" has said the
            // share is mounted before the folder is there. A mount that worked
            // is waited for; any other answer ("already mounted") is judged
            // at once.
            if (r.finished && r.exit_code == 0) {
                while (std::chrono::steady_clock::now() < until) {
                    std::error_code ec;
                    const auto local = local_path_of(gvfs_mounts(), unc_h);
                    if (local && std::filesystem::is_directory(*local, ec)) return local;
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            }
            if (auto local = local_path_of(gvfs_mounts(), unc_h)) return local;
        }
    }

    if (!mounting().kernel_cifs || ::geteuid() != 0) return std::nullopt;
    const std::filesystem::path point = mounting().kernel_folder / server / share;
    // Mounted there before at the computer's address, which the mounts table
    // names instead of the computer.
    for (const auto& m : live_network_mounts())
        if (m.mount_point == point) return rest.empty() ? point : point / rest;
    std::error_code ec;
    std::filesystem::create_directories(point, ec);
    if (ec) return std::nullopt;
    std::string options = "guest";
    if (smb_port() > 0) options += ",port=" + std::to_string(smb_port());
    for (const auto& h : hosts) {
        const auto r =
            run_program("mount", {"-t", "cifs", "-o", options, "//" + h + "/" + share, point.string()},
                        static_cast<int>(mount_bound.count()));
        if (r.finished && r.exit_code == 0) return rest.empty() ? point : point / rest;
    }
    std::filesystem::remove(point, ec);
    return std::nullopt;
}

bool start_network_listing(const std::filesystem::path& listing_file) {
    if (!write_file_atomic(listing_file, network_listing(live_network_mounts()))) return false;
    start_discovery(discovery_programs(), discovery_bound_ms, [listing_file](std::vector<std::string> found) {
        // Written whole or not at all: the reader finds the first listing
        // or this one.
        write_file_atomic(listing_file, network_listing(live_network_mounts(), found));
    });
    return true;
}

void set_mounts_file(const std::filesystem::path& path) {
    mounts_file() = path;
}

void set_autofs_master(const std::filesystem::path& path) {
    autofs_master() = path;
}

void set_gvfs_folder(const std::filesystem::path& path) {
    gvfs_folder_override() = path;
}

void set_smb_port(int port) {
    smb_port() = port;
}

void set_share_mounting(const share_mounting& m) {
    mounting() = m;
}

}  // namespace platform
