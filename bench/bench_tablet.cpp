#include "bench_tablet.h"

#include <fstream>
#include <string>

#include "main_screen/form1.h"
#include "shared/globals.h"

namespace bench {

void start_tablet(const std::filesystem::path& tablet, const std::filesystem::path& network_folder) {
    std::string parametres(40000, ' ');
    parametres.replace(20, 16, "#I#0:01024:00768");
    std::ofstream(tablet / "wfenzo42.wdo", std::ios::binary) << parametres;
    std::ofstream(tablet / "wfichdir.wdo", std::ios::binary) << network_folder.string() << "\r\n";
    std::filesystem::current_path(tablet);
    reset_globals();
    Form1::instance().show();
    code_force = "#SERV#01";
    Form1::instance().btx_Click(0);
}

}  // namespace bench
