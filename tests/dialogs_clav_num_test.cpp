// The numeric keypad: its tap lock, its plain, masked and font-size modes,
// the initial entry after "|", the clear and validate cells of its bar, the
// key colours read from its picture and its layout, through real taps.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "dialogs/clav_num.h"
#include "dialogs/keypad_entry.h"
#include "dialogs/mini_97.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

using platform::form;

class keypad : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        ASSERT_TRUE(parametres::fichier().open(parametres::nom_fichier));
        largeur_ecran = 800;
        hauteur_ecran = 600;
        platform::find_form("Form1")->move(300, 0, 12000, 9000);
    }
    static clav_num& pad() { return clav_num::instance(); }
    static platform::grid* keys() { return pad().get<platform::grid>("g3"); }
    static platform::grid* bar() { return pad().get<platform::grid>("g2"); }
    static platform::label* entry() { return pad().get<platform::label>("Label5"); }
    static platform::label* masked() { return pad().get<platform::label>("Label3"); }
    static void wait_unlocked() { scripted_user::wait_for_touches(pad()); }
    static bool locked() { return !pad().window()->isEnabled(); }
    // Taps the cell showing `text`.
    static void tap_key(const std::string& text) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                if (keys()->text(r, c) == text) return scripted_user::tap_cell(keys(), r, c);
        ADD_FAILURE() << "no key " << text;
    }
    static void validate() { scripted_user::tap_cell(bar(), 0, 5); }
    // Shows the keypad as its callers do; `user` acts on it once unlocked.
    static void enter(const std::string& prompt, const std::string& options, std::function<void()> user) {
        scripted_user::expect("clav_num", [user](form&) {
            wait_unlocked();
            user();
        });
        type_message = 129;
        texte_message = prompt;
        ligne_travail = options;
        pad().show_modal();
        EXPECT_FALSE(pad().loaded());
    }
};

TEST_F(keypad, touches_of_the_first_half_second_are_ignored) {
    // The keypad's own half second, not what the program holds.
    static constexpr qint64 half_second = 500;
    QElapsedTimer since_shown;
    scripted_user::expect("clav_num", [&since_shown](form&) {
        // The taps run without the event loop turning: the lock seen here
        // holds for them. A machine too busy to act within the lock still
        // checks that the lock lasted its time.
        if (locked()) {
            tap_key("5");
            scripted_user::tap_cell(bar(), 0, 5);
            EXPECT_TRUE(pad().loaded()) << "validated while locked";
            EXPECT_EQ(entry()->caption(), "");
            EXPECT_TRUE(locked());
        } else {
            EXPECT_GE(since_shown.elapsed(), half_second) << "the lock ended early";
        }
        wait_unlocked();
        EXPECT_GE(since_shown.elapsed(), half_second) << "the lock ended early";
        tap_key("5");
        EXPECT_EQ(entry()->caption(), "5");
        validate();
    });
    texte_message = "Entrez le nb de personnes|";
    ligne_travail = "";
    since_shown.start();
    pad().show_modal();
    EXPECT_EQ(texte_message, "5");
}

TEST_F(keypad, prompt_before_the_bar_and_an_empty_entry_validates_empty) {
    enter("Entrez le nb de personnes|", "", [] {
        EXPECT_EQ(pad().get<platform::label>("Label2")->caption(), "Entrez le nb de personnes");
        EXPECT_EQ(entry()->caption(), "");
        validate();
    });
    EXPECT_EQ(texte_message, "");
    EXPECT_EQ(ligne_travail, "");
    EXPECT_EQ(type_message, 129);  // neither read nor changed
}

TEST_F(keypad, clear_key_drops_the_last_character_and_leaves_the_entry_in_the_scratch_line) {
    enter("Couverts|65", "", [] {
        EXPECT_EQ(entry()->caption(), "65");
        tap_key("C");
        EXPECT_EQ(entry()->caption(), "6");
        tap_key("C");
        tap_key("C");  // on an empty entry: nothing
        EXPECT_EQ(entry()->caption(), "");
        tap_key("4");
        tap_key("C");
        tap_key("1");
        tap_key("2");
        validate();
    });
    EXPECT_EQ(texte_message, "12");
    EXPECT_EQ(ligne_travail, "");  // as it was after the last "C"
}

