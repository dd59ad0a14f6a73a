// The output of the network discovery programs (avahi-browse, nmblookup,
// smbtree) the set-up program lists computers from: every name found is one
// the listing can carry and its reader gives back whole, each computer once.
#include <algorithm>

#include "platform/network.h"
#include "platform/network_discovery.h"
#include "setup_program/network_listing.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string sortie = fuzz::text(data, size);
    std::vector<std::vector<std::string>> listes;
    for (const auto format :
         {platform::discovery_format::avahi_browse, platform::discovery_format::nmblookup_status,
          platform::discovery_format::smbtree}) {
        listes.push_back(platform::parse_discovery(format, sortie));
        platform::discovery_addresses(format, sortie);
    }
    const auto noms = platform::merge_computer_names(listes);
    for (std::size_t i = 0; i < noms.size(); ++i)
        for (std::size_t j = i + 1; j < noms.size(); ++j)
            fuzz::check(!platform::same_computer(noms[i], noms[j]), "each computer once");

    const auto listage = fuzz::lines(platform::network_listing({}, noms));
    const auto lus = Ostrevane::liste_reseau::ordinateurs(listage);
    fuzz::check(lus.size() == noms.size(), "every computer found is listed");
    for (const auto& n : noms)
        fuzz::check(std::find(lus.begin(), lus.end(), "\\\\" + n) != lus.end(), "a name is read back whole");
    return 0;
}
