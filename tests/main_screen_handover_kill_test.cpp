// The hand-over killed at random points: a child process writes orders and
// hands them over with the program's own functions and is killed with
// SIGKILL, again and again, each time restarted as the program would be.
// After every round nothing reported as written is lost, nothing under a
// final name is partial, and no temporary file passes for an order. Neither a
// router that only reads nor one that removes what it reads gets an order
// twice, though the router runs while the child works and takes each copy
// the moment it is named: a kill between a copy's rename and the durable removal of its local
// file is settled at the restart by the note of that copy. The same holds
// under power cuts of the tablet, which also undo what its disk had not
// flushed, and under power cuts of the tablet and its server at once.
//
// WV_KILL_ROUNDS sets the number of rounds of each router (300 by default);
// they end sooner once their time budget has passed (support/rounds.h).
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <thread>

#include "main_screen/order_queue.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "support/fixtures.h"
#include "support/handover_child_process.h"
#include "support/handover_orders.h"
#include "support/rounds.h"
#include "support/router.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using clk = std::chrono::steady_clock;

constexpr long commandes_par_enfant = 4;

struct chiffres {
    int tues = 0;
    long ecrites = 0, recues = 0, doublons = 0, temporaires_laissees = 0, notes_laissees = 0;
};

class handover_kill : public wvtest::folder_test {
  protected:
    fs::path racine, tablette, rapport;
    std::set<std::pair<std::string, ino_t>> verifies;  // whole files already checked
    std::map<long, int> recues;                        // order number -> times the router took it
    // The router of the rounds, running while a child works.
    std::unique_ptr<wvtest::router> le_routeur;
    chiffres c;

    void SetUp() override {
        folder_test::SetUp();
        // A kill loses nothing the system has accepted (its page cache
        // outlives the process), so a memory file system tests the same
        // thing, without waiting for a disk at every flush.
        dans(fs::exists("/dev/shm") ? fs::path("/dev/shm") : work);
    }
    // The folders of the rounds, under `base`.
    void dans(const fs::path& base) {
        std::error_code ec;
        if (!racine.empty()) fs::remove_all(racine, ec);
        std::string modele = (base / "wvkill-XXXXXX").string();
        if (const char* d = ::mkdtemp(modele.data()))
            racine = d;
        else
            racine = work / "kill";
        tablette = racine / "tablette";
        net = racine / "reseau";
        fs::create_directories(tablette);
        fs::create_directories(net);
        // The exchange folder holds the catalogue.
        wvtest::write_bytes(net / "velmorin.wdo", "#SERV#01 Marie\r\n");
        rapport = racine / "rapport";
    }
    void TearDown() override {
        le_routeur.reset();
        std::error_code ec;
        fs::remove_all(racine, ec);
        folder_test::TearDown();
    }

    // The floor: enough rounds to find a copy whose note is missing or not
    // flushed (a few duplicates in 100), few enough to end well inside the
    // CTest limit under the heaviest load measured (README).
    static wvtest::rounds tours() { return wvtest::rounds("WV_KILL_ROUNDS", 300, 100); }

    // Starts a child and returns once it is loaded; `coupure` (and a seed for
    // a power cut) tells the child where to die.
    pid_t lance(long premier, long nombre, const std::vector<std::string>& coupure = {}) {
        if (le_routeur) le_routeur->resume();
        std::vector<std::string> a = {WV_HANDOVER_CHILD, tablette.string(),       net.string(),
                                      rapport.string(),  std::to_string(premier), std::to_string(nombre)};
        a.insert(a.end(), coupure.begin(), coupure.end());
        return wvtest::start_handover_child(WV_HANDOVER_CHILD, std::move(a));
    }
    static int attend(pid_t pid) {
        int st = 0;
        ::waitpid(pid, &st, 0);
        return st;
    }

    std::set<long> rapportees() {
        std::set<long> s;
        std::ifstream in(rapport);
        for (long n; in >> n;) s.insert(n);
        return s;
    }

    handover_orders::attendus attendus;
    const std::string& nom_de(long n) { return attendus.nom_de(n); }
    const std::string& octets_de(long n) { return attendus.octets_de(n); }

    // The whole bytes of order n under its final name, or a failure.
    void entiere(const fs::path& p, const std::string& nom_attendu) {
        const std::string b = wvtest::read_bytes(p);
        const auto n = handover_orders::numero(b);
        ASSERT_TRUE(n.has_value()) << "partial or foreign file " << p;
        EXPECT_EQ(b, octets_de(*n)) << "partial file " << p;
        EXPECT_EQ(nom_attendu, nom_de(*n)) << p;
    }