TEST_F(keypad, the_keypad_checks_nothing_and_the_bar_clears) {
    enter("Valeur", "#AUTRE", [] {
        tap_key(".");
        tap_key(".");
        tap_key("5");
        tap_key("0");
        EXPECT_EQ(entry()->caption(), "..50");
        for (int c = 1; c <= 4; ++c) scripted_user::tap_cell(bar(), 0, c);
        EXPECT_EQ(entry()->caption(), "..50");
        scripted_user::tap_cell(bar(), 0, 0);
        EXPECT_EQ(entry()->caption(), "");
        tap_key(".");
        tap_key(".");
        tap_key("5");
        validate();
    });
    EXPECT_EQ(texte_message, "..5");
    EXPECT_EQ(ligne_travail, "");
}

TEST_F(keypad, masked_entry_shows_stars_and_returns_the_digits) {
    enter(cp("Mot de passe d'accès aux outils|9"), "#CACHE", [] {
        EXPECT_FALSE(entry()->visible());
        EXPECT_TRUE(masked()->visible());
        EXPECT_EQ(masked()->caption(), "*");  // the initial entry is masked too
        tap_key("C");
        for (const char* k : {"1", "9", "0", "7"}) tap_key(k);
        EXPECT_EQ(masked()->caption(), "****");
        EXPECT_EQ(entry()->caption(), "1907");
        validate();
    });
    EXPECT_EQ(texte_message, "1907");
    EXPECT_EQ(ligne_travail, "");
}

