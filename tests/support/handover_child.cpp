// The program's hand-over in a process of its own, for the kill test: it
// starts as the program does (the notes of an interrupted hand-over settled,
// its leftovers removed, the queue handed over), then writes orders one by
// one as the order summary does and hands each over as the home view does.
// An order is reported (its number on a line of the report file) only once
// its writing has returned success, as the waiter is told only then.
//
//   handover_child <tablet folder> <network folder> <report file> <first order> <count>
//                  [<cut> [<seed> [server]]]
//
// <cut> is "<operation>:<n>": the process dies (SIGKILL) just before the n-th
// file operation of that kind (create, write, sync, rename, remove,
// sync_folder, stat, or any). With <seed> it is a power cut of the tablet:
// the changes of names in the tablet folder not yet flushed to its disk are
// undone first, each one or not at random; the network folder lies on
// another machine, which keeps what it was given, unless "server" follows:
// then the server loses power at the same moment, and the network folder's
// changes not yet flushed are undone the same way. The final names whose
// rename was undone are added, a line each, to "<report file>.reprises".
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "main_screen/order_queue.h"
#include "platform/text_file.h"
#include "support/handover_orders.h"
#include "support/power_cut.h"

namespace {

namespace fs = std::filesystem;

struct coupure {
    std::string op;
    long n = 0;
    bool courant = false;  // a power cut, not a kill
    bool serveur = false;  // of the server too
    std::mt19937 hasard;
    fs::path tablette, reseau;
    std::optional<wvtest::power_cut> journaux;
    fs::path reprises;
    long vus = 0;
};
coupure* la_coupure = nullptr;

const char* nom_op(platform::file_op op) {
    static const char* const noms[] = {"create", "write", "sync", "rename", "remove", "sync_folder", "stat"};
    return noms[static_cast<int>(op)];
}

void coupe() {
    coupure& c = *la_coupure;
    if (c.courant) {
        auto au_hasard = [&] { return !std::bernoulli_distribution(0.5)(c.hasard); };
        c.journaux->undo(c.tablette, au_hasard);
        if (c.serveur) {
            // A copy the router may have read already: it gets the order again.
            std::ofstream out(c.reprises, std::ios::app);
            for (const std::string& nom : c.journaux->undo(c.reseau, au_hasard)) out << nom << "\n";
        }
    }
    ::kill(::getpid(), SIGKILL);
}

int surveille(platform::file_op op, const fs::path& p) {
    coupure& c = *la_coupure;
    if ((c.op == "any" || c.op == nom_op(op)) && ++c.vus == c.n) coupe();
    // Called just before the operation, which on these disks works.
    c.journaux->seen(op, p);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6 || argc > 9 || (argc == 9 && std::string(argv[8]) != "server")) {
        std::fprintf(stderr,
                     "usage: handover_child tablet network report first count [cut [seed [server]]]\n");
        return 2;
    }
    // As the program does once it holds its folder, before any write or cut.
    platform::set_tablet_folder(argv[1]);
    // Tells the test, through the descriptor 3 it may have given, that the
    // process is loaded: kills are timed from here.
    if (::fcntl(3, F_GETFD) != -1) {
        const char pret = '!';
        if (::write(3, &pret, 1) != 1) return 5;
        ::close(3);
    }

    const std::filesystem::path tablette = argv[1];
    const std::string reseau = argv[2];
    const int rapport = ::open(argv[3], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (rapport < 0) return 3;
    const long premier = std::atol(argv[4]);
    const long nombre = std::atol(argv[5]);

    coupure c;
    if (argc >= 7) {
        const std::string ou = argv[6];
        const auto deux_points = ou.find(':');
        if (deux_points == std::string::npos) return 2;
        c.op = ou.substr(0, deux_points);
        c.n = std::atol(ou.c_str() + deux_points + 1);
        c.courant = argc >= 8;
        c.serveur = argc == 9;
        c.hasard.seed(argc >= 8 ? static_cast<unsigned>(std::atol(argv[7])) : 0u);
        c.tablette = tablette;
        c.reseau = reseau;
        c.journaux.emplace(std::vector<fs::path>{tablette, reseau});
        c.reprises = std::string(argv[3]) + ".reprises";
        la_coupure = &c;
        platform::set_file_fault_hook(surveille);
    }

    file_attente::demarrage(tablette, reseau);
    file_attente::transmet(tablette, reseau);
    for (long n = premier; n < premier + nombre; ++n) {
        const auto nom =
            fichier_commande::ecrit(tablette, handover_orders::commande(n), handover_orders::moment(n),
                                    [&](const std::string& nom_txt) {
                                        return platform::file_exists(platform::join_folder(reseau, nom_txt));
                                    });
        if (nom) {
            const std::string ligne = std::to_string(n) + "\n";
            if (::write(rapport, ligne.data(), ligne.size()) != static_cast<ssize_t>(ligne.size())) return 4;
        }
        file_attente::transmet(tablette, reseau);
    }
    ::close(rapport);
    return 0;
}
