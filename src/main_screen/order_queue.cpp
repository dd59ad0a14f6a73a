#include "main_screen/order_queue.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>

#include "order/order_file.h"
#include "platform/controls.h"
#include "platform/folder_handle.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace file_attente {

namespace fs = std::filesystem;
using platform::folder_handle;

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
    return fichier_commande::nom_transmis(nom);
}

namespace {

// The exchange folder always holds the catalogue; a folder without it is no
// place for an order (most often the empty mount point of a share gone away).
constexpr const char* catalogue = "velmorin.wdo";
// How many following seconds an order's copy may move on to, as the order
// file's writer does, before the hand-over gives up for this drawing.
constexpr int essais_max = 120;

// What this run knows of the orders it has put under a name of the network
// folder: such an order is never copied again in this run, only its missing
// steps are retried. Guarded by `verrou`: the hand-over may run off the
// screen's thread.
struct copie {
    enum class etat {
        incertaine,  // renamed while the folder's path stopped leading to the folder written into
        en_place,    // under its name in the exchange folder; the folder not flushed yet
        sur_disque,  // flushed there: only the local file's removal is left
    };
    std::string octets;
    std::string reseau;
    std::string nom_txt;
    etat e = etat::incertaine;
    std::pair<dev_t, ino_t> dossier{};  // the folder it was put in
    int removals_failed = 0;
};
std::mutex verrou;
std::map<std::string, copie>& copies() {
    static std::map<std::string, copie> m;
    return m;
}

std::string cle_de(const fs::path& local) {
    std::error_code ec;
    return fs::absolute(local, ec).lexically_normal().string();
}

// The order a note belongs to: its size and a fingerprint of its bytes, so
// that a note never speaks for another order later written under that name.
std::string empreinte(const std::string& octets) {
    std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (const unsigned char c : octets) h = (h ^ c) * 1099511628211ULL;
    char out[40];
    std::snprintf(out, sizeof out, "%zu:%016llx", octets.size(), static_cast<unsigned long long>(h));
    return out;
}

// The tablet's durable note of a copy in progress: in which network folder,
// under which temporary name, for which final name, of which order. It tells
// a later start whether the rename was made: a temporary file still there
// was never renamed, one gone was (the router never touches a temporary
// name, and a start removes this tablet's leftovers only after the notes are
// settled).
struct note {
    std::string reseau, temporaire, nom_txt, empreinte;
};

fs::path chemin_note(const fs::path& dossier, const std::string& nom) {
    return dossier / fichier_commande::nom_note(nom);
}

std::optional<note> lit_note(const fs::path& dossier, const std::string& nom) {
    const auto l = platform::read_lines(chemin_note(dossier, nom));
    if (!l || l->size() < 4) return std::nullopt;
    return note{(*l)[0], (*l)[1], (*l)[2], (*l)[3]};
}

// True only once the note is on disk.
bool ecrit_note(const fs::path& dossier, const std::string& nom, const note& n) {
    const std::string octets = platform::join_lines({n.reseau, n.temporaire, n.nom_txt, n.empreinte});
    if (!platform::write_file_atomic(chemin_note(dossier, nom), octets, /*replace=*/true,
                                     /*flush_folder=*/false))
        return false;
    return platform::sync_folder(dossier);
}

bool retire_note(const fs::path& dossier, const std::string& nom) {
    const fs::path p = chemin_note(dossier, nom);
    return !platform::file_exists(p) || platform::remove_file_durably(p) || !platform::file_exists(p);
}

bool est_dossier_echange(const folder_handle& h) {
    return h.is_open() && h.has(catalogue) == std::optional<bool>(true);
}

enum class verdict { recopier, livree, indecise };

// What became of the copy a note tells of. Asked of the exchange folder only:
// an empty mount point holds no temporary file either, and would pass every
// noted order for delivered.
verdict juge(const note& n) {
    folder_handle h(n.reseau);
    if (!est_dossier_echange(h)) return verdict::indecise;
    const auto temporaire = h.has(n.temporaire);
    if (!temporaire) return verdict::indecise;
    if (!*temporaire) return verdict::livree;
    // Put under its name by a link whose temporary name was not removed yet.
    if (h.same_file(n.temporaire, n.nom_txt)) return verdict::livree;
    return verdict::recopier;
}

enum class suite { copier, en_memoire, arret };

// Settles the note an interrupted hand-over left for an order still queued.
suite regle_note(const fs::path& dossier, const std::string& nom, const std::string& octets,
                 const std::string& cle, const std::string& rep_reseau) {
    const auto n = lit_note(dossier, nom);
    if (!n) {
        // No note, or none of ours: nothing to learn from it.
        return retire_note(dossier, nom) ? suite::copier : suite::arret;
    }
    if (n->empreinte != empreinte(octets)) return retire_note(dossier, nom) ? suite::copier : suite::arret;
    switch (juge(*n)) {
        case verdict::livree:
            copies()[cle] = copie{octets, n->reseau, n->nom_txt, copie::etat::sur_disque};
            return suite::en_memoire;
        case verdict::recopier:
            // The note goes first: without it the temporary file is a plain leftover.
            if (!retire_note(dossier, nom)) return suite::arret;
            folder_handle(n->reseau).remove(n->temporaire);
            return suite::copier;
        case verdict::indecise:
            break;
    }
    // A note of another network folder that cannot be asked (the exchange
    // folder was moved): the order is sent to this one. A duplicate at worst,
    // never a loss.
    if (n->reseau != rep_reseau) return retire_note(dossier, nom) ? suite::copier : suite::arret;
    return suite::arret;
}

enum class pas {
    fini,      // the order left the tablet
    non_sur,   // its local file removed, but the removal not on disk: it does not count yet
    passe,     // delivered, its local file still there: the orders after it go on
    recopier,  // its copy is not where it was put: it is copied again
    arret,     // the hand-over stops here
};

// The steps left of an order already under a name of the network folder.
pas acheve(const fs::path& dossier, const std::string& nom, copie& c, folder_handle* h) {
    using etat = copie::etat;
    if (c.e != etat::sur_disque) {
        if (h == nullptr || c.reseau != h->path().string() || !h->still_at_its_path()) return pas::arret;
        // Another folder at that path since (a share mounted again): the copy
        // is there only if it is found there.
        if (h->identity() != c.dossier) c.e = etat::incertaine;
    }
    if (c.e == etat::incertaine) {
        const auto la = h->read(c.nom_txt);
        if (la && *la == c.octets) {
            c.e = etat::en_place;
            c.dossier = h->identity();
        } else if (h->has(c.nom_txt) == std::optional<bool>(false) || la) {
            // Gone with the folder it was put in, or taken by the router:
            // the two cannot be told apart, and a loss is never traded for
            // a duplicate.
            return pas::recopier;
        } else {
            return pas::arret;
        }
    }
    if (c.e == etat::en_place) {
        // Only once its name is on the folder's disk may the local file go;
        // in the same folder, a copy gone since was taken by the router.
        if (h->flush() == folder_handle::flush_result::failed) return pas::arret;
        if (!h->still_at_its_path()) {
            c.e = etat::incertaine;
            return pas::arret;
        }
        c.e = etat::sur_disque;
    }
    const fs::path local = dossier / nom;
    if (platform::remove_file_durably(local)) {
        retire_note(dossier, nom);
        return pas::fini;
    }
    // A power cut may bring the local file back: its note stays to settle it.
    if (!platform::file_exists(local)) return pas::non_sur;
    // Delivered before the orders after it: they are held back only at the first failure.
    return c.removals_failed++ == 0 ? pas::arret : pas::passe;
}

// Copies an order that is under no name of the network folder yet: under
// its ".txt" name, or, when another order holds that name, under the next
// free second. True once it is there (and known in `copies`).
bool copie_neuve(const fs::path& dossier, const std::string& nom, const std::string& octets,
                 const std::string& cle, folder_handle& h, const std::string& rep_reseau) {
    using rr = folder_handle::rename_result;
    std::optional<std::string> nom_local = nom;
    for (int essai = 0; essai < essais_max && nom_local; ++essai) {
        const std::string candidat = fichier_commande::nom_transmis(*nom_local);
        if (!h.still_at_its_path()) return false;
        const auto pris = h.has(candidat);
        if (!pris) return false;
        if (!*pris) {
            const auto tmp = h.write_temporary(candidat, octets);
            if (!tmp) return false;
            // The temporary file's name on the folder's disk before the note
            // relies on it, and the note on the tablet's disk before the rename.
            if (h.flush() == folder_handle::flush_result::failed ||
                !ecrit_note(dossier, nom, note{rep_reseau, *tmp, candidat, empreinte(octets)})) {
                if (retire_note(dossier, nom)) h.remove(*tmp);
                return false;
            }
            const rr r = h.still_at_its_path() ? h.rename_no_replace(*tmp, candidat) : rr::failed;
            // A rename reported failed whose temporary file is gone may have been made.
            if (r == rr::done || (r == rr::failed && h.has(*tmp) == std::optional<bool>(false))) {
                const bool en_place = r == rr::done && h.still_at_its_path();
                // The folder it went into: a router may take the copy at once,
                // and only a change of folder may make it be sought again.
                copies()[cle] =
                    copie{octets, rep_reseau, candidat,
                          en_place ? copie::etat::en_place : copie::etat::incertaine, h.identity()};
                return true;
            }
            if (!retire_note(dossier, nom)) return false;
            h.remove(*tmp);
            if (r == rr::failed) return false;
        }
        // Another order under that name (the same second on another tablet,
        // or a clock set back): never replaced, never taken for this one.
        nom_local = fichier_commande::nom_seconde_suivante(*nom_local);
    }
    return false;
}

std::vector<std::string> noms_des_notes(const fs::path& dossier) {
    std::vector<std::string> noms;
    std::error_code ec;
    for (fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string f = it->path().filename().string();
        if (f.size() > 6 && f.front() == '.' && f.ends_with(".note")) {
            const std::string nom = f.substr(1, f.size() - 6);
            if (fichier_commande::nom_note(nom) == f) noms.push_back(nom);
        }
    }
    std::sort(noms.begin(), noms.end());
    return noms;
}

}  // namespace

