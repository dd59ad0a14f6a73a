// The network listing "listres.txt" the set-up program lists computers from.
#include "setup_program/network_listing.h"

#include "platform/text.h"
#include "platform/text_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto chemin = fuzz::write(Ostrevane::liste_reseau::nom_fichier, fuzz::text(data, size));
    const auto lignes = platform::read_lines(chemin);
    fuzz::check(lignes.has_value(), "listing read");
    for (const auto& nom : Ostrevane::liste_reseau::ordinateurs(*lignes))
        // A name is kept whole (a fully qualified one too), up to its first blank.
        fuzz::check(txt::starts_with(nom, "\\\\") && nom.find_first_of(" \t") == std::string::npos,
                    "a computer name of the listing");
    return 0;
}
