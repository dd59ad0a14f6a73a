// A network folder that stops answering, for real: the exchange folder is a
// FUSE folder (bindfs over a folder of the test) whose daemon the test stops
// with SIGSTOP, as a server that no longer answers leaves a share's client:
// every call on it waits in the kernel until the daemon goes on. The screen
// must never wait on it longer than its bound, orders stay queued with their
// count shown, and once the folder answers again each order arrives once.
// Skipped, saying why, where the machine cannot mount a FUSE folder.
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "main_screen/order_queue.h"
#include "main_screen_fixture.h"
#include "order/eta_com.h"
#include "order/order_file.h"
#include "platform/folder_worker.h"
#include "platform/text_file.h"
#include "support/handover_orders.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using clock_ = std::chrono::steady_clock;

// The promised second, in seconds.
const double attente_promise = std::chrono::duration<double>(wvtest::promised_network_wait).count();

dev_t device_of(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_dev : 0;
}

class stalled_folder : public wvtest::main_screen_test {
  protected:
    void SetUp() override {
        main_screen_test::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a FUSE folder needs root here; the test runs as a user";
        if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no /dev/fuse on this machine";
        const std::string bindfs =
            QStandardPaths::findExecutable("bindfs", {"/usr/bin", "/bin", "/usr/local/bin"}).toStdString();
        if (bindfs.empty()) GTEST_SKIP() << "no bindfs (Debian package bindfs) on this machine";

        copy_demo_to_network();
        partage = work / "partage";
        fs::create_directories(partage);
        // In the foreground, so that its process is the one that answers.
        std::vector<std::string> args = {bindfs, "-f", net.string(), partage.string()};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(::posix_spawn(&daemon, bindfs.c_str(), nullptr, nullptr, argv.data(), environ), 0);
        const auto fin = clock_::now() + std::chrono::seconds(10);
        while (device_of(partage) == device_of(work) && clock_::now() < fin)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (device_of(partage) == device_of(work))
            GTEST_SKIP() << "bindfs could not mount its FUSE folder here";

        tablette();
        wvtest::write_bytes(work / "wfichdir.wdo", partage.string() + "\r\n");
    }

    // Started on the FUSE folder, server 1 chosen on its key.
    void demarre_sur_partage() {
        demarre();
        scripted_user::tap(touche(1));
    }

    void TearDown() override {
        if (daemon > 0) {
            ::kill(daemon, SIGCONT);
            platform::folder_worker::wait_idle(std::chrono::seconds(20));
            ::umount2(partage.c_str(), MNT_DETACH);
            ::kill(daemon, SIGTERM);
            ::waitpid(daemon, nullptr, 0);
        }
        platform::set_file_fault_hook(nullptr);
        main_screen_test::TearDown();
    }

    void arrete() { ASSERT_EQ(::kill(daemon, SIGSTOP), 0); }
    void reprend() { ASSERT_EQ(::kill(daemon, SIGCONT), 0); }

    // An order written as the order summary writes it, in the tablet folder.
    std::string commande(long n) {
        const auto nom =
            fichier_commande::ecrit(work, handover_orders::commande(n), handover_orders::moment(n));
        EXPECT_TRUE(nom.has_value());
        return nom.value_or("");
    }

    // A touch on the send cell: the main screen redrawn, the hand-over tried.
    // How long the screen was held.
    double redessine() {
        const auto t0 = clock_::now();
        cellule(4);
        return std::chrono::duration<double>(clock_::now() - t0).count();
    }

    // A drawing on a folder still stuck asks it nothing: what it takes is the
    // drawing's own work, which a loaded machine stretches.
    static double dessin_suivant() { return 0.5 * wvtest::time_scale(); }
    // The first call on a folder that stopped answering waits for it, a
    // second at most. Against the same call made once the folder is known to
    // be stuck, which does the same work under the same load without the
    // wait, what is left is the wait and a little of the machine's
    // scheduling: never a second more.
    static void attend_au_plus_la_seconde(double premier, double suivant) {
        EXPECT_LT(premier - suivant, attente_promise + 0.5) << premier << " s, then " << suivant << " s";
    }

    void compte(const std::string& n) {
        EXPECT_TRUE(accueil());
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(n.empty() ? 23 : 30)));
        EXPECT_EQ(barre()->text(0, 4), n);
    }

    // Each order once on the server's side, byte for byte, and nothing else
    // of the orders there (no temporary file left).
    void chacune_une_fois(const std::vector<long>& numeros, const std::vector<std::string>& noms) {
        std::vector<std::string> recus;
        for (const auto& e : fs::directory_iterator(net)) {
            const std::string f = e.path().filename().string();
            if (f.ends_with(".txt") || platform::is_temporary_name(f)) recus.push_back(f);
        }
        std::sort(recus.begin(), recus.end());
        std::vector<std::string> attendus;
        for (const auto& n : noms) attendus.push_back(file_attente::nom_transmis(n));
        std::sort(attendus.begin(), attendus.end());
        EXPECT_EQ(recus, attendus);
        for (std::size_t i = 0; i < numeros.size(); ++i)
            EXPECT_EQ(wvtest::read_bytes(net / file_attente::nom_transmis(noms[i])),
                      fichier_commande::contenu(handover_orders::commande(numeros[i])));
        EXPECT_TRUE(file_attente::en_attente(work).empty());
    }

    fs::path partage;
    pid_t daemon = -1;
};

