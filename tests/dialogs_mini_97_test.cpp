// The message and input box: its kinds and answers, the initial value after
// "|", the zoom of settings record 50, the self-closing notice and the keys
// typed in its text line, driven by real taps on a real window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "dialogs/box_zoom.h"
#include "dialogs/mini_97.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class mini_97_box : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        ASSERT_TRUE(parametres::fichier().open(parametres::nom_fichier));
    }
    static mini_97& box() { return mini_97::instance(); }
    static platform::picture_button* button(int i) { return box().get<platform::picture_button>("btc", i); }
    static platform::text_box* line() { return box().get<platform::text_box>("Text1"); }
    static platform::label* message() { return box().get<platform::label>("Label1"); }
    static std::string shown_buttons() {
        std::string s;
        for (int i : {2, 3, 5})
            if (button(i)->visible()) s += std::to_string(i);
        return s;
    }
    // Shows the box as a caller does and returns once it has unloaded.
    static void ask(int kind, const std::string& text) {
        type_message = kind;
        texte_message = text;
        box().show_modal();
        EXPECT_FALSE(box().loaded());
    }
};

TEST_F(mini_97_box, each_kind_shows_its_buttons_and_gives_its_answer) {
    struct cas {
        int kind;
        int tapped;
        std::string buttons;
        bool line_shown;
        int answer;
    };
    const cas table[] = {
        {0, 2, "2", false, 6},   {4, 2, "23", false, 6}, {4, 3, "23", false, 7}, {129, 2, "23", true, 6},
        {129, 3, "23", true, 7}, {1, 3, "23", false, 7},  // any other kind is a question
    };
    for (const cas& c : table) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " tap " + std::to_string(c.tapped));
        scripted_user::expect("mini_97", [&](form&) {
            EXPECT_EQ(shown_buttons(), c.buttons);
            EXPECT_EQ(line()->visible(), c.line_shown);
            EXPECT_EQ(message()->caption(), "Voulez vous continuer ?");
            scripted_user::tap(button(c.tapped));
        });
        ask(c.kind, "Voulez vous continuer ?");
        EXPECT_EQ(type_message, c.answer);
        EXPECT_EQ(texte_message, "");
    }
}

TEST_F(mini_97_box, typed_value_comes_back_trimmed_whichever_button_closes) {
    scripted_user::expect("mini_97", [&](form&) {
        EXPECT_EQ(message()->caption(), "Entrez le numero de switch ?");
        EXPECT_EQ(line()->text(), "");
        EXPECT_EQ(box().window()->focusWidget(), line());
        scripted_user::type_text(line(), "  12  ");
        scripted_user::tap(button(3));
    });
    ask(129, "Entrez le numero de switch ?");
    EXPECT_EQ(type_message, 7);
    EXPECT_EQ(texte_message, "12");
}

TEST_F(mini_97_box, initial_value_after_the_first_bar) {
    const std::string record = "#I#14" + std::string(15, ' ');
    struct cas {
        std::string text, label, line, returned;
    };
    const cas table[] = {
        {"Taille ?|" + record, "Taille ?", record, "#I#14"},
        {"Choix|a|b ", "Choix", "a|b ", "a|b"},
        {"|  x", "", "  x", "x"},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.text);
        scripted_user::expect("mini_97", [&](form&) {
            EXPECT_EQ(message()->caption(), c.label);
            EXPECT_EQ(line()->text(), c.line);
            scripted_user::tap(button(2));
        });
        ask(129, c.text);
        EXPECT_EQ(type_message, 6);
        EXPECT_EQ(texte_message, c.returned);
    }
}

TEST_F(mini_97_box, notice_closes_by_itself_after_two_seconds_without_an_answer) {
    // From before the box opens: whatever the machine's speed, the box can
    // only close after its two seconds have passed on this clock too. The
    // two seconds are the notice's own, not what the program holds.
    static constexpr int two_seconds = 2000;
    QElapsedTimer since_asked;
    qint64 closed_at = -1;
    scripted_user::expect("mini_97", [&](form&) {
        EXPECT_EQ(shown_buttons(), "5");
        EXPECT_EQ(box().get<platform::timer>("Timer1")->interval(), two_seconds);
        EXPECT_TRUE(scripted_user::wait_until([] { return !box().loaded(); }, 2 * two_seconds))
            << "the notice did not close by itself";
        closed_at = since_asked.elapsed();
    });
    since_asked.start();
    ask(225, "Commande envoyée|reste");
    EXPECT_GE(closed_at, two_seconds) << "closed before its time";
    EXPECT_EQ(type_message, 225);
    EXPECT_EQ(texte_message, "");
}

TEST_F(mini_97_box, notice_closed_by_hand_leaves_no_timer_behind_for_the_next_box) {
    scripted_user::expect("mini_97", [&](form&) { scripted_user::tap(button(5)); });
    ask(225, "Avis");
    EXPECT_EQ(type_message, 225);
    EXPECT_EQ(texte_message, "");
    // A question asked right after must wait for its answer, however long.
    scripted_user::expect("mini_97", [&](form&) {
        scripted_user::wait(2300);
        ASSERT_TRUE(box().loaded()) << "the question closed by itself";
        scripted_user::tap(button(2));
    });
    ask(4, "Question ?");
    EXPECT_EQ(type_message, 6);
}

