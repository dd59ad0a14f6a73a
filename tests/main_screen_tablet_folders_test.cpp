// Two tablet folders of one machine writing into one exchange folder. Each
// start removes the leftovers of its own folder's writes on the exchange
// folder, never a temporary file of the other folder's: that one may be a
// copy the other's note still names, not renamed yet, and were it removed,
// the other's next start would take its order for delivered.
//
// The child is the kill test's: the program's own start, order writing and
// hand-over in a process of its own, killed where the test says.
//
// WV_TABLET_FOLDERS_ROUNDS sets the number of kill rounds (150 by default);
// they end sooner once their time budget has passed (support/rounds.h).
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <thread>

#include "main_screen/order_queue.h"
#include "order/order_file.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "support/fixtures.h"
#include "support/handover_child_process.h"
#include "support/handover_orders.h"
#include "support/rounds.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using clk = std::chrono::steady_clock;

struct tablette {
    fs::path dossier, rapport;
};

class tablet_folders : public wvtest::folder_test {
  protected:
    fs::path racine;
    tablette a, b;

    void SetUp() override {
        folder_test::SetUp();
        // A kill loses nothing the system has accepted: a memory file system
        // tests the same thing without waiting for a disk at every flush.
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : work;
        std::string modele = (base / "wvtablettes-XXXXXX").string();
        racine = ::mkdtemp(modele.data()) ? fs::path(modele) : work / "tablettes";
        net = racine / "reseau";
        a = {racine / "tablette-a", racine / "rapport-a"};
        b = {racine / "tablette-b", racine / "rapport-b"};
        for (const fs::path& d : {net, a.dossier, b.dossier}) fs::create_directories(d);
        // The exchange folder holds the catalogue.
        wvtest::write_bytes(net / "velmorin.wdo", "#SERV#01 Marie\r\n");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(racine, ec);
        folder_test::TearDown();
    }

    // Starts the child on tablet folder t and returns once it is loaded:
    // it starts as the program does, writes `nombre` orders from `premier`
    // and hands each over; `coupure` ("<operation>:<n>") kills it there.
    pid_t lance(const tablette& t, long premier, long nombre, const std::string& coupure = {}) {
        std::vector<std::string> arg = {WV_HANDOVER_CHILD,  t.dossier.string(),      net.string(),
                                        t.rapport.string(), std::to_string(premier), std::to_string(nombre)};
        if (!coupure.empty()) arg.push_back(coupure);
        return wvtest::start_handover_child(WV_HANDOVER_CHILD, std::move(arg));
    }
    static int attend(pid_t pid) {
        int st = 0;
        ::waitpid(pid, &st, 0);
        return st;
    }
    static bool tue(int st) { return WIFSIGNALED(st) && WTERMSIG(st) == SIGKILL; }
    static bool fini(int st) { return WIFEXITED(st) && WEXITSTATUS(st) == 0; }

    static std::vector<std::string> temporaires(const fs::path& d) {
        std::vector<std::string> t;
        for (const auto& e : fs::directory_iterator(d))
            if (platform::is_temporary_name(e.path().filename().string())) t.push_back(e.path().filename());
        return t;
    }
    static std::vector<std::string> txt(const fs::path& d) {
        std::vector<std::string> t;
        for (const auto& e : fs::directory_iterator(d))
            if (e.path().extension() == ".txt") t.push_back(e.path().filename());
        std::sort(t.begin(), t.end());
        return t;
    }
    static bool note_de(const tablette& t, const std::string& nom) {
        return fs::exists(t.dossier / fichier_commande::nom_note(nom));
    }
};

// Once the program names its tablet folder, its temporary names carry that
// folder's tag, and its start removes those alone: another folder's of the
// same machine, and those an earlier version left under the machine's tag,
// stay.
TEST_F(tablet_folders, a_start_removes_the_leftovers_of_its_own_folder_alone) {
    platform::set_tablet_folder(a.dossier);
    const std::string tag_a = platform::tablet_tag(a.dossier);
    EXPECT_NE(platform::temporary_name("1_.txt").find("." + tag_a + "~"), std::string::npos);
    auto temporaire = [](const std::string& tag) { return ".1_.txt." + tag + "~42~00000000000000ff.part"; };
    const std::string mien = temporaire(tag_a), autre = temporaire(platform::tablet_tag(b.dossier)),
                      ancien = temporaire(platform::machine_tag());
    for (const std::string& n : {mien, autre, ancien}) wvtest::write_bytes(net / n, "half");
    EXPECT_TRUE(platform::is_own_temporary_name(mien));
    EXPECT_FALSE(platform::is_own_temporary_name(autre));
    EXPECT_FALSE(platform::is_own_temporary_name(ancien));

    file_attente::demarrage(a.dossier, net.string());

    std::vector<std::string> restes = temporaires(net), attendus = {autre, ancien};
    std::sort(restes.begin(), restes.end());
    std::sort(attendus.begin(), attendus.end());
    EXPECT_EQ(restes, attendus);
}

