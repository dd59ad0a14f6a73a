// The composed-menu dish chooser on a real window: courses, dishes into the
// line editor's complement grid, course paging, malformed texts, the exit.
#include <gtest/gtest.h>

#include "order/sai_menu.h"
#include "order/sel_arti.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "shared/icc.h"

namespace {

using scripted_user::tap_cell;
using wvtest::caption_of;
using wvtest::grid_of;

std::string cours(const std::string& titre, std::initializer_list<std::pair<int, const char*>> plats) {
    std::string s = titre + "\xB5";
    for (int i = 0; i < 16; ++i) {
        const char* nom = nullptr;
        for (const auto& [slot, n] : plats)
            if (slot == i) nom = n;
        s += nom ? std::string("2000100000014|") + nom + "\xA6" : std::string("|\xA6");
    }
    return s;
}

const std::string menu =
    "2000900000030  |DES:Menu D\xE9"
    "couverte|PVE:29.00|FA1:9|FA2:98|{{" +
    cours(
        "Entr\xE9"
        "es",
        {{0, "Salade"}, {1, "Terrine"}, {7, "Soupe"}}) +
    cours("Plats", {{0, "Magret"}, {9, "Bar"}}) + cours("", {}) + cours("Desserts", {}) +
    cours("Fromages", {}) + cours("Digestifs", {{0, "Armagnac"}}) + "}}";

bool coche(platform::grid* g, int r) {
    return g->cell_picture(r, 0).cacheKey() == icc::valid().cacheKey();
}

class sai_menu_test : public wvtest::order_screen_test {
  protected:
    wvtest::screen_double boite{"mini_97"};

    // The chooser opened on `texte`, brought back to its first course, then `a`.
    static void choisit(const std::string& texte, scripted_user::action a) {
        ligne_travail = texte;
        scripted_user::expect("sai_menu", [a](platform::form& f) {
            for (int i = 0; i < 6; ++i) tap_cell(grid_of(f, "g2"), 0, 0);
            a(f);
            f.unload();  // its own exits end the program
        });
        sai_menu::instance().show_modal();
    }
};

TEST_F(sai_menu_test, a_course_shows_its_dishes_slot_by_slot) {
    choisit(menu, [](platform::form& f) {
        EXPECT_EQ(caption_of(f, "Label1"),
                  "Menu D\xE9"
                  "couverte");
        EXPECT_EQ(caption_of(f, "Label2"),
                  "Entr\xE9"
                  "es");
        EXPECT_EQ(caption_of(f, "label_bas"), cp("Menu composé"));
        auto* gauche = grid_of(f, "g1", 0);
        auto* droite = grid_of(f, "g1", 1);
        EXPECT_EQ(gauche->text(0, 0), "Salade");
        EXPECT_EQ(gauche->text(1, 0), "Terrine");
        EXPECT_EQ(gauche->text(2, 0), "");
        EXPECT_EQ(gauche->text(7, 0), "Soupe");
        for (int r = 0; r < 8; ++r) EXPECT_EQ(droite->text(r, 0), "");
        tap_cell(grid_of(f, "g2"), 0, 1);
        EXPECT_EQ(caption_of(f, "Label2"), "Plats");
        EXPECT_EQ(droite->text(1, 0), "Bar");
        tap_cell(grid_of(f, "g2"), 0, 1);
        EXPECT_EQ(caption_of(f, "Label2"), "");  // an empty title
    });
}

TEST_F(sai_menu_test, courses_page_from_the_first_to_the_fifth) {
    choisit(menu, [](platform::form& f) {
        auto* barre = grid_of(f, "g2");
        EXPECT_EQ(caption_of(f, "Label2"),
                  "Entr\xE9"
                  "es");
        for (int i = 0; i < 8; ++i) tap_cell(barre, 0, 1);
        EXPECT_EQ(caption_of(f, "Label2"), "Fromages");  // the sixth course is never shown
        tap_cell(barre, 0, 0);
        EXPECT_EQ(caption_of(f, "Label2"), "Desserts");
    });
}

TEST_F(sai_menu_test, dishes_go_to_the_line_editor_complements_and_back) {
    ligne_travail = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";
    scripted_user::expect("sel_arti", [](platform::form& f) {
        sel_arti::instance().g1()->set_text(1, 0, "Pain");
        choisit(menu, [](platform::form& m) {
            auto* gauche = grid_of(m, "g1", 0);
            auto* complements = sel_arti::instance().g1();
            tap_cell(gauche, 1, 0);
            tap_cell(gauche, 7, 0);
            EXPECT_EQ(complements->text(2, 0), "Terrine");
            EXPECT_EQ(complements->text(3, 0), "Soupe");
            EXPECT_TRUE(coche(gauche, 1));
            tap_cell(gauche, 1, 0);
            EXPECT_EQ(complements->text(2, 0), "Soupe");
            EXPECT_EQ(complements->text(3, 0), "");
            EXPECT_FALSE(coche(gauche, 1));
            tap_cell(gauche, 3, 0);  // an empty dish adds nothing
            EXPECT_EQ(complements->text(3, 0), "");
            EXPECT_FALSE(coche(gauche, 3));
        });
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    sel_arti::instance().show_modal();
    EXPECT_EQ(ligne_travail,
              "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0| ##QUA:001.00##{Pain}{Soupe}");
}

TEST_F(sai_menu_test, a_malformed_text_opens_with_what_can_be_read) {
    for (const std::string& texte :
         {std::string(""), std::string("sans rien"), std::string("x|DES:Court|{{Plats"),
          std::string("x|DES:M|{{Plats\xB5"
                      "1|Bar\xA6"
                      "2|Sole"),
          std::string("x|DES:M|{{\xB5|\xA6|\xA6}}")}) {
        choisit(texte, [](platform::form& f) {
            tap_cell(grid_of(f, "g1", 0), 0, 0);  // without the editor beneath: nothing to write into
            tap_cell(grid_of(f, "g2"), 0, 1);
            tap_cell(grid_of(f, "g2"), 0, 0);
        });
    }
    choisit(
        "x|DES:M|{{Plats\xB5"
        "1|Bar\xA6"
        "2|Sole",
        [](platform::form& f) {
            EXPECT_EQ(caption_of(f, "Label1"), "M");
            EXPECT_EQ(caption_of(f, "Label2"), "Plats");
            EXPECT_EQ(grid_of(f, "g1", 0)->text(0, 0), "Bar");
            EXPECT_EQ(grid_of(f, "g1", 0)->text(1, 0), "");
        });
}

TEST_F(sai_menu_test, the_exit_cell_ends_the_program) {
    ligne_travail = menu;
    scripted_user::expect("sai_menu", [](platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 5); });
    EXPECT_EXIT(
        {
            sai_menu::instance().show_modal();
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();  // the expectation was used in the child only
}

}  // namespace