TEST_F(mini_97_box, control_keys_in_the_text_line_type_a_blank_and_do_not_close) {
    scripted_user::expect("mini_97", [&](form&) {
        line()->setFocus();
        scripted_user::type_text(line(), "ab");
        QTest::keyClick(line(), Qt::Key_Return);
        QTest::keyClick(line(), Qt::Key_Escape);
        QTest::keyClick(line(), Qt::Key_Tab);
        scripted_user::type_text(line(), "cd");
        QTest::keyClick(line(), Qt::Key_Backspace);
        EXPECT_TRUE(box().loaded());
        EXPECT_EQ(line()->text(), "ab   c");
        scripted_user::tap(button(2));
    });
    ask(129, "Nom ?");
    EXPECT_EQ(texte_message, "ab   c");
}

TEST(mini_97_zoom, record_value_gives_the_factor) {
    const std::pair<double, double> table[] = {{1, 1.0},   {2, 1.1}, {10, 1.9}, {11, 1.1},
                                               {20, 1.19}, {0, 1.0}, {-3, 1.0}, {1e30, 1.999999}};
    for (auto [n, zoom] : table) EXPECT_NEAR(dialogue::zoom_boite(n), zoom, 1e-9) << n;
}

TEST(mini_97_zoom, factor_is_kept_within_the_display) {
    EXPECT_DOUBLE_EQ(dialogue::zoom_affiche(1.5, 5565, 6195, 20000, 20000), 1.5);
    EXPECT_DOUBLE_EQ(dialogue::zoom_affiche(1.9, 5565, 6195, 12000, 9000), 9000.0 / 6195);
    EXPECT_DOUBLE_EQ(dialogue::zoom_affiche(1.9, 5565, 6195, 9000, 20000), 9000.0 / 5565);
    EXPECT_DOUBLE_EQ(dialogue::zoom_affiche(1.9, 5565, 6195, 3000, 3000), 1.0);
}

TEST_F(mini_97_box, zoom_of_record_50_sizes_the_box_and_its_message) {
    struct cas {
        std::string record;
        double zoom;
        std::string record_after;
    };
    const cas table[] = {
        {"", 1.0, "#I#1"},       {"#I#0", 1.0, "#I#0"}, {"#I#1", 1.0, "#I#1"},     {"#I#4", 1.3, "#I#4"},
        {"#I#11", 1.1, "#I#11"}, {"zoom", 1.0, "#I#1"}, {"#I#2.5", 1.2, "#I#2.5"},  // 1.5 written with the
                                                                                    // digit pattern is 2
    };
    for (const cas& c : table) {
        SCOPED_TRACE("record 50: " + c.record);
        parametres::ecrit(50, c.record);
        scripted_user::expect("mini_97", [&](form&) {
            EXPECT_NEAR(box().width(), 5565 * c.zoom, 1e-6);
            EXPECT_NEAR(box().height(), 6195 * c.zoom, 1e-6);
            EXPECT_NEAR(message()->font_size(), 14 * c.zoom, 1e-6);
            EXPECT_NEAR(message()->width(), box().width() - 3255, 1e-6);
            EXPECT_NEAR(message()->height(), box().height() - 2940, 1e-6);
            EXPECT_EQ(message()->left(), 2755);
            // Centred on the display; Yes/OK at the right corner, No at the left.
            EXPECT_NEAR(box().left(), platform::screen_width_twips() / 2 - box().width() / 2, 1e-6);
            EXPECT_NEAR(box().top(), platform::screen_height_twips() / 2 - box().height() / 2, 1e-6);
            EXPECT_NEAR(button(2)->left(), box().width() - 500 - 1440, 1e-6);
            EXPECT_EQ(button(3)->left(), 500);
            EXPECT_NEAR(button(2)->top(), box().height() - 1940, 1e-6);
            scripted_user::tap(button(2));
        });
        ask(4, "Zoom ?");
        EXPECT_EQ(txt::trim(parametres::lit(50)), c.record_after);
    }
}

TEST_F(mini_97_box, largest_zoom_still_fits_the_display) {
    parametres::ecrit(50, "#I#10");
    scripted_user::expect("mini_97", [&](form&) {
        EXPECT_LE(box().height(), platform::screen_height_twips() + 1e-6);
        EXPECT_LE(box().width(), platform::screen_width_twips() + 1e-6);
        EXPECT_GE(box().top(), -1e-6);
        EXPECT_GE(box().left(), -1e-6);
        scripted_user::tap(button(2));
    });
    ask(0, "Grand");
    EXPECT_EQ(type_message, 6);
}

TEST_F(mini_97_box, caller_sees_a_scripted_answer) {
    scripted_user::expect("mini_97", scripted_user::answer(6));
    ask(4, "Confirmez ?");
    EXPECT_EQ(type_message, 6);
}

}  // namespace
