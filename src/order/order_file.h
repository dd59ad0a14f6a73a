// The order file: the one thing the tablet hands to the restaurant's order
// router. Code page 1252 text, every line ended by CR LF, no byte-order mark:
// five header lines, then three lines per order line, a fixed menu ("FA2:99")
// expanded into one group for the menu and one per component.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace fichier_commande {

// What an order file is made of, read from the shared globals by the caller.
struct commande {
    std::string id_tablette;  // the first 10 characters of settings record 1087
    int num_serveur = 0;
    std::string table_couverts;  // "#N", table on 3 digits, covers on 2 characters
    std::vector<std::string> lignes;
};

// "yyyy-mm-dd-hh-nn-ss_SS_TTT_CCC_.-A-"
std::string nom(const platform::date_time& quand, int num_serveur, const std::string& table_couverts);
// The whole file, byte for byte.
std::string contenu(const commande& c);
// The same moment one second later (minutes, hours, days, months and years carried).
platform::date_time seconde_suivante(const platform::date_time& d);

// The same order file's name one second later; nothing when the name does
// not start with a date and time.
std::optional<std::string> nom_seconde_suivante(const std::string& nom);
// The name of the copy in the network folder: the last three characters
// replaced by "txt".
std::string nom_transmis(const std::string& nom);
// The tablet's note of a hand-over in progress of the order file `nom`.
// While it is there the name is not free: it may still decide what becomes of
// an order of that name.
std::string nom_note(const std::string& nom);

// Whether the network folder holds a file under a ".txt" name. A check that
// cannot answer says no.
using pris_sur_reseau = std::function<bool(const std::string& nom_txt)>;

// Writes the order file into `dossier` under the name of `quand`. The file
// appears whole under its final name or not at all, and an existing order file
// is never replaced: a taken name moves the time on to the next free second.
// A name is taken when the tablet folder holds it (or a note of it), or when
// `sur_reseau` (if given) says that its copy's name is taken in the network
// folder, where an order of the same second may wait for the router.
// The name written, or nothing when the file could not be written.
std::optional<std::string> ecrit(const std::filesystem::path& dossier, const commande& c,
                                 const platform::date_time& quand, const pris_sur_reseau& sur_reseau = {});

}  // namespace fichier_commande
