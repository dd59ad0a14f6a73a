#include "shared/network_folder.h"

#include <chrono>
#include <memory>

#include "platform/folder_worker.h"
#include "platform/gvfs_share.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/catalogue.h"
#include "shared/globals.h"

namespace dossier_reseau {

namespace {

namespace worker = platform::folder_worker;

// A tablet without a local catalogue shows nothing until its first copy,
// and waits longer for it.
std::chrono::milliseconds borne_du_catalogue() {
    return platform::file_exists("wvelmorin.wdo") ? worker::screen_bound : std::chrono::milliseconds(8000);
}

void (*rejoint_tard)() = nullptr;

// What the probe found: the folder it used and whether it answers.
struct sondage {
    platform::gvfs_share::reached ici;
    bool joignable = false;
};

// Everything the probe does on the worker, in order: a GVfs share that this
// session has not mounted (the tablet restarted) is first found where this
// session keeps it, or mounted again; then the probe's file work.
sondage sonde_du_dossier(const std::string& dossier, int num_enreg, const std::string& date) {
    sondage s{platform::gvfs_share::reach(dossier)};
    s.joignable = atdend_res::sonde(s.ici.folder, num_enreg, date);
    return s;
}

// Copies one file of the network folder into the current folder, unless the
// local copy already holds its bytes: a start on an unchanged catalogue
// writes nothing. A changed one is written whole through a temporary file,
// so that the local copy is never seen half-written.
std::optional<std::string> copie_si_changee(const std::string& dossier, const char* nom) {
    const std::string source = platform::join_folder(dossier, nom);
    if (!platform::file_exists(source)) return std::nullopt;
    auto octets = platform::read_file(source);
    if (!octets) return std::nullopt;
    if (platform::file_exists(nom) && platform::read_file(nom) == octets) return octets;
    if (!platform::write_file_atomic(nom, *octets)) return std::nullopt;
    return octets;
}

copies copie_des_trois(const std::string& dossier) {
    copies c;
    c.styles = copie_si_changee(dossier, "w_styl72.wdo");
    c.velmorin = copie_si_changee(dossier, "velmorin.wdo");
    c.wvelmorin = copie_si_changee(dossier, "wvelmorin.wdo");
    return c;
}

}  // namespace

void quand_partage_rejoint(void (*f)()) {
    rejoint_tard = f;
}

void partage_rejoint() {
    if (rejoint_tard) rejoint_tard();
}

std::string dossier() {
    if (txt::trim(rep_reseau).empty()) return "";
    return platform::folder_spelling(rep_reseau);
}

copies copie_catalogue() {
    const std::string d = dossier();
    if (d.empty()) return {};
    return worker::result_or<copies>([d] { return copie_des_trois(d); }, copies{}, borne_du_catalogue());
}

bool copie_styles() {
    const std::string d = dossier();
    if (d.empty()) return false;
    return worker::result_or<bool>([d] { return copie_si_changee(d, "w_styl72.wdo").has_value(); }, false,
                                   borne_du_catalogue());
}

std::function<bool(const std::string&)> noms_pris() {
    const std::string d = hors_ligne ? std::string() : dossier();
    auto muet = std::make_shared<bool>(false);
    return [d, muet](const std::string& nom_txt) {
        if (d.empty() || *muet) return false;
        std::optional<bool> pris;
        const auto issue = worker::run<bool>(
            [chemin = platform::join_folder(d, nom_txt)] { return platform::file_exists(chemin); },
            worker::screen_bound, pris);
        if (issue != worker::outcome::ended) *muet = true;
        return pris.value_or(false);
    };
}

bool depose(const std::string& nom, const std::string& contenu) {
    const std::string d = dossier();
    // Without a network folder the name alone would land at the root.
    if (d.empty()) return false;
    return worker::result_or<bool>([chemin = platform::join_folder(d, nom),
                                    contenu] { return platform::write_file_atomic(chemin, contenu); },
                                   false, worker::screen_bound);
}

}  // namespace dossier_reseau

namespace atdend_res {

bool teste_reseau() {
    if (hors_ligne) return false;
    if (rep_test.empty()) return false;
    const std::string d = rep_test, date = date_sonde();
    const int n = num_enreg_test;
    std::optional<dossier_reseau::sondage> r;
    // A mount that outlasts the bound says so when it ends, and the queue is
    // handed over then.
    platform::folder_worker::run<dossier_reseau::sondage>(
        [d, n, date] { return dossier_reseau::sonde_du_dossier(d, n, date); },
        platform::folder_worker::screen_bound, r,
        [](const dossier_reseau::sondage& tard) {
            if (tard.ici.mounted && tard.joignable) dossier_reseau::partage_rejoint();
        });
    if (!r) return false;
    // The folder file keeps the recorded folder; this run uses the one found.
    if (r->joignable && r->ici.folder != d) rep_reseau = rep_test = r->ici.folder;
    return r->joignable;
}

}  // namespace atdend_res
