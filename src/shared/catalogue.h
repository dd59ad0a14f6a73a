// The catalogue: "velmorin.wdo" and "wvelmorin.wdo" copied from the network
// folder when it is reachable, then parsed into the catalogue globals.
#pragma once

#include <array>
#include <string>
#include <vector>

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
// True when the network folder is reachable and writable (never while offline).
bool teste_reseau();
}  // namespace atdend_res
