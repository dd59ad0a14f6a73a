#include "shared/catalogue.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/folder_worker.h"
#include "platform/gvfs_share.h"
#include "platform/record_file.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/globals.h"

namespace Module1 {

namespace {

// A copy on the network folder's worker: a server that stops answering leaves
// the local copies of an earlier run. A tablet that has none yet has nothing
// to show without them, and waits longer for its first copy.
void copie_bornee(bool (*copie)(const std::string&)) {
    const std::string reseau = rep_reseau;
    const auto borne = platform::file_exists("wvelmorin.wdo") ? platform::folder_worker::screen_bound
                                                              : std::chrono::milliseconds(8000);
    platform::folder_worker::result_or<bool>([reseau, copie] { return copie(reseau); }, false, borne);
}

bool copie_du_reseau(const std::string& dossier, const char* nom) {
    return platform::copy_file_atomic(platform::join_folder(dossier, nom), nom);
}

// A number in a catalogue line: blanks skipped, halves to even.
long nombre(const std::string& texte) {
    return txt::round_even(txt::val(texte));
}

}  // namespace

void analyse_catalogue(const std::vector<std::string>& lignes) {
    for (const std::string& ligne : lignes) {
        const std::string genre = txt::pad(txt::left(ligne, 6), 6);
        if (genre == "#SERV#" || genre == "#FAMI#") {
            const long n = nombre(txt::mid(ligne, 7, 2));
            if (n < 0 || n > 20) continue;
            (genre == "#SERV#" ? serveurs : familles)[static_cast<std::size_t>(n)] = txt::mid(ligne, 10);
        } else if (genre == "#ARTI#") {
            const long p = txt::instr(ligne, "|FA1:");
            const long f = p > 0 ? nombre(txt::mid(ligne, p + 5)) : nombre(txt::mid(ligne, 5));
            if (f < 0 || f > nb_max_familles_article) continue;
            const auto fi = static_cast<std::size_t>(f);
            if (nb_articles[fi] < 32767) ++nb_articles[fi];
            if (nb_articles[fi] <= nb_max_articles)
                articles[fi][static_cast<std::size_t>(nb_articles[fi])] = txt::mid(ligne, 12);
        } else if (genre == "#TABL#") {
            liste_tables += txt::format(static_cast<double>(nombre(txt::mid(ligne, 7, 3))), "000") + "|";
        } else if (genre == "#CCOF#") {
            texte_ccof = txt::mid(ligne, 7) + std::string(20, ' ');
        } else if (genre == "#CCOU#") {
            texte_ccou = txt::mid(ligne, 7) + std::string(20, ' ');
        }
    }
}

bool copie_catalogue(const std::string& dossier) {
    bool tout = true;
    for (const char* nom : {"w_styl72.wdo", "velmorin.wdo", "wvelmorin.wdo"})
        tout = copie_du_reseau(dossier, nom) && tout;
    return tout;
}

bool copie_styles(const std::string& dossier) {
    return copie_du_reseau(dossier, "w_styl72.wdo");
}

void charge_fichiers() {
    if (atdend_res::teste_reseau()) copie_bornee(copie_catalogue);

    nb_lignes_config = 0;
    if (auto lignes = platform::read_lines("velmorin.wdo")) {
        for (const std::string& ligne : *lignes) {
            if (txt::trim(ligne).empty()) continue;
            ++nb_lignes_config;
            if (nb_lignes_config <= 15) lignes_config[static_cast<std::size_t>(nb_lignes_config)] = ligne;
            if (txt::starts_with(ligne, "#DIR#")) rep_dir = txt::mid(ligne, 6);
        }
    }

    nb_articles.fill(0);
    liste_tables = "xxx";
    texte_ccof = std::string(20, ' ');
    if (auto lignes = platform::read_lines("wvelmorin.wdo")) analyse_catalogue(*lignes);

    copie_bornee(copie_styles);
    fichiers_charges = true;
}

}  // namespace Module1

namespace atdend_res {

std::string date_sonde() {
    const platform::date_time d = platform::now();
    return txt::format(d.day, "00") + "-" + txt::format(d.month, "00") + "-" + txt::format(d.year, "0000");
}

bool sonde(const std::string& dossier, int num_enreg, const std::string& date) {
    if (dossier.empty()) return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(dossier, ec)) return false;
    // The exchange folder always holds the catalogue. Without it this is not
    // the exchange folder: most often the empty mount point of a share not
    // mounted (yet), where orders would land on the tablet's own disk.
    if (!platform::file_exists(platform::join_folder(dossier, "velmorin.wdo"))) return false;
    // The record is written the way the folder allows: every kind of share
    // (GVfs, other FUSE clients, CIFS, NFS) and a local folder take one of the two.
    return platform::write_record_once(platform::join_folder(dossier, "Test.res"), 64, num_enreg, date);
}

namespace {
std::function<void()>& rejoint_tard() {
    static std::function<void()> f;
    return f;
}
}  // namespace

void quand_partage_rejoint(std::function<void()> f) {
    rejoint_tard() = std::move(f);
}

bool teste_reseau() {
    if (hors_ligne) return false;
    if (rep_test.empty()) return false;
    const std::string dossier = rep_test, date = date_sonde();
    const int n = num_enreg_test;
    struct reponse {
        platform::gvfs_share::reached ici;
        bool joignable = false;
    };
    // A folder that does not answer within the bound counts as unreachable
    // for this drawing: orders wait on the tablet meanwhile. A GVfs share
    // that this session has not mounted (the tablet restarted) is first
    // found where this session keeps it, or mounted again; a mount that
    // outlasts the bound says so when it ends, and the queue is handed over
    // then, without waiting for a touch.
    std::optional<reponse> r;
    platform::folder_worker::run<reponse>(
        [dossier, n, date] {
            reponse rep{platform::gvfs_share::reach(dossier)};
            rep.joignable = sonde(rep.ici.folder, n, date);
            return rep;
        },
        platform::folder_worker::screen_bound, r,
        [](const reponse& tard) {
            if (tard.ici.mounted && tard.joignable && rejoint_tard()) rejoint_tard()();
        });
    if (!r) return false;
    // The folder file keeps the recorded folder; this run uses the one found.
    if (r->joignable && r->ici.folder != dossier) rep_reseau = rep_test = r->ici.folder;
    return r->joignable;
}

}  // namespace atdend_res