bilan transmet(const fs::path& dossier, const std::string& rep_reseau) {
    const std::lock_guard<std::mutex> garde(verrou);
    bilan b;
    // An empty folder would name files at the root of the file system.
    if (!rep_reseau.empty()) {
        // Every copy of this hand-over goes into this very folder, and only
        // while its path still leads to it.
        folder_handle h(rep_reseau);
        auto& connues = copies();
        for (const std::string& nom :
             est_dossier_echange(h) ? en_attente(dossier) : std::vector<std::string>{}) {
            const fs::path local = dossier / nom;
            const auto octets = platform::read_file(local);
            if (!octets) break;
            const std::string cle = cle_de(local);
            auto it = connues.find(cle);
            // An order written later under a freed name is a new order.
            if (it != connues.end() && it->second.octets != *octets) {
                connues.erase(it);
                it = connues.end();
            }
            if (it == connues.end() && platform::file_exists(chemin_note(dossier, nom))) {
                const suite s = regle_note(dossier, nom, *octets, cle, rep_reseau);
                if (s == suite::arret) break;
                it = connues.find(cle);
            }
            if (it == connues.end()) {
                if (!copie_neuve(dossier, nom, *octets, cle, h, rep_reseau)) break;
                it = connues.find(cle);
            }
            pas p = acheve(dossier, nom, it->second, &h);
            if (p == pas::recopier) {
                connues.erase(it);
                if (!retire_note(dossier, nom) || !copie_neuve(dossier, nom, *octets, cle, h, rep_reseau))
                    break;
                it = connues.find(cle);
                p = acheve(dossier, nom, it->second, &h);
            }
            if (p == pas::fini || p == pas::recopier || p == pas::non_sur) connues.erase(it);
            if (p == pas::fini) {
                ++b.transmis;
                continue;
            }
            if (p != pas::passe) break;
        }
    }
    b.restants = static_cast<int>(en_attente(dossier).size());
    return b;
}

