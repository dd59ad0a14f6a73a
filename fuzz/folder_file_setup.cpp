// The folder file "wfichdir.wdo" as the set-up program reads it and writes it
// back: the lines it does not change must come back as they were read.
#include "setup_program/folder_file.h"
#include "support.h"

namespace fd = Ostrevane::fichier_dossier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto chemin = fuzz::write(fd::nom_fichier, fuzz::text(data, size));
    const fd::lecture lu = fd::lit(chemin);
    fuzz::check(lu.resultat == fd::etat::lu, "folder file read");
    fd::lignes texte = lu.texte;
    texte[0] = fd::ligne_dossier(texte[0]);
    fuzz::check(fd::ecrit(texte, chemin), "folder file written");
    const fd::lecture relu = fd::lit(chemin);
    fuzz::check(relu.resultat == fd::etat::lu && relu.texte == texte, "lines read back as written");
    return 0;
}
