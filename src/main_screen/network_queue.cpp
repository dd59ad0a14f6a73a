#include "main_screen/network_queue.h"

#include <filesystem>

#include "platform/folder_worker.h"
#include "platform/gvfs_share.h"
#include "platform/text_file.h"

namespace dossier_reseau {

namespace {

namespace worker = platform::folder_worker;

std::filesystem::path tablette() {
    std::error_code ec;
    return std::filesystem::absolute(".", ec);
}

}  // namespace

void demarrage() {
    const std::filesystem::path ici = tablette();
    platform::remove_temporary_leftovers(ici, /*shared=*/false);
    const std::string d = dossier();
    // A GVfs share that this session has not mounted yet is mounted again
    // first, so that the notes are settled on the folder itself; a mount that
    // outlasts the bound hands the queue over when it ends.
    std::optional<bool> monte;
    worker::run<bool>(
        [ici, d] {
            const auto r = platform::gvfs_share::reach(d);
            file_attente::demarrage(ici, r.folder, /*tablette=*/false);
            return r.mounted;
        },
        worker::screen_bound, monte,
        [](const bool& tard) {
            if (tard) partage_rejoint();
        });
}

std::optional<file_attente::bilan> transmet(void (*au_retour)()) {
    const std::filesystem::path ici = tablette();
    if (file_attente::en_attente(ici).empty()) return file_attente::bilan{};
    const std::string d = dossier();
    std::optional<file_attente::bilan> b;
    std::function<void(const file_attente::bilan&)> tardif;
    if (au_retour) tardif = [au_retour](const file_attente::bilan&) { au_retour(); };
    worker::run<file_attente::bilan>([ici, d] { return file_attente::transmet(ici, d); },
                                     worker::screen_bound, b, std::move(tardif));
    return b;
}

}  // namespace dossier_reseau
