#include "platform/network.h"

#include <sstream>

#include "platform/cp1252.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {

namespace {

std::filesystem::path& mounts_file() {
    static std::filesystem::path p;
    return p;
}

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

std::vector<network_mount> live_mounts() {
    const std::filesystem::path file = mounts_file().empty() ? "/proc/mounts" : mounts_file();
    const auto table = read_file(file);
    return table ? parse_mounts(*table) : std::vector<network_mount>{};
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
        mounts.push_back(std::move(m));
    }
    return mounts;
}

std::string network_listing(const std::vector<network_mount>& mounts) {
    std::vector<std::string> servers;
    std::vector<std::string> comments;
    for (const auto& m : mounts) {
        std::size_t i = 0;
        while (i < servers.size() && !txt::same_nocase(servers[i], m.server)) ++i;
        if (i == servers.size()) {
            servers.push_back(m.server);
            comments.emplace_back();
        }
        comments[i] += (comments[i].empty() ? "" : ", ") + m.share.back();
    }
    std::vector<std::string> lines = {
        "Nom du serveur            Remarque",
        "",
        std::string(79, '-'),
    };
    for (std::size_t i = 0; i < servers.size(); ++i) {
        // The name stands in a column of 26 characters, as the readers of
        // the listing expect: its first 18 characters hold a short name whole.
        std::string name = "\\\\" + servers[i];
        if (name.size() < 26) name = txt::pad(name, 26);
        lines.push_back(name + " " + cp("partagé : ") + comments[i]);
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
    return local_path_of(live_mounts(), unc);
}

bool start_network_listing(const std::filesystem::path& listing_file) {
    return write_file_atomic(listing_file, network_listing(live_mounts()));
}

void set_mounts_file(const std::filesystem::path& path) {
    mounts_file() = path;
}

}  // namespace platform
