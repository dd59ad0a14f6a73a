// The table and covers dialog on a real window: keypad, covers, table list,
// the table-plan question and what validation stores.
#include <gtest/gtest.h>

#include "order/ch_numtab.h"
#include "order_fixture.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace {

using scripted_user::tap_cell;
using wvtest::caption_of;
using wvtest::grid_of;

class ch_numtab_test : public wvtest::order_screen_test {
  protected:
    wvtest::screen_double liste{"lis_tbb"}, pave{"clav_num"}, boite{"mini_97"};

    // Touches keypad cells by their text, then the covers cell, then validates.
    static void tape(platform::form& f, const std::string& touches) {
        for (char t : touches) {
            const int chiffre = t - '0';
            if (t == 'C')
                tap_cell(grid_of(f, "g3"), 3, 0);
            else if (chiffre == 0)
                tap_cell(grid_of(f, "g3"), 3, 1);
            else
                tap_cell(grid_of(f, "g3"), (chiffre - 1) / 3, (chiffre - 1) % 3);
        }
    }
    static void valide(platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 5); }
};

TEST_F(ch_numtab_test, typed_table_and_touched_covers_are_stored) {
    parametres::ecrit(ch_numtab::enreg_verification, "NON");
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tape(f, "12");
        EXPECT_EQ(caption_of(f, "Label5"), "12");
        tap_cell(grid_of(f, "g1"), 1, 0);  // 4 covers
        EXPECT_EQ(caption_of(f, "Label7"), "4");
        valide(f);
    });
    ch_numtab::instance().show_modal();
    EXPECT_EQ(table_couverts, "#N0124 ");
    // The font size record gets its default the first time it is read.
    EXPECT_EQ(parametres::lit(ch_numtab::enreg_taille), txt::pad("#I#28", 20));
}

TEST_F(ch_numtab_test, table_999_is_accepted_whatever_the_plan_and_the_check) {
    for (const char* verification : {"", "NON"}) {
        parametres::ecrit(ch_numtab::enreg_verification, verification);
        liste_tables = "xxx";
        scripted_user::expect("ch_numtab", [](platform::form& f) {
            tap_cell(grid_of(f, "g2"), 0, 3);
            EXPECT_EQ(caption_of(f, "Label5"), "999");
            EXPECT_EQ(caption_of(f, "Label7"), "1");
            valide(f);
        });
        ch_numtab::instance().show_modal();
        EXPECT_EQ(table_couverts, "#N9991 ");
    }
}

TEST_F(ch_numtab_test, unknown_table_is_questioned_and_yes_keeps_it_for_correction) {
    liste_tables = "xxx010|020|";
    std::string question;
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tape(f, "15");
        tap_cell(grid_of(f, "g1"), 0, 1);
        valide(f);  // answered Yes: still open
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(caption_of(f, "Label5"), "15");
        EXPECT_EQ(caption_of(f, "Label7"), "2");
        valide(f);  // answered No: stored as typed
    });
    scripted_user::expect("mini_97", [&](platform::form& f) {
        question = texte_message;
        EXPECT_EQ(type_message, 4);
        scripted_user::answer(6)(f);
    });
    scripted_user::expect("mini_97", scripted_user::answer(7));
    ch_numtab::instance().show_modal();
    EXPECT_EQ(question, cp("Le N° de table 15, est inconnu, voulez vous le corriger ?"));
    EXPECT_EQ(table_couverts, "#N0152 ");
}

TEST_F(ch_numtab_test, a_known_table_asks_nothing) {
    liste_tables = "xxx010|020|";
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tape(f, "20");
        tap_cell(grid_of(f, "g1"), 3, 1);  // 11 covers
        valide(f);
    });
    ch_numtab::instance().show_modal();
    EXPECT_EQ(table_couverts, "#N02011");
}