    // What the router took while the child worked, checked once the child
    // is gone (the router paused after a last look over the folder).
    void routeur() {
        le_routeur->pause();
        for (const auto& f : le_routeur->take_all()) {
            const auto n = handover_orders::numero(f.bytes);
            ASSERT_TRUE(n.has_value()) << "the router got a partial file " << f.name;
            ASSERT_EQ(f.bytes, octets_de(*n)) << "the router got a partial file " << f.name;
            ASSERT_EQ(file_attente::nom_transmis(nom_de(*n)), f.name);
            if (++recues[*n] > 1) ++c.doublons;
        }
    }

    // What a round must leave, whatever the point of the kill.
    void verifie_tour() {
        long temporaires = 0;
        for (const fs::path& d : {tablette, net}) {
            for (const auto& e : fs::directory_iterator(d)) {
                const std::string nom = e.path().filename().string();
                if (platform::is_temporary_name(nom)) {
                    ++temporaires;
                    continue;
                }
                if (nom == "velmorin.wdo" || nom == platform::tablet_identity_file) continue;
                // The note of a copy in progress, for the order it names.
                if (d == tablette && nom.starts_with(".") && nom.ends_with(".note")) {
                    ++c.notes_laissees;
                    continue;
                }
                struct stat st {};
                if (::stat(e.path().c_str(), &st) == 0 && verifies.count({e.path().string(), st.st_ino}))
                    continue;
                if (d == tablette) {
                    ASSERT_TRUE(nom.ends_with(".-A-")) << nom;
                    entiere(e.path(), nom);
                } else {
                    ASSERT_TRUE(nom.ends_with(".txt")) << nom;
                    entiere(e.path(), nom.substr(0, nom.size() - 3) + "-A-");
                }
                // A final name is only ever given to whole bytes, never changed after.
                verifies.insert({e.path().string(), st.st_ino});
            }
        }
        c.temporaires_laissees += temporaires;
        // No temporary file is ever queued.
        for (const std::string& nom : file_attente::en_attente(tablette))
            ASSERT_FALSE(platform::is_temporary_name(nom)) << nom;
        // Every order reported as written is queued, in the network folder, or taken.
        for (const long n : rapportees()) {
            const std::string& nom = nom_de(n);
            const bool en_file = fs::exists(tablette / nom);
            const bool en_reseau = fs::exists(net / file_attente::nom_transmis(nom));
            ASSERT_TRUE(en_file || en_reseau || recues.count(n)) << "order " << n << " lost";
        }
    }

    // A copy the router read before a power cut of its server took its
    // rename back is sent again: delivery is at least once. The duplicates
    // of the rounds that such a cut explains (the child names each rename it
    // took back).
    long doublons_d_une_reprise() {
        std::map<std::string, long> reprises;
        std::ifstream lues(rapport.string() + ".reprises");
        for (std::string nom; lues >> nom;) ++reprises[nom];
        long expliques = 0;
        for (const auto& [n, fois] : recues)
            expliques += std::min<long>(fois - 1, reprises[file_attente::nom_transmis(nom_de(n))]);
        return expliques;
    }

