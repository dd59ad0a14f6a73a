// The on-screen keyboard: its three layouts, the captions it shows before
// the first layout change, one-shot Shift and alternate characters, Caps,
// the caret, Enter and Escape, physical typing, and its scaling, through
// real taps on its keys.
#include <gtest/gtest.h>

#include <QTest>

#include "dialogs/clavv.h"
#include "dialogs/keyboard_layouts.h"
#include "dialogs/keyboard_state.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "shared/globals.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class keyboard : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        largeur_ecran = 1024;
        hauteur_ecran = 768;
        platform::find_form("Form1")->move(0, 0, 1024 * 15, 768 * 15);
    }
    static clavv& kb() { return clavv::instance(); }
    static platform::label* key(int i) { return kb().get<platform::label>("ttoc", i); }
    static platform::text_box* field() { return kb().get<platform::text_box>("Text1"); }
    static void tap(int i) { scripted_user::tap(key(i)); }
    static void tap_all(std::initializer_list<int> keys) {
        for (int i : keys) tap(i);
    }
    // Each character is a key event of its own, as a keyboard sends a
    // combining mark after its letter.
    static void keys(const char* utf8) { scripted_user::type_unicode(field(), QString::fromUtf8(utf8)); }
    // Shows the keyboard as a caller does; `user` acts on it.
    static void type(const std::string& text, std::function<void()> user, int kind = 129) {
        scripted_user::expect("clavv", [user](form&) { user(); });
        type_message = kind;
        texte_message = text;
        kb().show_modal();
        EXPECT_FALSE(kb().loaded());
    }
};

TEST(keyboard_layouts, three_layouts_exactly_as_stored) {
    const std::string specials = "13 14 26 38 39 51 52 53 54 55 56 57 ";
    for (int n = 0; n < 3; ++n) {
        const std::string& d = clavier::disposition(n);
        ASSERT_EQ(d.size(), 58u) << n;
        std::string bars;
        for (int i = 0; i < 58; ++i)
            if (d[static_cast<std::size_t>(i)] == '|') bars += std::to_string(i) + " ";
        EXPECT_EQ(bars, specials) << "layout " << n;
    }
    EXPECT_EQ(clavier::disposition(0).substr(0, 13), cp(" &é''(-è_çà)+"));
    EXPECT_EQ(clavier::disposition(0).substr(15, 11), "azertyuiop$");
    EXPECT_EQ(clavier::disposition(0).substr(40, 11), "<wxcvbn,;:!");
    EXPECT_EQ(clavier::disposition(1).substr(0, 13), cp(" 1234567890°="));
    EXPECT_EQ(clavier::disposition(1).substr(40, 11), cp(">WXCVBN?./§"));
    EXPECT_EQ(clavier::disposition(2).substr(15, 11), cp("ïë€îêôâûù £"));
    EXPECT_EQ(clavier::disposition(2)[17], '\x80');  // the euro sign of code page 1252
    EXPECT_EQ(clavier::disposition(2)[37], '\xB5');
    for (int i : {0, 1, 12, 24, 27, 36, 40, 50})
        EXPECT_EQ(clavier::disposition(2)[static_cast<std::size_t>(i)], ' ') << i;
    EXPECT_EQ(clavier::disposition(0).find('"'), std::string::npos);
}

TEST_F(keyboard, design_captions_until_the_first_layout_change) {
    type("|", [] {
        EXPECT_EQ(key(0)->caption(), "Espace");
        EXPECT_EQ(key(1)->caption(), ".");
        EXPECT_EQ(key(3)->caption(), "\"");
        EXPECT_EQ(key(15)->caption(), "a");
        EXPECT_EQ(key(13)->caption(), "");
        tap_all({1, 3, 0, 15});
        EXPECT_EQ(field()->text(), "&' a");
        tap(26);  // Caps: the captions follow the layout from now on
        EXPECT_EQ(key(1)->caption(), "1");
        EXPECT_EQ(key(0)->caption(), " ");
        tap(26);
        EXPECT_EQ(key(1)->caption(), "&");
        EXPECT_EQ(key(3)->caption(), "'");
        EXPECT_EQ(key(15)->caption(), "a");
        EXPECT_EQ(ligne_travail, "|");
        tap(38);
    });
    EXPECT_EQ(texte_message, "&' a");
}

TEST_F(keyboard, escape_returns_the_initial_text_and_enter_the_edited_one) {
    const auto edit = [] {
        EXPECT_EQ(field()->text(), "abc");
        EXPECT_EQ(field()->sel_start(), 3);
        tap_all({13, 16, 54, 54, 15});  // backspace, z, caret left twice, a
        EXPECT_EQ(field()->text(), "aabz");
        EXPECT_EQ(field()->sel_start(), 2);
    };
    type("|abc", [&] {
        edit();
        tap(57);
    });
    EXPECT_EQ(texte_message, "abc");
    type("|abc", [&] {
        edit();
        tap(38);
    });
    EXPECT_EQ(texte_message, "aabz");
    EXPECT_EQ(type_message, 129);
}

