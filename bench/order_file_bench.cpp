// Writing the order file of a 1000-line order (the most an order holds):
// building its bytes, and the whole write under a temporary name, flushed to
// disk and linked onto its final name.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "largest_catalogue.h"
#include "order/order_file.h"

namespace {

fichier_commande::commande commande_de_1000_lignes() {
    fichier_commande::commande c{"0123456789", 3, "#N0124 ", {}};
    const std::string plat =
        "2000200000013  |DES:Entrec\xF4te grill\xE9"
        "e|PVE:21.50|FA1:2|FA2:0|COU:5|";
    const std::string menu =
        "2000900000016  |DES:Menu du March\xE9|PVE:22.50|FA1:9|FA2:99|COU:9|\xA4\xA4"
        "2000100000021   Soupe \xE0 l'oignon\xF0"
        "0.00\xF0"
        "1\xD0"
        "2000200000051   Blanquette de veau\xF0"
        "0.00\xF0"
        "1\xD0"
        "2000600000019   Cr\xE8me br\xFBl\xE9"
        "e\xF0"
        "0.00\xF0"
        "1\xD0|";
    for (int i = 0; i < 1000; ++i) {
        if (i % 10 == 9)
            c.lignes.push_back(menu + " ##QUA:002.00##");
        else
            c.lignes.push_back(plat + " ##QUA:001.00##{Saignante}{Frites}{Sauce poivre \xE0 part}");
    }
    return c;
}

void order_file_bytes_1000_lines(benchmark::State& state) {
    const auto c = commande_de_1000_lignes();
    std::size_t taille = 0;
    for (auto _ : state) {
        const std::string octets = fichier_commande::contenu(c);
        taille = octets.size();
        benchmark::DoNotOptimize(octets.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * taille));
}
BENCHMARK(order_file_bytes_1000_lines)->Unit(benchmark::kMicrosecond);

void order_file_write_1000_lines(benchmark::State& state) {
    const auto dossier = bench::temporary_folder("order_file");
    const auto c = commande_de_1000_lignes();
    const platform::date_time quand{2026, 12, 9, 12, 34, 56, 0};
    for (auto _ : state) {
        const auto nom = fichier_commande::ecrit(dossier, c, quand);
        if (!nom) {
            state.SkipWithError("the order file could not be written");
            break;
        }
        std::filesystem::remove(dossier / *nom);
    }
    std::filesystem::remove_all(dossier);
}
BENCHMARK(order_file_write_1000_lines)->Unit(benchmark::kMillisecond);

}  // namespace
