// The folder file "wfichdir.wdo" as the order-taking program reads it: line 1
// names the network exchange folder.
#include "main_screen/folder_file.h"
#include "platform/text_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto chemin = fuzz::write(fichier_dossier::nom_fichier, fuzz::text(data, size));
    fuzz::check(fichier_dossier::existe(chemin), "folder file found");
    const std::string dossier = fichier_dossier::premiere_ligne(chemin);
    platform::join_folder(dossier, "velmorin.wdo");
    platform::join_folder(dossier, "Test.res");
    return 0;
}