// Tablet A is killed just before the rename of its copy, its note on disk;
// tablet B, another folder of the same machine, starts; A starts again. The
// order reaches the exchange folder once.
TEST_F(tablet_folders, a_start_of_another_folder_leaves_a_copy_killed_before_its_rename_to_its_own_folder) {
    const long n = 7, m = 8;  // A's order, and one of B's
    const std::string nom = handover_orders::nom(n), octets = handover_orders::octets(n);
    // The moment just before the copy's rename: the order still queued on
    // A, its note there, the copy under its temporary name, no ".txt" yet.
    // Found by trying the renames in turn, so that it does not hang on how
    // many renames come before.
    bool trouve = false;
    for (int k = 1; k <= 6 && !trouve; ++k) {
        for (const fs::path& d : {a.dossier, net})
            for (const auto& e : fs::directory_iterator(d))
                if (e.path().filename() != "velmorin.wdo") fs::remove_all(e.path());
        wvtest::write_bytes(a.dossier / nom, octets);
        ASSERT_TRUE(tue(attend(lance(a, 0, 0, "rename:" + std::to_string(k))))) << "rename " << k;
        trouve = fs::exists(a.dossier / nom) && note_de(a, nom) && temporaires(net).size() == 1 &&
                 txt(net).empty();
    }
    ASSERT_TRUE(trouve) << "no rename of the hand-over found with its note on disk";
    const std::string copie = temporaires(net).front();

    // B, with an order of its own to hand over.
    wvtest::write_bytes(b.dossier / handover_orders::nom(m), handover_orders::octets(m));
    ASSERT_TRUE(fini(attend(lance(b, 0, 0))));
    EXPECT_TRUE(fs::exists(net / copie)) << "B's start removed the copy A's note names";
    EXPECT_FALSE(fs::exists(b.dossier / handover_orders::nom(m)));

    ASSERT_TRUE(fini(attend(lance(a, 0, 0))));
    const std::string envoi = file_attente::nom_transmis(nom);
    EXPECT_FALSE(fs::exists(a.dossier / nom)) << "the order is still queued";
    ASSERT_TRUE(fs::exists(net / envoi)) << "the order is lost: neither queued nor on the exchange folder";
    EXPECT_EQ(wvtest::read_bytes(net / envoi), octets);
    EXPECT_EQ(txt(net),
              (std::vector<std::string>{envoi, file_attente::nom_transmis(handover_orders::nom(m))}))
        << "each order once";
    EXPECT_EQ(temporaires(net), std::vector<std::string>{}) << "A's start removed its own copy";
    EXPECT_FALSE(note_de(a, nom));
}

