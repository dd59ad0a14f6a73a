#include "main_screen/order_queue.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>

#include "order/order_file.h"
#include "platform/controls.h"
#include "platform/folder_handle.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace file_attente {

namespace fs = std::filesystem;
using platform::folder_handle;
using flush_result = folder_handle::flush_result;
using rename_result = folder_handle::rename_result;

namespace {

// The tablet folder in one listing: its queued orders and the orders that
// have a note.
struct contenu {
    std::vector<std::string> file;
    std::set<std::string> notes;
};

contenu liste(const fs::path& dossier) {
    contenu c;
    std::error_code ec;
    for (fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string f = it->path().filename().string();
        if (platform::matches_pattern(f, "*.-a-")) {
            c.file.push_back(f);
        } else if (f.size() > 6 && f.front() == '.' && f.ends_with(".note")) {
            const std::string nom = f.substr(1, f.size() - 6);
            if (fichier_commande::nom_note(nom) == f) c.notes.insert(nom);
        }
    }
    std::sort(c.file.begin(), c.file.end(),
              [](const std::string& a, const std::string& b) { return txt::ucase(a) < txt::ucase(b); });
    return c;
}

}  // namespace

std::vector<std::string> en_attente(const fs::path& dossier) {
    return liste(dossier).file;
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

// One hand-over at a time: it may run off the screen's thread.
std::mutex verrou;

// The order a note belongs to: its size and a fingerprint of its bytes, so
// that a note never speaks for another order later written under that name.
std::string empreinte(const std::string& octets) {
    char out[40];
    std::snprintf(out, sizeof out, "%zu:%016llx", octets.size(),
                  static_cast<unsigned long long>(txt::fingerprint(octets)));
    return out;
}

// The tablet's durable note of a copy: in which network folder, under which
// temporary name, for which final name, of which order. It is the one record
// of the copy, read the same way by a hand-over and by a start: a temporary
// file still there was never renamed, one gone was (the router never touches
// a temporary name, and a start removes this tablet's leftovers only after
// the notes are settled).
struct note {
    std::string reseau, temporaire, nom_txt, empreinte;
    // The folder's path stopped leading to the folder around the rename: the
    // copy is there only if it is found there.
    bool incertaine = false;
};

std::string nom_note(const std::string& nom) {
    return fichier_commande::nom_note(nom);
}

std::string texte(const note& n) {
    std::vector<std::string> l = {n.reseau, n.temporaire, n.nom_txt, n.empreinte};
    if (n.incertaine) l.push_back("?");
    return platform::join_lines(l);
}

std::optional<note> lit_note(const folder_handle& t, const std::string& nom) {
    const auto b = t.read(nom_note(nom));
    // A note cut short was never flushed whole, so its rename was never made.
    if (!b || !b->ends_with("\r\n")) return std::nullopt;
    std::vector<std::string> l;
    for (std::size_t debut = 0; debut < b->size();) {
        const std::size_t fin = b->find("\r\n", debut);
        l.push_back(b->substr(debut, fin - debut));
        debut = fin + 2;
    }
    if (l.size() != 4 && !(l.size() == 5 && l[4] == "?")) return std::nullopt;
    return note{l[0], l[1], l[2], l[3], l.size() == 5};
}

// Written in place: a note cut short by a power cut is read as none, which
// is the truth, since the rename comes only after the note is on disk.
bool ecrit_note(folder_handle& t, const std::string& nom, const note& n) {
    if (t.write_in_place(nom_note(nom), texte(n)) && t.flush() != flush_result::failed) return true;
    t.remove(nom_note(nom));
    return false;
}

// `durable` when the removal must be on disk before what comes next: a note
// brought back by a power cut after its temporary file was removed would
// pass the order for delivered.
bool retire_note(folder_handle& t, const std::string& nom, bool durable) {
    return t.remove(nom_note(nom)) && (!durable || t.flush() != flush_result::failed);
}

// A rare step (the share went away around a rename): through a rename, so
// that the note is either the old one or the new one.
void marque_incertaine(const fs::path& dossier, folder_handle& t, const std::string& nom, note n) {
    n.incertaine = true;
    if (platform::write_file_atomic(dossier / nom_note(nom), texte(n), /*replace=*/true,
                                    /*flush_folder=*/false))
        t.flush();
}

bool est_dossier_echange(const folder_handle& h) {
    return h.is_open() && h.has(catalogue) == std::optional<bool>(true);
}

enum class pas {
    fini,     // the order left the tablet
    non_sur,  // its local file removed, but the removal not on disk: it does not count yet
    passe,    // delivered, its local file still there: the orders after it go on
    copier,   // under no name of the network folder: it is copied
    arret,    // the hand-over stops here
};

// The last steps of an order whose copy is on the exchange folder's disk.
// `neuve`: copied by this very hand-over.
pas acheve(folder_handle& t, const std::string& nom, bool neuve) {
    if (!t.remove(nom)) {
        // Delivered before the orders after it: they are held back only at the first failure.
        return neuve ? pas::arret : pas::passe;
    }
    // A power cut may bring the local file back: its note stays to settle it.
    if (t.flush() == flush_result::failed) return pas::non_sur;
    // Not flushed: a note whose order is gone is dropped at start.
    t.remove(nom_note(nom));
    return pas::fini;
}

enum class verdict { recopier, livree, indecise };

verdict juge(const note& n, const folder_handle& f) {
    const auto temporaire = f.has(n.temporaire);
    if (!temporaire) return verdict::indecise;
    // Put under its name by a link whose temporary name was not removed yet.
    if (*temporaire && !f.same_file(n.temporaire, n.nom_txt)) return verdict::recopier;
    if (!n.incertaine) return verdict::livree;
    const auto la = f.read(n.nom_txt);
    if (la && empreinte(*la) == n.empreinte) return verdict::livree;
    // Gone with the folder it was put in, or taken by the router: the two
    // cannot be told apart, and a loss is never traded for a duplicate.
    if (la || f.has(n.nom_txt) == std::optional<bool>(false)) return verdict::recopier;
    return verdict::indecise;
}

// Settles the note of an order still queued, left by an earlier hand-over
// (this run's, or one killed or cut). `h`: the exchange folder held, null
// when there is none.
pas regle_note(folder_handle& t, const std::string& nom, const std::string& octets, folder_handle* h,
               const std::string& reseau) {
    const auto n = lit_note(t, nom);
    // No note of this order: nothing to learn from it.
    if (!n || n->empreinte != empreinte(octets))
        return retire_note(t, nom, /*durable=*/false) ? pas::copier : pas::arret;
    const bool ici = platform::folder_spelling(n->reseau) == reseau;
    std::optional<folder_handle> autre;
    if (!ici) autre.emplace(n->reseau);
    folder_handle* f = ici ? h : &*autre;
    // Asked of the exchange folder only: an empty mount point holds no
    // temporary file either, and would pass every noted order for delivered.
    const verdict v = f && (ici || est_dossier_echange(*f)) ? juge(*n, *f) : verdict::indecise;
    switch (v) {
        case verdict::livree:
            // Only once its name is on the folder's disk may the local file go.
            if (f->flush() == flush_result::failed) return pas::arret;
            return acheve(t, nom, /*neuve=*/false);
        case verdict::recopier:
            if (!retire_note(t, nom, /*durable=*/true)) return pas::arret;
            f->remove(n->temporaire);
            return pas::copier;
        case verdict::indecise:
            break;
    }
    // A note of another network folder that cannot be asked (the exchange
    // folder was moved): the order is sent to this one. A duplicate at worst,
    // never a loss.
    if (!ici) return retire_note(t, nom, /*durable=*/false) ? pas::copier : pas::arret;
    return pas::arret;
}

// Copies an order that is under no name of the network folder: under its
// ".txt" name, or, when another order holds that name, under the next free
// second; then its last steps. The copy just made is known to be where it
// was put, and is never read back.
pas copie_neuve(const fs::path& dossier, folder_handle& t, const std::string& nom, const std::string& octets,
                folder_handle& h, const std::string& reseau) {
    const auto tmp = h.write_temporary(fichier_commande::nom_transmis(nom), octets);
    if (!tmp) return pas::arret;
    // The temporary file's name on the folder's disk before a note relies on it.
    if (h.flush() == flush_result::failed) {
        h.remove(*tmp);
        return pas::arret;
    }
    auto abandon = [&] {
        if (retire_note(t, nom, /*durable=*/true)) h.remove(*tmp);
        return pas::arret;
    };
    note n{reseau, *tmp, fichier_commande::nom_transmis(nom), empreinte(octets)};
    std::optional<std::string> nom_local = nom;
    for (int essai = 1;; ++essai) {
        // The note on the tablet's disk before the rename. Rewritten in place
        // for another name: cut short, it reads as none, and no rename was made.
        if (!ecrit_note(t, nom, n)) return abandon();
        // Never into a share gone from its path: what goes there reaches no router.
        if (!h.still_at_its_path()) return abandon();
        const rename_result r = h.rename_no_replace(*tmp, n.nom_txt);
        if (r == rename_result::done) {
            // Its name on the folder's disk before the local file goes.
            if (h.flush() == flush_result::failed) return pas::arret;
            if (!h.still_at_its_path()) {
                marque_incertaine(dossier, t, nom, n);
                return pas::arret;
            }
            return acheve(t, nom, /*neuve=*/true);
        }
        // A rename reported failed may have been made: a server that made it
        // and answered after its client's time-out (the router may have taken
        // the copy already), while the folder cannot tell yet. The note and
        // the temporary file stay, and the next hand-over or start settles
        // them as any note: the temporary file gone, the order was delivered.
        if (r == rename_result::failed) return pas::arret;
        // Another order under that name (the same second on another tablet,
        // or a clock set back): never replaced, never taken for this one.
        // The same temporary file tries the next second that looks free.
        for (;;) {
            nom_local =
                essai < essais_max ? fichier_commande::nom_seconde_suivante(*nom_local) : std::nullopt;
            if (!nom_local) return abandon();
            n.nom_txt = fichier_commande::nom_transmis(*nom_local);
            const auto pris = h.has(n.nom_txt);
            if (!pris) return abandon();
            if (!*pris) break;
            ++essai;
        }
    }
}

}  // namespace

