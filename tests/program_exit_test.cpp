// Ending the program through exit(), as Qt does when the connection to the
// display breaks: every static object is destroyed then, in the reverse order
// of its construction, while the record files of the program are still open.
// Each case runs in a new process (death tests re-run this binary), so the
// statics are built in the order a real run builds them; in the sanitizer
// build a touch of freed memory ends that process with a report and code 1.
#include <cstdlib>

#include "main_screen_fixture.h"
#include "platform/record_file.h"
#include "shared/record_files.h"
#include "shared/settings_file.h"

namespace {

class program_exit : public wvtest::main_screen_test {};

TEST_F(program_exit, exit_with_every_record_file_open_is_clean) {
    EXPECT_EXIT(
        {
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

TEST_F(program_exit, exit_from_a_started_main_screen_is_clean) {
    EXPECT_EXIT(
        {
            demarre_avec_serveur();
            if (!parametres::fichier().is_open() || !programmation::fichier().is_open()) std::exit(2);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(program_exit, closing_every_file_then_exit_is_clean) {
    EXPECT_EXIT(
        {
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

}  // namespace