    // Rounds of kills, or of power cuts of the tablet (`courant`), and of its
    // server with it (`serveur`): a cut falls before a file operation drawn at
    // random among those of a child's work.
    void tourne(bool retire, bool courant = false, wvtest::rounds nb_tours = tours(),
                const char* ou = "memory", bool serveur = false) {
        const auto debut = clk::now();
        le_routeur = std::make_unique<wvtest::router>(net, wvtest::router::watch::inotify, retire);
        long suivant = 0;
        // How long an unhurried child works once loaded (the median of three
        // runs, taken again every hundred rounds as the folders change):
        // kills are spread over that time.
        auto mesure = [&] {
            std::vector<long> durees;
            for (int essai = 0; essai < 3; ++essai) {
                const pid_t pid = lance(suivant, commandes_par_enfant);
                const auto t0 = clk::now();
                EXPECT_TRUE(WIFEXITED(attend(pid)));
                durees.push_back(
                    std::chrono::duration_cast<std::chrono::microseconds>(clk::now() - t0).count());
                suivant += commandes_par_enfant;
                routeur();
                verifie_tour();
            }
            std::sort(durees.begin(), durees.end());
            return std::uniform_int_distribution<long>(0, std::max<long>(durees[1], 200));
        };

        std::mt19937 hasard(12345);
        auto delai = mesure();
        // A child's work is about 25 file operations per order.
        std::uniform_int_distribution<long> operation(1, 30 * commandes_par_enfant);
        while (!HasFatalFailure() && nb_tours.next()) {
            const int t = nb_tours.ran() - 1;
            if (!courant && t > 0 && t % 100 == 0) delai = mesure();
            int st = 0;
            bool tue = false;
            if (courant) {
                std::vector<std::string> coupure = {"any:" + std::to_string(operation(hasard)),
                                                    std::to_string(hasard())};
                if (serveur) coupure.push_back("server");
                st = attend(lance(suivant, commandes_par_enfant, coupure));
                tue = true;
            } else {
                const pid_t pid = lance(suivant, commandes_par_enfant);
                std::this_thread::sleep_for(std::chrono::microseconds(delai(hasard)));
                tue = ::kill(pid, SIGKILL) == 0;
                st = attend(pid);
            }
            suivant += commandes_par_enfant;
            if (tue && WIFSIGNALED(st)) ++c.tues;
            wvtest::still_working();
            routeur();
            verifie_tour();
        }
        // A last start, left to finish: everything written reaches the router.
        ASSERT_TRUE(WIFEXITED(attend(lance(suivant, 0))));
        routeur();
        verifie_tour();
        EXPECT_TRUE(file_attente::en_attente(tablette).empty());
        for (const fs::path& d : {tablette, net})
            for (const auto& e : fs::directory_iterator(d))
                EXPECT_FALSE(platform::is_temporary_name(e.path().filename().string()) ||
                             e.path().extension() == ".note")
                    << "a start left a leftover of its own: " << e.path();
        const std::set<long> r = rapportees();
        long perdues = 0;
        for (const long n : r) perdues += recues.count(n) ? 0 : 1;
        c.ecrites = static_cast<long>(r.size());
        c.recues = static_cast<long>(recues.size());
        EXPECT_EQ(perdues, 0);
        // The note of each copy tells a restart whether its rename was made.
        const long expliques = doublons_d_une_reprise();
        EXPECT_EQ(c.doublons - expliques, 0);
        const double secondes = std::chrono::duration<double>(clk::now() - debut).count();
        std::printf(
            "[ figures  ] %s router (inotify, during the rounds), %s, %s folder: %s (%d %s), %ld "
            "orders reported written, %ld "
            "orders received, %ld lost, %ld duplicates (%ld of a rename the server's cut took back), %ld "
            "temporary files and %ld notes left (settled at the next start), %.1f s\n",
            retire ? "removing" : "reading",
            courant ? (serveur ? "power cuts of the tablet and its server" : "power cuts") : "kills", ou,
            nb_tours.figures().c_str(), c.tues, courant ? "cut" : "killed", c.ecrites, c.recues, perdues,
            c.doublons, expliques, c.temporaires_laissees, c.notes_laissees, secondes);
    }
};

TEST_F(handover_kill, a_reading_router_gets_every_order_once) {
    tourne(/*retire=*/false);
}

TEST_F(handover_kill, a_removing_router_gets_every_order_whole_and_once) {
    tourne(/*retire=*/true);
}

// On a disk a flush takes time, and the window between a copy and the
// removal of its local file is wide open to kills. WV_KILL_DISK_ROUNDS sets
// the number of rounds (100 by default).
TEST_F(handover_kill, on_a_disk_folder_a_removing_router_gets_every_order_and_no_duplicate) {
    // The build folder lies on the disk of the sources. At least 40 rounds:
    // a missing note gives a few duplicates in 40.
    dans(WV_BUILD_DIR);
    tourne(/*retire=*/true, /*courant=*/false, wvtest::rounds("WV_KILL_DISK_ROUNDS", 100, 40), "disk");
}

TEST_F(handover_kill, power_cuts_of_the_tablet_lose_nothing_and_a_reading_router_gets_every_order_once) {
    tourne(/*retire=*/false, /*courant=*/true);
}

TEST_F(handover_kill, power_cuts_of_the_tablet_lose_nothing_and_a_removing_router_gets_every_order_once) {
    tourne(/*retire=*/true, /*courant=*/true);
}

// The server loses power with the tablet: what the network folder had not
// flushed is undone too. A copy the router took just before the cut took
// its rename back is the one order it may get twice.
TEST_F(handover_kill, power_cuts_of_tablet_and_server_lose_nothing_and_resend_only_a_rename_taken_back) {
    tourne(/*retire=*/true, /*courant=*/true, tours(), "memory", /*serveur=*/true);
}

}  // namespace
