// The order file: the one thing the tablet hands to the restaurant's order
// router. Code page 1252 text, every line ended by CR LF, no byte-order mark:
// five header lines, then three lines per order line, a fixed menu ("FA2:99")
// expanded into one group for the menu and one per component.
#pragma once

#include <filesystem>
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

// Writes the order file into `dossier` under the name of `quand`. The file
// appears whole under its final name or not at all, and an existing order file
// is never replaced: a taken name moves the time on to the next free second.
// The name written, or nothing when the file could not be written.
std::optional<std::string> ecrit(const std::filesystem::path& dossier, const commande& c,
                                 const platform::date_time& quand);

}  // namespace fichier_commande
