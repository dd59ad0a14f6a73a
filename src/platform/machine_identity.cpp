// The identity of this machine, from the most specific source the system
// offers. Tablets built from one image share everything but what the
// installation or the hardware made their own, so the device and inode of the
// root folder, equal on identical builds, come only last.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// A system path ("/etc/machine-id") under the root folder in use.
fs::path sous(const fs::path& root, const std::string& chemin) {
    return root / fs::path(chemin).relative_path();
}

std::string premiere_ligne(const fs::path& p) {
    std::ifstream in(p);
    std::string ligne;
    if (in) std::getline(in, ligne);
    return txt::trim(ligne);
}

// The root file system as the kernel mounted it: its device number and source.
struct montage {
    unsigned majeur = 0, mineur = 0;
    bool numero = false;
    std::string source;
};

// The last mount on "/" wins: a later mount hides the earlier ones.
std::optional<montage> montage_racine(const fs::path& root) {
    std::optional<montage> trouve;
    std::ifstream info(sous(root, "/proc/self/mountinfo"));
    for (std::string ligne; std::getline(info, ligne);) {
        std::istringstream champs(ligne);
        std::string id, parent, numero, racine, point;
        if (!(champs >> id >> parent >> numero >> racine >> point) || point != "/") continue;
        std::string mot, type, source;
        while (champs >> mot && mot != "-") {
        }
        if (!(champs >> type >> source)) continue;
        montage m;
        m.source = source;
        m.numero = std::sscanf(numero.c_str(), "%u:%u", &m.majeur, &m.mineur) == 2;
        trouve = m;
    }
    if (trouve) return trouve;
    std::ifstream montages(sous(root, "/proc/mounts"));
    for (std::string ligne; std::getline(montages, ligne);) {
        std::istringstream champs(ligne);
        std::string source, point;
        if (champs >> source >> point && point == "/") trouve = montage{0, 0, false, source};
    }
    return trouve;
}

// The name of the device a /dev path stands for ("/dev/mapper/root" is a
// link to "../dm-0"): the by-uuid links point at such names.
std::string nom_peripherique(const fs::path& root, const std::string& source) {
    if (source.rfind("/dev/", 0) != 0) return {};
    fs::path p = sous(root, source);
    std::error_code ec;
    for (int i = 0; i < 8 && fs::is_symlink(p, ec); ++i) {
        const fs::path cible = fs::read_symlink(p, ec);
        if (ec) break;
        p = cible.is_absolute() ? sous(root, cible.string()) : (p.parent_path() / cible).lexically_normal();
    }
    return p.filename().string();
}

// The kernel's name of a block device by its number ("/dev/root" says nothing).
std::string nom_par_numero(const fs::path& root, const montage& m) {
    if (!m.numero) return {};
    std::ifstream uevent(sous(
        root, "/sys/dev/block/" + std::to_string(m.majeur) + ":" + std::to_string(m.mineur) + "/uevent"));
    for (std::string ligne; std::getline(uevent, ligne);)
        if (ligne.rfind("DEVNAME=", 0) == 0) return fs::path(txt::trim(ligne.substr(8))).filename().string();
    return {};
}

std::string uuid_racine(const fs::path& root) {
    const std::optional<montage> m = montage_racine(root);
    if (!m) return {};
    std::vector<std::string> noms;
    for (const std::string& n : {nom_peripherique(root, m->source), nom_par_numero(root, *m)})
        if (!n.empty() && n != "root") noms.push_back(n);
    std::error_code ec;
    std::vector<fs::path> liens;
    for (const auto& e : fs::directory_iterator(sous(root, "/dev/disk/by-uuid"), ec))
        liens.push_back(e.path());
    std::sort(liens.begin(), liens.end());
    for (const fs::path& lien : liens) {
        const std::string cible = nom_peripherique(root, "/dev/disk/by-uuid/" + lien.filename().string());
        if (std::find(noms.begin(), noms.end(), cible) != noms.end()) return lien.filename().string();
        // The device node itself, when the names say nothing.
        struct stat st {};
        if (m->numero && m->majeur != 0 && ::stat(lien.c_str(), &st) == 0 && S_ISBLK(st.st_mode) &&
            st.st_rdev == makedev(m->majeur, m->mineur))
            return lien.filename().string();
    }
    return {};
}

// The hardware address of the first interface in name order that has one,
// interfaces of a real device (with a "device" entry) before virtual ones,
// whose addresses are drawn at random when they are created.
std::string adresse_materielle(const fs::path& root, bool materiel_seulement = false) {
    std::error_code ec;
    std::vector<fs::path> interfaces;
    for (const auto& e : fs::directory_iterator(sous(root, "/sys/class/net"), ec))
        interfaces.push_back(e.path());
    std::sort(interfaces.begin(), interfaces.end());
    for (const bool materiel : {true, false})
        for (const fs::path& i : interfaces) {
            if (!materiel && materiel_seulement) return {};
            if (i.filename() == "lo" || fs::exists(i / "device", ec) != materiel) continue;
            const std::string a = premiere_ligne(i / "address");
            if (!a.empty() && a.find_first_not_of("0:") != std::string::npos) return a;
        }
    return {};
}

// Where a folder lies: its device and inode, "" when it cannot be told.
std::string lieu_du_dossier(const fs::path& dossier) {
    struct stat st {};
    if (::stat(dossier.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

bool est_identite(const std::string& s) {
    return s.size() == 32 && s.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::string tire_identite() {
    std::random_device source;
    std::string id;
    char deux[9];
    for (int i = 0; i < 4; ++i) {
        std::snprintf(deux, sizeof deux, "%08x", static_cast<unsigned>(source()));
        id += deux;
    }
    return id;
}

}  // namespace

std::string tablet_folder_identity(const fs::path& folder) {
    const fs::path dossier = folder.empty() ? fs::path(".") : folder;
    const fs::path fichier = dossier / tablet_identity_file;
    const std::string lieu = lieu_du_dossier(dossier);
    if (const auto lignes = read_lines(fichier);
        lignes && lignes->size() >= 2 && est_identite((*lignes)[0]) && !lieu.empty() && (*lignes)[1] == lieu)
        return (*lignes)[0];
    // Drawn for this folder alone: a clone of the machine draws its own.
    const std::string id = tire_identite();
    if (!lieu.empty()) write_file_atomic(fichier, join_lines({id, lieu}));
    return id;
}

std::string device_address(const fs::path& root) {
    return adresse_materielle(root, /*materiel_seulement=*/true);
}

std::string machine_identity(const fs::path& root) {
    for (const char* chemin : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        const std::string id = premiere_ligne(sous(root, chemin));
        if (!id.empty()) return id;
    }
    if (const std::string uuid = uuid_racine(root); !uuid.empty()) return "uuid:" + uuid;
    if (const std::string mac = adresse_materielle(root); !mac.empty()) return "mac:" + mac;
    struct stat st {};
    if (::stat(root.c_str(), &st) == 0) return std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
    return "unknown";
}

}  // namespace platform
