#include "largest_catalogue.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/text.h"

namespace bench {

std::string write_largest_catalogue(const std::filesystem::path& folder) {
    std::string c;
    for (int s = 0; s <= 20; ++s) c += "#SERV#" + txt::format(s, "00") + " Serveur " + txt::str(s) + "\r\n";
    for (int f = 0; f <= 20; ++f) c += "#FAMI#" + txt::format(f, "00") + " Famille " + txt::str(f) + "\r\n";
    c += "#CCOF#123456789012345678901\r\n#CCOU#123456789012345678901\r\n";
    for (int f = 0; f <= 120; ++f)
        for (int a = 1; a <= 300; ++a) {
            const std::string ref = "2" + txt::format(f, "000") + txt::format(a, "000") + "000000";
            c += "#ARTI#00000" + txt::pad(ref, 15) + "|DES:Article " + txt::str(a) + " de la famille " +
                 txt::str(f) + "|PVE:" + txt::format(a * 0.25 + 1, "0.00") + "|FA1:" + txt::str(f) +
                 "|FA2:0|COU:" + txt::str(a % 10) + "|\r\n";
        }
    for (int t = 1; t <= 999; ++t) c += "#TABL#" + txt::format(t, "000") + "\r\n";
    std::ofstream(folder / "wvelmorin.wdo", std::ios::binary) << c;
    std::ofstream(folder / "velmorin.wdo", std::ios::binary) << "Catalogue de mesure\r\n#DIR#/tmp\r\n";
    return c;
}

namespace {
std::vector<std::filesystem::path>& made() {
    static std::vector<std::filesystem::path> v;
    return v;
}
void remove_made() {
    std::error_code ec;
    for (const auto& p : made()) std::filesystem::remove_all(p, ec);
}
}  // namespace

std::filesystem::path temporary_folder(const std::string& tag) {
    std::string tmpl = "/tmp/wvbench-" + tag + "-XXXXXX";
    const std::filesystem::path p = ::mkdtemp(tmpl.data());
    if (made().empty()) std::atexit(remove_made);
    made().push_back(p);
    return p;
}

}  // namespace bench