// Both folders' children write orders into one exchange folder, one, the
// other or both at once, and die at random: a kill timed at random, or one
// just before a file operation drawn at random (the renames of the copies
// among them), or none. Between rounds a router removes what it reads.
TEST_F(tablet_folders, two_folders_of_one_machine_killed_at_random_lose_no_order) {
    const auto debut = clk::now();
    // At least 100 rounds: a start that removes the other folder's copies
    // loses an order at round 72.
    wvtest::rounds tours("WV_TABLET_FOLDERS_ROUNDS", 150, 100);
    constexpr long par_enfant = 4;

    std::map<long, int> recues;  // order number -> times the router took it
    handover_orders::attendus attendus;
    long partielles = 0, doublons = 0, tues = 0, lances = 0, temporaires_laissees = 0, notes_laissees = 0;
    auto verifie = [&](const fs::path& p, const std::string& nom_local) {
        const std::string octets = wvtest::read_bytes(p);
        const auto n = handover_orders::numero(octets);
        if (!n || octets != attendus.octets_de(*n) || nom_local != attendus.nom_de(*n)) {
            ADD_FAILURE() << "partial or foreign file " << p;
            ++partielles;
            return std::optional<long>{};
        }
        return n;
    };
    auto routeur = [&] {
        for (const auto& e : fs::directory_iterator(net)) {
            const std::string nom = e.path().filename();
            if (nom == "velmorin.wdo" || platform::is_temporary_name(nom)) continue;
            ASSERT_TRUE(nom.ends_with(".txt")) << nom;
            const auto n = verifie(e.path(), nom.substr(0, nom.size() - 3) + "-A-");
            fs::remove(e.path());
            if (n && ++recues[*n] > 1) ++doublons;
        }
    };
    auto rapportees = [&](const tablette& t) {
        std::set<long> s;
        std::ifstream in(t.rapport);
        for (long n; in >> n;) s.insert(n);
        return s;
    };
    // What a round leaves on a tablet, whatever the point of the kill.
    auto etat = [&](const tablette& t) {
        for (const auto& e : fs::directory_iterator(t.dossier)) {
            const std::string nom = e.path().filename();
            if (platform::is_temporary_name(nom)) {
                ++temporaires_laissees;
            } else if (nom.starts_with(".") && nom.ends_with(".note")) {
                ++notes_laissees;
            } else if (nom != platform::tablet_identity_file) {
                ASSERT_TRUE(nom.ends_with(".-A-")) << e.path();
                verifie(e.path(), nom);
            }
        }
        for (const long n : rapportees(t))
            ASSERT_TRUE(fs::exists(t.dossier / attendus.nom_de(n)) || recues.count(n))
                << "order " << n << " of " << t.dossier << " lost";
    };

    std::mt19937 hasard(20261211);
    long suivant = 0;
    // How long an unhurried child runs once loaded: timed kills fall within
    // it, most of them early, where its work is (its end takes long too).
    std::vector<long> durees;
    for (const tablette* t : {&a, &b, &a}) {
        const auto t0 = clk::now();
        ASSERT_TRUE(fini(attend(lance(*t, suivant, par_enfant))));
        durees.push_back(std::chrono::duration_cast<std::chrono::microseconds>(clk::now() - t0).count());
        suivant += par_enfant;
        routeur();
    }
    std::sort(durees.begin(), durees.end());
    const double duree = static_cast<double>(std::max<long>(durees[1], 200));
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    auto delai = [&] { return static_cast<long>(duree * std::pow(fraction(hasard), 3)); };
    // A child's work is 20 to 25 file operations an order.
    std::uniform_int_distribution<long> operation(1, 25 * par_enfant);
    std::uniform_int_distribution<int> qui(0, 2), comment(0, 4);

    while (!HasFatalFailure() && tours.next()) {
        struct enfant {
            pid_t pid;
            long mort;  // microseconds after its start, or -1
            clk::time_point depart;
        };
        std::vector<enfant> enfants;
        const int q = qui(hasard);  // A, B, or both at once
        for (const tablette* t : {&a, &b}) {
            if ((t == &a && q == 1) || (t == &b && q == 0)) continue;
            const int c = comment(hasard);
            const std::string coupure = c <= 1 ? "any:" + std::to_string(operation(hasard)) : "";
            const long mort = c == 2 || c == 3 ? delai() : -1;
            enfants.push_back({lance(*t, suivant, par_enfant, coupure), mort, clk::now()});
            suivant += par_enfant;
            ++lances;
        }
        for (const enfant& e : enfants) {
            if (e.mort < 0) continue;
            std::this_thread::sleep_until(e.depart + std::chrono::microseconds(e.mort));
            ::kill(e.pid, SIGKILL);
        }
        for (const enfant& e : enfants) {
            const int st = attend(e.pid);
            tues += tue(st) ? 1 : 0;
            EXPECT_TRUE(tue(st) || fini(st)) << "a child failed: " << st;
        }
        wvtest::still_working();
        routeur();
        for (const tablette* t : {&a, &b}) etat(*t);
    }
    // A last start of each, left to finish: everything written reaches the router.
    for (const tablette* t : {&b, &a}) ASSERT_TRUE(fini(attend(lance(*t, suivant, 0))));
    routeur();
    for (const tablette* t : {&a, &b}) {
        etat(*t);
        EXPECT_TRUE(file_attente::en_attente(t->dossier).empty()) << t->dossier;
    }
    for (const fs::path& d : {a.dossier, b.dossier, net})
        for (const auto& e : fs::directory_iterator(d))
            EXPECT_FALSE(platform::is_temporary_name(e.path().filename()) || e.path().extension() == ".note")
                << "a start left a leftover of its own: " << e.path();

    long ecrites = 0, perdues = 0;
    for (const tablette* t : {&a, &b})
        for (const long n : rapportees(*t)) {
            ++ecrites;
            perdues += recues.count(n) ? 0 : 1;
        }
    EXPECT_EQ(perdues, 0);
    EXPECT_EQ(partielles, 0);
    EXPECT_EQ(doublons, 0);
    std::printf(
        "[ figures  ] two tablet folders, one exchange folder: %s, %ld children (%ld killed), %ld "
        "orders reported written, %ld received, %ld lost, %ld partial, %ld duplicates, %ld temporary files "
        "and %ld notes left on the tablets between rounds, %.1f s\n",
        tours.figures().c_str(), lances, tues, ecrites, static_cast<long>(recues.size()), perdues, partielles,
        doublons, temporaires_laissees, notes_laissees,
        std::chrono::duration<double>(clk::now() - debut).count());
}

}  // namespace
