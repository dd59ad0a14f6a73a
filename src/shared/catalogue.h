// The catalogue: "velmorin.wdo" and "wvelmorin.wdo" copied from the network
// folder when it is reachable, then parsed into the catalogue globals.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "shared/network_folder.h"

namespace Module1 {
// Copies and parses the catalogue once; sets fichiers_charges.
void charge_fichiers();

// What the loader keeps of "velmorin.wdo" (read by no other part).
inline int nb_lignes_config = 0;
inline std::array<std::string, 16> lignes_config;
inline std::string rep_dir;

// Parses the lines of "wvelmorin.wdo" into the catalogue globals.
void analyse_catalogue(const std::vector<std::string>& lignes);

}  // namespace Module1

namespace atdend_res {
// The probe, atdend_res::teste_reseau, is declared with the other calls on
// the network folder (shared/network_folder.h).

// The probe's file work alone, given everything it needs and touching no
// global: true when `dossier` is the exchange folder (it holds the catalogue)
// and record num_enreg of its "Test.res" (64 bytes) could be written with
// `date`, the other records kept.
bool sonde(const std::string& dossier, int num_enreg, const std::string& date);
// Today's date as the probe writes it, "dd-mm-yyyy".
std::string date_sonde();
}  // namespace atdend_res
