// One program per tablet folder: the desktop closing the main window, and a
// second Wvelmorin started in a folder where one already runs.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <thread>

#include "main_screen/tablet_lock.h"
#include "main_screen_fixture.h"
#include "platform/file_lock.h"

namespace {

namespace fs = std::filesystem;
using wvtest::read_bytes;
using wvtest::write_bytes;

class one_program : public wvtest::main_screen_test {
  protected:
    // The desktop's close, as the window receives it.
    static bool ferme_par_le_bureau() {
        QCloseEvent e;
        QCoreApplication::sendEvent(ecran().window(), &e);
        return e.isAccepted();
    }
    static scripted_user::action repond(std::vector<std::string>& questions, int reponse) {
        return [&questions, reponse](platform::form& f) {
            questions.push_back(texte_message);
            type_message = reponse;
            f.unload();
        };
    }
};

TEST_F(one_program, the_desktop_closing_the_main_window_asks_as_the_end_cell_and_no_keeps_it) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    std::vector<std::string> questions;
    scripted_user::expect("mini_97", repond(questions, 7));
    EXPECT_FALSE(ferme_par_le_bureau());
    EXPECT_EQ(questions, std::vector<std::string>{"Confirmez la fermeture de Velmorin ?"});
    ASSERT_TRUE(ecran().loaded()) << "the main window went, the program ran on without it";
    EXPECT_TRUE(ecran().window()->isVisible());
    EXPECT_TRUE(accueil());
    EXPECT_FALSE(fs::exists(work / "prov.txt"));

    // Orders waiting: the same first question as the end cell, and Yes to
    // sending them keeps the program.
    hors_ligne = true;
    write_bytes(work / "1_.-A-", "a");
    ecran().logo_Click();
    questions.clear();
    scripted_user::expect("mini_97", repond(questions, 6));
    EXPECT_FALSE(ferme_par_le_bureau());
    EXPECT_EQ(
        questions,
        (std::vector<std::string>{"Attention, vous avez 1 Commande(s) en attente, Envoyer maintenant ?"}));
    EXPECT_TRUE(ecran().window()->isVisible());
    EXPECT_EQ(read_bytes(work / "1_.-A-"), "a");
}

TEST_F(one_program, a_desktop_close_under_an_open_screen_is_refused_without_a_question) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        EXPECT_FALSE(ferme_par_le_bureau());
        f.unload();
    });
    ecran().appel_fonctions("TABLE");
    ASSERT_TRUE(ecran().loaded());
    EXPECT_TRUE(ecran().window()->isVisible());
}

class one_program_end : public wvtest::main_screen_test {};

TEST_F(one_program_end, a_confirmed_desktop_close_writes_the_provisional_order_and_ends) {
    EXPECT_EXIT(
        {
            demarre_avec_serveur();
            table_couverts = "#N0124 ";
            nb_lignes = 1;
            lignes_commande[1] = "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##";
            scripted_user::expect("mini_97", scripted_user::answer(6));
            ecran().window()->close();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(
        read_bytes(work / "prov.txt"),
        "#SERV#01\r\n#TABL##N0124 \r\n000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##\r\n");
    // Every file was closed: the settings file is whole on disk.
    EXPECT_EQ(fs::file_size(work / "wfenzo42.wdo"), 40000u);
}

// A real Wvelmorin holds the folder; this process is the second one.
TEST_F(one_program_end, a_second_program_on_a_folder_says_so_ends_and_touches_nothing) {
    QProcess premier;
    if (!in_death_test_child()) {
        copy_demo_to_network();
        tablette();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        premier.setProcessEnvironment(env);
        premier.setWorkingDirectory(QString::fromStdString(work.string()));
        premier.start(WV_WVELMORIN_BIN, {});
        ASSERT_TRUE(premier.waitForStarted(5000));
        bool demarre = false;
        const auto jusqua = std::chrono::steady_clock::now() +
                            std::chrono::milliseconds(static_cast<long>(20000 * wvtest::time_scale()));
        while (!demarre && std::chrono::steady_clock::now() < jusqua) {
            std::error_code ec;
            demarre = fs::file_size(work / "progppb.wdo", ec) == 1280000u;
            if (!demarre) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_TRUE(demarre) << "the first program did not start";
        ASSERT_TRUE(fs::exists(work / verrou_tablette::nom_fichier));
        // Gone: were the second program to start, it would make it again.
        fs::remove(work / "progppb.wdo");
    }
    EXPECT_EXIT(
        {
            scripted_user::expect("mini_97", [](platform::form& f) {
                std::string ascii = texte_message;
                for (char& c : ascii)
                    if (static_cast<unsigned char>(c) > 127) c = '?';
                std::fprintf(stderr, "message %d: %s\n", type_message, ascii.c_str());
                scripted_user::answer(6)(f);
            });
            verrou_tablette::prend();
            std::fprintf(stderr, "the second program went on\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0),
        "message 0: Velmorin est d\\?j\\? lanc\\? sur cette tablette, utilisez le logiciel d\\?j\\? ouvert "
        "!");
    EXPECT_FALSE(fs::exists(work / "progppb.wdo"));
    EXPECT_EQ(premier.state(), QProcess::Running) << "the first program must go on";

    // The system releases the lock when its holder dies, however it dies.
    EXPECT_EQ(platform::lock_for_process_life(verrou_tablette::nom_fichier), platform::lock_result::held);
    ::kill(static_cast<pid_t>(premier.processId()), SIGKILL);
    ASSERT_TRUE(premier.waitForFinished(5000));
    EXPECT_EQ(platform::lock_for_process_life(verrou_tablette::nom_fichier), platform::lock_result::taken);
    // Asked again by its holder, it stays taken.
    EXPECT_EQ(platform::lock_for_process_life(verrou_tablette::nom_fichier), platform::lock_result::taken);
}

TEST(file_lock, a_lock_file_that_cannot_be_made_is_unusable_not_held) {
    char tmpl[] = "/tmp/wvlock-XXXXXX";
    const fs::path dossier = ::mkdtemp(tmpl);
    // A folder squats the lock file's name.
    fs::create_directory(dossier / "verrou");
    EXPECT_EQ(platform::lock_for_process_life(dossier / "verrou"), platform::lock_result::unusable);
    EXPECT_EQ(platform::lock_for_process_life(dossier / "absent" / "verrou"),
              platform::lock_result::unusable);
    fs::remove_all(dossier);
}

}  // namespace
