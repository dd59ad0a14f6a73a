#include "main_screen/order_queue.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace file_attente {

namespace fs = std::filesystem;

std::vector<std::string> en_attente(const fs::path& dossier) {
    std::vector<std::string> noms;
    std::error_code ec;
    for (fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string nom = it->path().filename().string();
        if (platform::matches_pattern(nom, "*.-a-")) noms.push_back(nom);
    }
    std::sort(noms.begin(), noms.end(),
              [](const std::string& a, const std::string& b) { return txt::ucase(a) < txt::ucase(b); });
    return noms;
}

std::string nom_transmis(const std::string& nom) {
    return txt::left(nom, static_cast<long>(nom.size()) - 3) + "txt";
}

namespace {

// Writes the order under its final name without ever replacing another
// order. When the name is already taken by the very same bytes, an earlier
// hand-over stopped between its rename and the local removal: the copy is
// rewritten with those bytes and the hand-over finishes under the same name.
bool copie(const std::string& octets, const fs::path& destination) {
    if (platform::write_file_atomic(destination, octets, /*replace=*/false)) return true;
    if (!platform::file_exists(destination)) return false;
    const auto deja = platform::read_file(destination);
    return deja && *deja == octets && platform::write_file_atomic(destination, octets, /*replace=*/true);
}

}  // namespace

bilan transmet(const fs::path& dossier, const std::string& rep_reseau) {
    const std::vector<std::string> noms = en_attente(dossier);
    bilan b;
    b.restants = static_cast<int>(noms.size());
    // An empty folder would name files at the root of the file system.
    if (rep_reseau.empty()) return b;
    for (const std::string& nom : noms) {
        const fs::path local = dossier / nom;
        const auto octets = platform::read_file(local);
        if (!octets) break;
        if (!copie(*octets, platform::join_folder(rep_reseau, nom_transmis(nom)))) break;
        std::error_code ec;
        // The copy is complete under its final name: only now may the order leave the tablet.
        if (fs::remove(local, ec) && !ec) {
            ++b.transmis;
            --b.restants;
        }
    }
    return b;
}

}  // namespace file_attente
