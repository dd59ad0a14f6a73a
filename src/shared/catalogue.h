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
// The folder is asked on the network folder's worker and waited for at most
// about a second.
bool teste_reseau();
// The probe's own work: the record `num_enreg` of "Test.res" in `dossier`
// written with `date`. Touches no global, so that it runs on the worker.
bool sonde(const std::string& dossier, long num_enreg, const std::string& date);
}  // namespace atdend_res