void nettoie_temporaires(const fs::path& dossier, const std::string& rep_reseau, bool tablette) {
    if (tablette) platform::remove_temporary_leftovers(dossier, /*shared=*/false);
    if (rep_reseau.empty()) return;
    // A temporary file that a note names tells whether its order was renamed:
    // it stays until the note is settled.
    std::vector<std::string> notes;
    for (const std::string& nom : noms_des_notes(dossier))
        if (const auto n = lit_note(dossier, nom)) notes.push_back(n->temporaire);
    platform::remove_temporary_leftovers(rep_reseau, /*shared=*/true, notes);
}

void demarrage(const fs::path& dossier, const std::string& rep_reseau, bool tablette) {
    {
        const std::lock_guard<std::mutex> garde(verrou);
        auto& connues = copies();
        for (const std::string& nom : noms_des_notes(dossier)) {
            const fs::path local = dossier / nom;
            if (!platform::file_exists(local)) {
                // Its order left the tablet: the note has nothing more to tell.
                retire_note(dossier, nom);
                continue;
            }
            const auto octets = platform::read_file(local);
            if (!octets) continue;
            const std::string cle = cle_de(local);
            if (regle_note(dossier, nom, *octets, cle, rep_reseau) != suite::en_memoire) continue;
            auto it = connues.find(cle);
            const pas p = acheve(dossier, nom, it->second, nullptr);
            if (p == pas::fini || p == pas::non_sur) connues.erase(it);
        }
    }
    nettoie_temporaires(dossier, rep_reseau, tablette);
}

}  // namespace file_attente
