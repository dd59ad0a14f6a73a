// The program's hand-over in a process of its own, for the kill test: it
// starts as the program does (its leftovers removed, the queue handed over),
// then writes orders one by one as the order summary does and hands each
// over as the home view does. An order is reported (its number on a line of
// the report file) only once its writing has returned success, as the
// waiter is told only then.
//
//   handover_child <tablet folder> <network folder> <report file> <first order> <count>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "main_screen/order_queue.h"
#include "support/handover_orders.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: handover_child tablet network report first count\n");
        return 2;
    }
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

    file_attente::nettoie_temporaires(tablette, reseau);
    file_attente::transmet(tablette, reseau);
    for (long n = premier; n < premier + nombre; ++n) {
        const auto nom =
            fichier_commande::ecrit(tablette, handover_orders::commande(n), handover_orders::moment(n));
        if (nom) {
            const std::string ligne = std::to_string(n) + "\n";
            if (::write(rapport, ligne.data(), ligne.size()) != static_cast<ssize_t>(ligne.size())) return 4;
        }
        file_attente::transmet(tablette, reseau);
    }
    ::close(rapport);
    return 0;
}