TEST_F(keyboard, without_a_bar_the_field_starts_empty_and_the_prompt_is_not_shown) {
    type(cp("Entrez le répertoire réseau ?"), [] {
        EXPECT_EQ(field()->text(), "");
        tap_all({15, 16});
        tap(57);
    });
    EXPECT_EQ(texte_message, "");
    type(cp("Texte|  libre "), [] { tap(38); });
    EXPECT_EQ(texte_message, "  libre ");  // returned as shown, not trimmed
}

TEST_F(keyboard, one_shot_shift_and_caps) {
    type("|", [] {
        tap_all({26, 39, 15});  // Caps, then Shift, then a: upper case, and Caps is lost
        EXPECT_EQ(key(16)->caption(), "z");
        tap(16);
        tap_all({39, 39, 17});  // Shift twice: back to lower case without typing
        tap_all({39, 18, 19});  // Shift lasts one character
        tap_all({26, 2, 3, 26, 2});
        tap(38);
    });
    EXPECT_EQ(texte_message, cp("AzeRt23é"));
    EXPECT_EQ(maj_temporaire, 0);
    EXPECT_EQ(num_disposition, 0);
}

TEST_F(keyboard, alternate_characters_for_one_key) {
    type("|", [] {
        tap(56);
        EXPECT_EQ(key(17)->caption(), cp("€"));
        tap(17);  // the key of "e" types the euro sign, then lower case is back
        EXPECT_EQ(key(17)->caption(), "e");
        tap_all({17, 56, 56, 17, 56, 9, 56, 37});
        tap(38);
    });
    EXPECT_EQ(texte_message, cp("€ee@µ"));
}

TEST_F(keyboard, caret_edges_clear_and_the_list_keys) {
    type("|xy", [] {
        tap_all({55, 55});  // caret right at the end: nothing
        EXPECT_EQ(field()->sel_start(), 2);
        tap_all({54, 54, 54, 13});  // backspace at 0: nothing
        EXPECT_EQ(field()->text(), "xy");
        EXPECT_EQ(field()->sel_start(), 0);
        tap_all({52, 53, 51});
        EXPECT_EQ(field()->text(), "xy");
        tap(14);
        EXPECT_EQ(field()->text(), "");
        for (int n = 0; n < 60; ++n) tap(15 + n % 10);  // wider than the field: no limit
        tap(38);
    });
    EXPECT_EQ(texte_message.size(), 60u);
    EXPECT_EQ(texte_message.substr(0, 12), "azertyuiopaz");
}

TEST_F(keyboard, physical_typing_and_touches_build_one_text) {
    type("|ab", [] {
        field()->setFocus();
        scripted_user::type_text(field(), "cd\"");
        EXPECT_EQ(field()->text(), "abcd'");  // a double quote becomes an apostrophe
        tap(15);
        EXPECT_EQ(field()->text(), "abcd'a");
        QTest::keyClick(field(), Qt::Key_Home);
        tap(16);
        EXPECT_EQ(field()->text(), "zabcd'a");
        QTest::keyClick(field(), Qt::Key_End);
        QTest::keyClick(field(), Qt::Key_Backspace);
        tap(13);
        EXPECT_EQ(field()->text(), "zabcd");
        QTest::keyClick(field(), Qt::Key_Return);  // Enter on the physical keyboard
    });
    EXPECT_EQ(texte_message, "zabcd");
    type("|ab", [] {
        scripted_user::type_text(field(), "x");
        QTest::keyClick(field(), Qt::Key_Escape);
    });
    EXPECT_EQ(texte_message, "ab");
}

TEST_F(keyboard, a_character_the_code_page_lacks_spoils_nothing_typed_after_it) {
    // A physical keyboard types what the on-screen one cannot: only that
    // character becomes "?", the euro and the ligatures after it stay.
    type("|", [] {
        field()->setFocus();
        scripted_user::type_unicode(field(), QString::fromUtf8("x\u03A9\u20ACy"));
        tap(15);
        scripted_user::type_unicode(field(), QString::fromUtf8("\u0142\u0153\u0152"));
        QTest::keyClick(field(), Qt::Key_Return);
    });
    EXPECT_EQ(texte_message, "x?\x80ya?\x9C\x8C");
}

// Accents typed on a physical keyboard as a letter followed by a combining
// mark: the field puts them together, so the text sent holds the code
// page's own letter and the caret still counts characters.
TEST_F(keyboard, a_letter_and_its_combining_mark_are_sent_as_one_code_page_letter) {
    type("|", [] {
        field()->setFocus();
        keys("e\u0301");
        EXPECT_EQ(field()->text(), "\xE9");
        EXPECT_EQ(field()->sel_start(), 1);
        tap(15);  // "a" of the on-screen keyboard, after the accent
        keys("c\u0327e\u0300n\u0303E\u0301");
        // A mark the code page has no letter for stays one "?", as before.
        keys("q\u0301");
        QTest::keyClick(field(), Qt::Key_Return);
    });
    EXPECT_EQ(texte_message,
              "\xE9"
              "a\xE7\xE8\xF1\xC9q?");
}

