#include "main_screen/order_queue.h"

#include <algorithm>
#include <map>

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

// Orders of this run that reached the network folder but whose local file
// could not be removed: their path and bytes. An entry holds only while the
// file keeps those bytes, so that an order written later under a freed name
// is never mistaken for one already delivered.
std::map<std::string, std::string>& livres_non_effaces() {
    static std::map<std::string, std::string> m;
    return m;
}

enum class copie_resultat { faite, deja_livree, echec };

// Writes the order under its final name without ever replacing a file there.
copie_resultat copie(const std::string& octets, const fs::path& destination) {
    if (platform::file_exists(destination)) {
        const auto deja = platform::read_file(destination);
        return deja && *deja == octets ? copie_resultat::deja_livree : copie_resultat::echec;
    }
    // The folder is flushed by the caller, which must know that it worked.
    if (platform::write_file_atomic(destination, octets, /*replace=*/false, /*flush_folder=*/false))
        return copie_resultat::faite;
    // Taken meanwhile (by this very order, or by another): decided by the bytes as above.
    if (!platform::file_exists(destination)) return copie_resultat::echec;
    const auto deja = platform::read_file(destination);
    return deja && *deja == octets ? copie_resultat::deja_livree : copie_resultat::echec;
}

}  // namespace

bilan transmet(const fs::path& dossier, const std::string& rep_reseau) {
    const std::vector<std::string> noms = en_attente(dossier);
    bilan b;
    // An empty folder would name files at the root of the file system.
    if (!rep_reseau.empty()) {
        auto& livres = livres_non_effaces();
        for (const std::string& nom : noms) {
            const fs::path local = dossier / nom;
            const auto octets = platform::read_file(local);
            if (!octets) break;
            std::error_code ec;
            const std::string cle = fs::absolute(local, ec).lexically_normal().string();
            const auto deja = livres.find(cle);
            if (deja != livres.end()) {
                if (deja->second == *octets) {
                    // Delivered earlier in this run: never copied again, only removed.
                    if (platform::remove_file_durably(local) || !platform::file_exists(local))
                        livres.erase(deja);
                    continue;
                }
                livres.erase(deja);
            }
            if (copie(*octets, platform::join_folder(rep_reseau, nom_transmis(nom))) == copie_resultat::echec)
                break;
            // The copy's name on the network folder's disk (also when an earlier
            // run left it there and died before it was flushed): only then may
            // the local file go.
            if (!platform::sync_folder(rep_reseau)) break;
            // The copy is whole and flushed under its final name: only now may
            // the order leave the tablet, and it counts once that is on disk.
            if (!platform::remove_file_durably(local)) {
                if (platform::file_exists(local)) livres[cle] = *octets;
                break;
            }
            ++b.transmis;
        }
    }
    b.restants = static_cast<int>(en_attente(dossier).size());
    return b;
}

void nettoie_temporaires(const fs::path& dossier, const std::string& rep_reseau) {
    platform::remove_temporary_leftovers(dossier, /*shared=*/false);
    if (!rep_reseau.empty()) platform::remove_temporary_leftovers(rep_reseau, /*shared=*/true);
}

}  // namespace file_attente
