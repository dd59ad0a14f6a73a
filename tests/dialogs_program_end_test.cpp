// The reset confirmation of the bottom bars and the decimal-separator notice
// of the start: what ends the program, what lets it go on.
#include <gtest/gtest.h>

#include <cstdio>

#include "dialogs/mini_97.h"
#include "dialogs/program_end.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class program_end : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        ASSERT_TRUE(parametres::fichier().open(parametres::nom_fichier));
    }
    static platform::picture_button* button(int i) {
        return mini_97::instance().get<platform::picture_button>("btc", i);
    }
    // Inside the box: tells on stderr whether it asks what is expected (the
    // child of a death test has no other way to report), then taps a button.
    static scripted_user::action report_and_tap(int i, int kind, std::string text) {
        return [i, kind, text](form& f) {
            const bool same = type_message == kind && f.get<platform::label>("Label1")->caption() == text;
            std::fprintf(stderr, same ? "[asked as expected]" : "[asked something else]");
            scripted_user::tap(button(i));
        };
    }
};

const std::string reset_question =
    cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?");
const std::string separator_notice =
    cp("Le logiciel a configuré le point comme séparateur décimal (obligatoire), relancez votre logiciel !");

TEST_F(program_end, reset_confirmed_ends_the_program_at_once) {
    scripted_user::expect("mini_97", report_and_tap(2, 4, reset_question));
    EXPECT_EXIT(
        {
            Module1::quitte_logiciel();
            std::fprintf(stderr, "[went on]");
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "\\[asked as expected\\]");
    scripted_user::clear();  // the expectation was used in the child only
}

TEST_F(program_end, reset_not_confirmed_returns_to_the_screen) {
    scripted_user::expect("mini_97", report_and_tap(3, 4, reset_question));
    Module1::quitte_logiciel();
    EXPECT_EQ(type_message, 7);
    // Closed without an answer: still no reset.
    scripted_user::expect("mini_97", [](form& f) { f.window()->close(); });
    Module1::quitte_logiciel();
    EXPECT_EQ(type_message, 4);
    EXPECT_FALSE(mini_97::instance().loaded());
}

TEST_F(program_end, separator_notice_sets_the_point_then_ends) {
    platform::set_decimal_separator_override(',');
    scripted_user::expect("mini_97", [](form& f) {
        // The point is already in force when the user reads the notice.
        std::fprintf(stderr, "[separator %c]", platform::runtime_decimal_separator());
        report_and_tap(2, 0, separator_notice)(f);
    });
    EXPECT_EXIT(w_velmo_2::force_separateur(), ::testing::ExitedWithCode(0),
                "\\[separator \\.\\]\\[asked as expected\\]");
    scripted_user::clear();
}

TEST_F(program_end, separator_notice_ends_even_when_the_point_is_already_in_force) {
    scripted_user::expect("mini_97", report_and_tap(2, 0, separator_notice));
    EXPECT_EXIT(w_velmo_2::force_separateur(), ::testing::ExitedWithCode(0), "\\[asked as expected\\]");
    scripted_user::clear();
}

}  // namespace
