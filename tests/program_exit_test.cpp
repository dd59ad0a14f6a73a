// Ending the program through exit(), as Qt does when the connection to the
// display breaks: every static object is destroyed then, in the reverse order
// of its construction, while the record files of the program are still open.
// Each case runs in a new process (death tests re-run this binary), and
// nothing before the case touches the record files, so the statics are built
// in the order a real run builds them; in the sanitizer build a touch of freed
// memory ends that process with a report and code 1.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "main_screen/form1.h"
#include "main_screen_fixture.h"
#include "platform/record_file.h"
#include "shared/record_files.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

// A working folder of its own, made without the shared fixture: that one
// closes every record file first, which would build the registry of open
// files before the files themselves.
class dossier {
  public:
    dossier() {
        char modele[] = "/tmp/wvexit-XXXXXX";
        chemin_ = ::mkdtemp(modele);
        avant_ = fs::current_path();
        fs::current_path(chemin_);
    }
    ~dossier() {
        fs::current_path(avant_);
        std::error_code ec;
        fs::remove_all(chemin_, ec);
    }
    const fs::path& chemin() const { return chemin_; }

  private:
    fs::path chemin_, avant_;
};

TEST(program_exit, exit_with_every_record_file_open_is_clean) {
    EXPECT_EXIT(
        {
            dossier d;
            ASSERT_TRUE(parametres::fichier().open("wfenzo42.wdo"));
            ASSERT_TRUE(programmation::fichier().open("progppb.wdo"));
            ASSERT_TRUE(styles::fichier().open("w_styl72.wdo"));
            // A record file of a procedure's own, still open, beside them.
            static platform::record_file test(64);
            ASSERT_TRUE(test.open("Test.res"));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(program_exit, exit_from_a_started_main_screen_is_clean) {
    EXPECT_EXIT(
        {
            dossier d;
            const fs::path reseau = d.chemin() / "reseau";
            fs::create_directories(reseau);
            for (const char* nom : {"velmorin.wdo", "wvelmorin.wdo"})
                fs::copy_file(fs::path(WV_DEMO_DIR) / nom, reseau / nom);
            std::string parametres(40000, ' ');
            parametres.replace(20, 16, "#I#0:00800:00600");
            wvtest::write_bytes("wfenzo42.wdo", parametres);
            wvtest::write_bytes("wfichdir.wdo", reseau.string() + "\r\n");
            Form1::instance().show();
            // The start opened the settings and key-programming files.
            if (!parametres::fichier().is_open() || !programmation::fichier().is_open()) std::exit(2);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(program_exit, closing_every_file_then_exit_is_clean) {
    EXPECT_EXIT(
        {
            dossier d;
            ASSERT_TRUE(parametres::fichier().open("wfenzo42.wdo"));
            ASSERT_TRUE(programmation::fichier().open("progppb.wdo"));
            platform::record_file::close_all();
            if (parametres::fichier().is_open() || programmation::fichier().is_open()) std::exit(2);
            // Files opened again after a close_all are closed at the end as well.
            ASSERT_TRUE(styles::fichier().open("w_styl72.wdo"));
            ASSERT_TRUE(parametres::fichier().open("wfenzo42.wdo"));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// Closing the main window as a window manager does asks, as the end
// function does, and ends the program only on Yes.
class main_window_close : public wvtest::main_screen_test {};

TEST_F(main_window_close, no_keeps_the_program_and_its_window) {
    demarre_avec_serveur();
    std::string question;
    scripted_user::expect("mini_97", [&question](platform::form& f) {
        question = texte_message;
        type_message = 7;
        f.unload();
    });
    ecran().window()->close();
    EXPECT_EQ(question, "Confirmez la fermeture de Velmorin ?");
    EXPECT_TRUE(ecran().loaded());
    EXPECT_TRUE(ecran().window()->isVisible());
    EXPECT_FALSE(fs::exists(work / "prov.txt"));
}

TEST_F(main_window_close, yes_writes_the_provisional_order_and_ends) {
    EXPECT_EXIT(
        {
            demarre_avec_serveur();
            table_couverts = "#N0124 ";
            scripted_user::expect("mini_97", scripted_user::answer(6));
            ecran().window()->close();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(wvtest::read_bytes(work / "prov.txt"), "#SERV#01\r\n#TABL##N0124 \r\n");
}

}  // namespace
