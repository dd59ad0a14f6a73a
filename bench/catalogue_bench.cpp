// Loading the largest catalogue from a reachable network folder (probe, copy
// of the three files, parse), beside a plain read of the same bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "largest_catalogue.h"
#include "shared/catalogue.h"
#include "shared/globals.h"

namespace {

void catalogue_load(benchmark::State& state) {
    const auto work = bench::temporary_folder("load");
    const auto net = work / "reseau";
    std::filesystem::create_directories(net);
    const std::string bytes = bench::write_largest_catalogue(net);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(work);
    for (auto _ : state) {
        reset_globals();
        rep_reseau = rep_test = net.string();
        num_enreg_test = 1;
        Module1::charge_fichiers();
        benchmark::DoNotOptimize(articles[120][300].size());
    }
    std::filesystem::current_path(before);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(catalogue_load)->Unit(benchmark::kMillisecond);

void plain_read_of_the_catalogue(benchmark::State& state) {
    const auto net = bench::temporary_folder("read");
    const std::string bytes = bench::write_largest_catalogue(net);
    for (auto _ : state) {
        std::ifstream in(net / "wvelmorin.wdo", std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        benchmark::DoNotOptimize(ss.str().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(plain_read_of_the_catalogue)->Unit(benchmark::kMillisecond);

}  // namespace
