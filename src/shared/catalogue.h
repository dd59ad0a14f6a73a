// The catalogue: "velmorin.wdo" and "wvelmorin.wdo" copied from the network
// folder when it is reachable, then parsed into the catalogue globals.
#pragma once

#include <array>
#include <functional>
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

// The file work of the load on the network folder, given its folder and
// touching no global, so that it can run away from the screen: copies into
// the current folder, each replacing the local file, "w_styl72.wdo",
// "velmorin.wdo" and "wvelmorin.wdo" (copie_catalogue), or the detail-style
// file alone (copie_styles). A copy that fails leaves the local file as it
// was. True when every file was copied.
bool copie_catalogue(const std::string& rep_reseau);
bool copie_styles(const std::string& rep_reseau);
}  // namespace Module1

namespace atdend_res {
// True when the network folder is reachable and writable (never while offline).
// The folder is asked on the network folder's worker and waited for about a
// second at most: a folder that does not answer by then is unreachable.
bool teste_reseau();
// What the screen does when a probe that outlasted its bound mounted the
// network folder's share again and found it reachable (on the screen's
// thread, from the event loop).
void quand_partage_rejoint(std::function<void()> f);

// The probe's file work alone, given everything it needs and touching no
// global: true when `dossier` is the exchange folder (it holds the catalogue)
// and record num_enreg of its "Test.res" (64 bytes) could be written with
// `date`, the other records kept.
bool sonde(const std::string& dossier, int num_enreg, const std::string& date);
// Today's date as the probe writes it, "dd-mm-yyyy".
std::string date_sonde();
}  // namespace atdend_res