TEST_F(stalled_folder, a_folder_that_stops_answering_never_holds_the_screen_and_its_orders_arrive_once) {
    demarre_sur_partage();
    compte("");

    arrete();
    // The probe gets no answer: the drawing goes on within its bound.
    const std::string premiere = commande(1);
    const double premier = redessine();
    compte("1");
    // A folder still stuck is not asked again: the next drawings are at once.
    const std::string seconde = commande(2);
    const double suivant = redessine();
    EXPECT_LT(suivant, dessin_suivant());
    attend_au_plus_la_seconde(premier, suivant);
    compte("2");
    for (int i = 0; i < 3; ++i) EXPECT_LT(redessine(), dessin_suivant());
    compte("2");

    reprend();
    ASSERT_TRUE(platform::folder_worker::wait_idle(std::chrono::seconds(20)));
    QCoreApplication::processEvents();
    redessine();
    compte("");
    chacune_une_fois({1, 2}, {premiere, seconde});
    // Drawn again and again, nothing is sent twice.
    redessine();
    redessine();
    chacune_une_fois({1, 2}, {premiere, seconde});
}

// The folder answers the probe, then stops answering inside the hand-over's
// first copy: the screen goes on, the hand-over stuck in its call is never
// started a second time, and when the call returns its result is counted.
TEST_F(stalled_folder, a_hand_over_stuck_in_a_call_is_not_started_again_and_counts_when_it_returns) {
    demarre_sur_partage();
    const std::vector<long> numeros = {11, 12, 13};
    std::vector<std::string> noms;
    for (long n : numeros) noms.push_back(commande(n));

    std::atomic<int> copies_commencees{0};
    const std::string cote_reseau = partage.string();
    platform::set_file_fault_hook([&, cote_reseau](platform::file_op op, const fs::path& p) {
        if (op == platform::file_op::create && p.string().starts_with(cote_reseau)) {
            // The server stops answering as the first copy begins.
            if (copies_commencees.fetch_add(1) == 0) ::kill(daemon, SIGSTOP);
        }
        return 0;
    });

    const double premier = redessine();
    compte("3");
    EXPECT_TRUE(platform::folder_worker::stalled());
    // Touches on the send cell while the call is stuck: no second hand-over.
    for (int i = 0; i < 3; ++i) {
        const double suivant = redessine();
        EXPECT_LT(suivant, dessin_suivant());
        attend_au_plus_la_seconde(premier, suivant);
    }
    compte("3");
    EXPECT_EQ(copies_commencees.load(), 1);

    reprend();
    ASSERT_TRUE(platform::folder_worker::wait_idle(std::chrono::seconds(20)));
    // Its result is drawn as soon as it is handed back, without a touch.
    QCoreApplication::processEvents();
    compte("");
    EXPECT_EQ(copies_commencees.load(), 3);
    chacune_une_fois(numeros, noms);
    redessine();
    chacune_une_fois(numeros, noms);
}

// The summary's send asks the network folder whether an order of the same
// second waits there under the same name: without an answer the name counts
// as free, and the order is written on the tablet at once.
TEST_F(stalled_folder, an_order_sent_while_the_folder_does_not_answer_is_written_at_once_and_arrives_once) {
    demarre_sur_partage();
    arrete();
    std::map<std::string, std::string> envoyees;
    double durees[2] = {};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "the first call of the folder" : "the folder already stuck");
        table_couverts = "#N0124 ";
        lignes_commande[1] = "000142000200000|DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0| ##QUA:001.00##{Bleu}";
        nb_lignes = 1;
        const auto avant = file_attente::en_attente(work);
        const auto t0 = clock_::now();
        EXPECT_TRUE(eta_com::instance().envoi_commande());
        durees[i] = std::chrono::duration<double>(clock_::now() - t0).count();
        EXPECT_EQ(nb_lignes, 0);
        for (const std::string& n : file_attente::en_attente(work))
            if (std::find(avant.begin(), avant.end(), n) == avant.end())
                envoyees[n] = wvtest::read_bytes(work / n);
    }
    // The second send does not ask a folder known to be stuck.
    EXPECT_LT(durees[1], dessin_suivant());
    attend_au_plus_la_seconde(durees[0], durees[1]);
    ASSERT_EQ(envoyees.size(), 2u) << "two orders of the same second under two names";
    EXPECT_LT(redessine(), dessin_suivant());
    compte("2");

    reprend();
    ASSERT_TRUE(platform::folder_worker::wait_idle(std::chrono::seconds(20)));
    redessine();
    compte("");
    for (const auto& [nom, octets] : envoyees)
        EXPECT_EQ(wvtest::read_bytes(net / file_attente::nom_transmis(nom)), octets) << nom;
    EXPECT_TRUE(file_attente::en_attente(work).empty());
}

// A start on a folder that does not answer: the window is there within the
// bound, with the local copies of the catalogue, and the queue waits.
TEST_F(stalled_folder, a_start_on_a_folder_that_does_not_answer_is_quick_and_keeps_the_queue) {
    // An earlier run left its copies of the catalogue on the tablet.
    for (const char* f : {"velmorin.wdo", "wvelmorin.wdo"}) fs::copy_file(net / f, work / f);
    const std::string nom = commande(21);
    arrete();
    const auto t0 = clock_::now();
    Form1& f = demarre();
    const double depart = std::chrono::duration<double>(clock_::now() - t0).count();
    // The program waits for the folder once, a second at most; the rest is
    // the start's own work, which a loaded machine stretches.
    EXPECT_LT(depart, attente_promise + 1.5 * wvtest::time_scale());
    EXPECT_TRUE(f.loaded());
    // The server keys of the local catalogue: the waiter can take orders.
    ASSERT_TRUE(ecran().has("btx", 1));
    EXPECT_FALSE(touche(1)->caption().empty());
    scripted_user::tap(touche(1));
    compte("1");

    reprend();
    ASSERT_TRUE(platform::folder_worker::wait_idle(std::chrono::seconds(20)));
    redessine();
    compte("");
    chacune_une_fois({21}, {nom});
}

}  // namespace