TEST_F(ch_numtab_test, a_fourth_digit_is_ignored_and_c_removes_the_last) {
    parametres::ecrit(ch_numtab::enreg_verification, "NON");
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tape(f, "C");
        EXPECT_EQ(caption_of(f, "Label5"), "");
        tape(f, "4567");
        EXPECT_EQ(caption_of(f, "Label5"), "456");
        tape(f, "C");
        EXPECT_EQ(caption_of(f, "Label5"), "45");
        tape(f, "CC0");
        EXPECT_EQ(caption_of(f, "Label5"), "0");
        tape(f, "C7");
        tap_cell(grid_of(f, "g1"), 3, 1);
        valide(f);
    });
    ch_numtab::instance().show_modal();
    EXPECT_EQ(table_couverts, "#N00711");
}

// A refused entry keeps the covers shown and says why at once, not at the
// send; an empty one is the waiter changing their mind.
TEST_F(ch_numtab_test, other_covers_are_taken_only_as_one_or_two_digits) {
    parametres::ecrit(ch_numtab::enreg_verification, "NON");
    struct {
        const char* saisie;
        const char* couverts;
        bool refusee;
    } cas[] = {{"12", "12", false}, {"7", "7", false},  {"123", "3", true},
               {"", "3", false},    {"1.5", "3", true}, {"abc", "3", true}};
    for (const auto& c : cas) {
        std::string affiches;
        scripted_user::expect("ch_numtab", [&](platform::form& f) {
            tape(f, "5");
            tap_cell(grid_of(f, "g1"), 0, 2);  // 3 covers first
            tap_cell(grid_of(f, "g1"), 3, 2);  // then "Autres"
            affiches = caption_of(f, "Label7");
            valide(f);
        });
        std::string invite;
        scripted_user::expect("clav_num", [&](platform::form& f) {
            invite = texte_message;
            scripted_user::answer(129, c.saisie)(f);
        });
        std::vector<std::pair<int, std::string>> messages;
        if (c.refusee)
            scripted_user::expect("mini_97", [&](platform::form& f) {
                messages.emplace_back(type_message, texte_message);
                scripted_user::answer(6)(f);
            });
        ch_numtab::instance().show_modal();
        EXPECT_EQ(scripted_user::pending(), 0) << c.saisie;
        EXPECT_EQ(invite, "Entrez le nb de personnes|");
        EXPECT_EQ(affiches, c.couverts) << c.saisie;
        EXPECT_EQ(table_couverts, "#N005" + txt::pad(c.couverts, 2)) << c.saisie;
        const std::vector<std::pair<int, std::string>> attendus =
            c.refusee
                ? std::vector<std::pair<int, std::string>>{{0, cp("Nombre de couverts refusé : ") + c.saisie +
                                                                   cp(", tapez 1 ou 2 chiffres !")}}
                : std::vector<std::pair<int, std::string>>{};
        EXPECT_EQ(messages, attendus) << c.saisie;
    }
}

TEST_F(ch_numtab_test, table_list_answer_goes_to_the_table_and_cancel_keeps_it) {
    parametres::ecrit(ch_numtab::enreg_verification, "NON");
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tape(f, "8");
        tap_cell(grid_of(f, "g3"), 3, 2);  // "Liste", cancelled
        EXPECT_EQ(caption_of(f, "Label5"), "8");
        tap_cell(grid_of(f, "g2"), 0, 2);  // the bar's list, cancelled
        EXPECT_EQ(caption_of(f, "Label5"), "8");
        tap_cell(grid_of(f, "g2"), 0, 2);  // the bar's list, 015 touched
        EXPECT_EQ(caption_of(f, "Label5"), "015");
        tap_cell(grid_of(f, "g1"), 0, 0);
        valide(f);
    });
    std::vector<std::string> requetes;
    for (const char* reponse : {"", "", "015"})
        scripted_user::expect("lis_tbb", [&requetes, reponse](platform::form& f) {
            requetes.push_back(texte_message);
            texte_message = reponse;
            f.unload();
        });
    ch_numtab::instance().show_modal();
    EXPECT_EQ(requetes, (std::vector<std::string>{"|", "|", "|"}));
    EXPECT_EQ(table_couverts, "#N0151 ");
}