TEST_F(keypad, font_size_mode_offers_sizes_that_replace_the_entry) {
    enter("Taille|20", "#SAISIZE", [] {
        const char* expected[4][3] = {
            {"14", "18", "24"}, {"28", "34", "38"}, {"44", "48", "54"}, {"58", "64", "68"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(keys()->text(r, c), expected[r][c]);
        tap_key("34");
        tap_key("44");
        EXPECT_EQ(entry()->caption(), "44");
        EXPECT_EQ(entry()->font_size(), 44);
        validate();
    });
    EXPECT_EQ(texte_message, "44");
    // The next showing without the option is a plain keypad again.
    enter("Valeur", "", [] {
        EXPECT_EQ(keys()->text(3, 0), "C");
        tap_key("3");
        tap_key("4");
        validate();
    });
    EXPECT_EQ(texte_message, "34");
}

TEST(keypad_cells, plain_layout_and_touch_rules) {
    EXPECT_EQ(pave::texte_cellule(false, 0, 0), "1");
    EXPECT_EQ(pave::texte_cellule(false, 2, 2), "9");
    EXPECT_EQ(pave::texte_cellule(false, 3, 1), "0");
    EXPECT_EQ(pave::texte_cellule(false, 4, 0), "");
    EXPECT_EQ(pave::apres_touche(false, "12", ""), "12");
    EXPECT_EQ(pave::apres_touche(true, "14", "68"), "68");
    EXPECT_EQ(pave::apres_touche(false, "", "C"), "");
    EXPECT_EQ(pave::masque("#1 "), "***");
}

TEST_F(keypad, key_colours_come_from_the_picture_by_row_and_column) {
    enter("Couleurs", "", [] {
        const auto* picture = pad().get<platform::picture>("Picture1");
        EXPECT_FALSE(picture->visible());
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(keys()->cell_back_color(r, c), picture->point(75.0 * r, 75.0 * c));
        // The artwork sets "C" and "." apart from the digits (0xBBGGRR).
        EXPECT_EQ(keys()->cell_back_color(3, 0), platform::rgb(0xFB, 0xCF, 0x9E));
        EXPECT_EQ(keys()->cell_back_color(3, 2), platform::rgb(0xF4, 0xEA, 0xB4));
        EXPECT_EQ(keys()->cell_back_color(0, 2), platform::rgb(0xCF, 0xE5, 0xF8));
        validate();
    });
}

TEST_F(keypad, layout_follows_the_configured_screen_and_record_51) {
    struct cas {
        int w, h;
        std::string record;
        double size;
        std::string record_after;
    };
    const cas table[] = {{800, 600, "", 28, "#I#28"}, {1024, 768, "#I#30.6", 31, "#I#30.6"}};
    for (const cas& c : table) {
        SCOPED_TRACE(c.w);
        largeur_ecran = static_cast<std::int16_t>(c.w);
        hauteur_ecran = static_cast<std::int16_t>(c.h);
        platform::find_form("Form1")->move(150, 0, c.w * 15, c.h * 15);
        parametres::ecrit(51, c.record);
        decalage_images = c.w == 800 ? 0 : 50;
        enter("Taille", "", [&] {
            const double R = (c.h * 15 - 2640) / 10.0;
            EXPECT_EQ(haut_zone, c.h * 15 - 2640);
            EXPECT_EQ(pad().left(), 150);
            EXPECT_EQ(pad().width(), c.w * 15);
            EXPECT_EQ(keys()->font_size(), c.size);
            EXPECT_EQ(entry()->font_size(), 0.75 * c.size);
            EXPECT_EQ(keys()->top(), 1800);
            EXPECT_NEAR(keys()->height(), 6 * R, 1e-9);
            EXPECT_EQ(keys()->row_height(3), txt::round_even(1.5 * R));
            EXPECT_NEAR(entry()->top(), 2000 + 6 * R, 1e-9);
            EXPECT_NEAR(entry()->width(), (c.w * 15 - 400) / 3.0 - 100, 1e-9);
            EXPECT_NEAR(entry()->left(), (c.w * 15 - entry()->width()) / 2, 1e-9);
            EXPECT_EQ(bar()->top() + bar()->height(), c.h * 15 - 500);
            // The bar's pictures follow the picture set; nothing overlaps.
            EXPECT_EQ(bar()->cell_picture(0, 0).cacheKey(), icc::bt_coul(19 + decalage_images).cacheKey());
            EXPECT_EQ(bar()->cell_picture(0, 5).cacheKey(), icc::bt_coul(24 + decalage_images).cacheKey());
            EXPECT_LT(entry()->top() + entry()->height(), bar()->top());
            EXPECT_LT(bar()->top() + bar()->height(), pad().get<platform::label>("label_bas")->top());
            validate();
        });
        EXPECT_EQ(txt::trim(parametres::lit(51)), c.record_after);
    }
}

TEST_F(keypad, bottom_bar_double_tap_asks_for_the_reset_and_no_keeps_the_keypad) {
    enter("Valeur|7", "", [] {
        scripted_user::expect("mini_97", [](form& box) {
            EXPECT_EQ(type_message, 4);
            scripted_user::tap(box.get<platform::picture_button>("btc", 3));
        });
        scripted_user::double_tap(pad().get<platform::label>("label_bas"));
        EXPECT_TRUE(pad().loaded());
        EXPECT_EQ(pad().get<platform::label>("label_bas")->caption(), cp("Saisie numérique"));
        tap_key("1");
        validate();
    });
    EXPECT_EQ(texte_message, "71");
}

}  // namespace

namespace {

// At a first start the screen-format chooser asks for the resolution before
// any format is recorded and before the main window has a size.
TEST_F(keypad, before_any_screen_format_the_keypad_covers_the_display_and_answers) {
    largeur_ecran = 0;
    hauteur_ecran = 0;
    platform::find_form("Form1")->move(0, 0, 0, 0);
    enter(cp("Entrez la résolution Horizontale ?|"), "", [] {
        EXPECT_GT(pad().width(), 0);
        EXPECT_GT(pad().height(), 0);
        tap_key("8");
        tap_key("0");
        tap_key("0");
        validate();
    });
    EXPECT_EQ(texte_message, "800");
}

}  // namespace