TEST_F(keyboard, a_touch_after_an_accent_typed_inside_the_text_lands_after_it) {
    type("|ab", [] {
        field()->setFocus();
        QTest::keyClick(field(), Qt::Key_Home);
        keys("e\u0301");
        EXPECT_EQ(field()->sel_start(), 1);
        tap(16);  // "z"
        EXPECT_EQ(field()->text(), "\xE9zab");
        QTest::keyClick(field(), Qt::Key_End);
        keys("u\u0308");
        tap(13);  // backspace: the composed letter is one character
        keys("o\u0302");
        QTest::keyClick(field(), Qt::Key_Return);
    });
    EXPECT_EQ(texte_message, "\xE9zab\xF4");
}

TEST_F(keyboard, kind_1129_starts_in_upper_case) {
    type(
        "|",
        [] {
            EXPECT_EQ(key(1)->caption(), "1");
            tap_all({1, 15});
            tap(38);
        },
        1129);
    EXPECT_EQ(texte_message, "1A");
    EXPECT_EQ(type_message, 1129);
}

TEST_F(keyboard, lies_along_the_bottom_and_shrinks_on_narrow_screens) {
    // Wide enough: the design size, centred on the configured width.
    type("|", [] {
        EXPECT_EQ(kb().width(), 13995);
        // The picture and the space bar reach 75 twips below the designed
        // 6810: the screen covers them.
        EXPECT_EQ(kb().height(), 6885);
        EXPECT_EQ(kb().top(), 768 * 15 - 6885);
        EXPECT_EQ(kb().left(), 1024 * 15 / 2.0 - 13875 / 2.0);
        EXPECT_EQ(key(13)->width(), 1725);
        tap(38);
    });
    largeur_ecran = 800;
    hauteur_ecran = 600;
    platform::find_form("Form1")->move(1500, 0, 12000, 9000);
    type("|", [] {
        const double f = 12000.0 / 13995;
        EXPECT_NEAR(kb().height(), 6885 * f, 1e-9);
        EXPECT_NEAR(kb().top(), 9000 - 6885 * f - 300, 1e-9);
        EXPECT_EQ(kb().left(), 1500);
        EXPECT_NEAR(kb().width(), 13995 * f, 1e-9);
        const auto* image = kb().get<platform::picture>("Image1");
        EXPECT_NEAR(image->top(), 1680 * f, 1e-9);
        EXPECT_NEAR(image->height(), 5205 * f, 1e-9);
        EXPECT_NEAR(field()->width(), 13575 * f, 1e-9);
        EXPECT_EQ(field()->top(), 90);
        for (int i : {0, 13, 38, 53}) {
            const clavier::rectangle r = clavier::position(i);
            EXPECT_NEAR(key(i)->left(), r.left * f, 1e-9);
            EXPECT_NEAR(key(i)->top(), r.top * f, 1e-9);
            EXPECT_NEAR(key(i)->width(), r.width * f, 1e-9);
            EXPECT_NEAR(key(i)->height(), r.height * f, 1e-9);
        }
        EXPECT_EQ(key(15)->font_size(), 18);  // fonts keep their size
        tap_all({15, 38});
    });
    EXPECT_EQ(texte_message, "a");
}

// No format read yet (the folder question of a first start): the display's
// size, so that the keyboard lies on the display, its keys too.
TEST_F(keyboard, an_unset_screen_size_takes_the_display_size) {
    largeur_ecran = 0;
    hauteur_ecran = 0;
    const double W = platform::screen_width_twips(), H = platform::screen_height_twips();
    type("|", [W, H] {
        EXPECT_GE(kb().top(), 0);
        EXPECT_LE(kb().top() + kb().height(), H);
        EXPECT_GE(kb().left(), 0);
        EXPECT_LE(kb().left() + kb().width(), W);
        for (int i = 0; i < 58; ++i) EXPECT_LE(key(i)->top() + key(i)->height(), kb().height() + 1e-9) << i;
        tap(38);
    });
    EXPECT_EQ(largeur_ecran * 15, W);
    EXPECT_EQ(hauteur_ecran * 15, H);
}

TEST_F(keyboard, every_key_lies_on_the_picture_without_overlapping_another) {
    type("|", [] {
        auto* image = kb().get<platform::picture>("Image1");
        const QRect picture = image->widget()->geometry();
        for (int i = 0; i < 58; ++i) {
            const QRect a = key(i)->widget()->geometry();
            EXPECT_TRUE(picture.contains(a)) << i;
            EXPECT_GE(a.height(), 40) << "key " << i << " too small for a finger";
            for (int j = i + 1; j < 58; ++j)
                EXPECT_FALSE(a.intersects(key(j)->widget()->geometry())) << i << " " << j;
        }
        tap(38);
    });
}

}  // namespace