TEST_F(ch_numtab_test, reopening_shows_the_stored_table_and_keeps_it) {
    table_couverts = "#N0124 ";
    liste_tables = "xxx012|";
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        EXPECT_EQ(caption_of(f, "Label5"), "012");
        EXPECT_EQ(caption_of(f, "Label7"), "4");
        valide(f);
    });
    ch_numtab::instance().show_modal();
    EXPECT_EQ(table_couverts, "#N0124 ");

    scripted_user::expect("ch_numtab", [](platform::form& f) {
        tap_cell(grid_of(f, "g2"), 0, 0);  // clear both
        EXPECT_EQ(caption_of(f, "Label5"), "");
        EXPECT_EQ(caption_of(f, "Label7"), "");
        valide(f);
    });
    scripted_user::expect("mini_97", scripted_user::answer(7));
    ch_numtab::instance().show_modal();
    EXPECT_EQ(table_couverts, "#N000  ");
}

TEST_F(ch_numtab_test, layout_follows_the_screen_and_the_font_setting) {
    parametres::ecrit(ch_numtab::enreg_taille, "#I#20");
    scripted_user::expect("ch_numtab", [](platform::form& f) {
        auto* pave = grid_of(f, "g3");
        auto* couverts = grid_of(f, "g1");
        const double h = (600 * 15 - 2640) / 10.0;
        EXPECT_EQ(haut_zone, 600 * 15 - 2640);
        EXPECT_DOUBLE_EQ(pave->top(), 600);
        EXPECT_DOUBLE_EQ(couverts->top(), 600 + 5 * h);
        EXPECT_DOUBLE_EQ(pave->width(), 12000 - 400);
        EXPECT_DOUBLE_EQ(pave->font_size(), 20);
        EXPECT_DOUBLE_EQ(f.get<platform::label>("Label5")->font_size(), 15);
        EXPECT_EQ(pave->text(3, 2), "Liste");
        EXPECT_EQ(couverts->text(3, 2), "Autres");
        // Shaded from near-white at the top left to light peach at the bottom right.
        EXPECT_EQ(pave->cell_back_color(0, 0), platform::rgb(0xFF, 0xFD, 0xFC));
        EXPECT_EQ(couverts->cell_back_color(3, 2), platform::rgb(0xFB, 0xDF, 0xCC));
        EXPECT_EQ(f.get<platform::label>("label_bas")->caption(), cp("N° de Table"));
        // The bar sits above the bottom bar, inside the screen.
        auto* barre = grid_of(f, "g2");
        EXPECT_DOUBLE_EQ(barre->top() + barre->height(), 600 * 15 - 500);
        EXPECT_LE(couverts->top() + couverts->height(), barre->top());
        tap_cell(barre, 0, 3);
        tap_cell(barre, 0, 5);
    });
    ch_numtab::instance().show_modal();
}

TEST_F(ch_numtab_test, the_font_setting_is_rounded_and_a_size_no_setting_holds_is_the_default) {
    const struct {
        const char* enreg;
        double taille;
    } cas[] = {{"#I#27.6", 28}, {"#I#1e19", 28}, {"#I#-1e19", 28}, {"#I#30.4", 30}};
    for (const auto& c : cas) {
        parametres::ecrit(ch_numtab::enreg_taille, c.enreg);
        const double attendu = c.taille;
        scripted_user::expect("ch_numtab", [attendu](platform::form& f) {
            EXPECT_DOUBLE_EQ(grid_of(f, "g3")->font_size(), attendu);
            EXPECT_DOUBLE_EQ(grid_of(f, "g1")->font_size(), attendu);
            EXPECT_DOUBLE_EQ(f.get<platform::label>("Label5")->font_size(), 0.75 * attendu);
            tap_cell(grid_of(f, "g2"), 0, 3);
            tap_cell(grid_of(f, "g2"), 0, 5);
        });
        ch_numtab::instance().show_modal();
    }
}

}  // namespace