bilan transmet(const fs::path& dossier, const std::string& rep_reseau) {
    const std::lock_guard<std::mutex> garde(verrou);
    bilan b;
    const contenu c = liste(dossier);
    // An empty folder would name files at the root of the file system.
    if (!rep_reseau.empty() && !c.file.empty()) {
        // Every copy of this hand-over goes into this very folder, and is
        // renamed only while its path still leads to it.
        folder_handle h(rep_reseau);
        folder_handle t(dossier);
        const std::string reseau = platform::folder_spelling(rep_reseau);
        if (est_dossier_echange(h) && t.is_open()) {
            for (const std::string& nom : c.file) {
                const auto octets = t.read(nom);
                if (!octets) break;
                pas p = c.notes.count(nom) ? regle_note(t, nom, *octets, &h, reseau) : pas::copier;
                if (p == pas::copier) p = copie_neuve(dossier, t, nom, *octets, h, reseau);
                if (p == pas::fini) {
                    ++b.transmis;
                    continue;
                }
                if (p != pas::passe) break;
            }
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
    const folder_handle t(dossier);
    std::vector<std::string> notes;
    for (const std::string& nom : liste(dossier).notes)
        if (const auto n = lit_note(t, nom)) notes.push_back(n->temporaire);
    platform::remove_temporary_leftovers(rep_reseau, /*shared=*/true, notes);
}

void demarrage(const fs::path& dossier, const std::string& rep_reseau, bool tablette) {
    {
        const std::lock_guard<std::mutex> garde(verrou);
        const contenu c = liste(dossier);
        folder_handle t(dossier);
        std::optional<folder_handle> h;
        if (!c.notes.empty() && !rep_reseau.empty()) h.emplace(rep_reseau);
        const bool echange = h && est_dossier_echange(*h);
        const std::string reseau = platform::folder_spelling(rep_reseau);
        for (const std::string& nom : c.notes) {
            if (!platform::file_exists(dossier / nom)) {
                // Its order left the tablet: the note has nothing more to tell.
                t.remove(nom_note(nom));
                continue;
            }
            if (const auto octets = t.read(nom)) regle_note(t, nom, *octets, echange ? &*h : nullptr, reseau);
        }
    }
    nettoie_temporaires(dossier, rep_reseau, tablette);
}

}  // namespace file_attente
