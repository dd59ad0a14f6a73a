// The key-picture chooser: the picture field without a display, then the
// chooser on a real window with its rows, tick and buttons touched.
#include <gtest/gtest.h>

#include <set>

#include "configuration/lis_bout.h"
#include "configuration/picture_field.h"
#include "order_fixture.h"
#include "platform/text.h"
#include "shared/icc.h"

namespace {

using scripted_user::tap;
using scripted_user::tap_cell;
using wvtest::grid_of;

TEST(picture_field, rows_stand_for_picture_numbers_and_stop_at_the_list_end) {
    // A store numbered 0 to 28, 30, 32, 60 to 78, 80 and 82: 52 pictures.
    std::set<int> magasin;
    for (int n = 0; n <= 28; ++n) magasin.insert(n);
    for (int n : {30, 32, 80, 82}) magasin.insert(n);
    for (int n = 60; n <= 78; ++n) magasin.insert(n);
    ASSERT_EQ(magasin.size(), 52u);
    const auto rangs = champ_image::rangs_avec_image(static_cast<int>(magasin.size()),
                                                     [&](int n) { return magasin.count(n) > 0; });
    ASSERT_EQ(rangs.size(), 51u);
    for (int r = 0; r < 51; ++r) EXPECT_EQ(rangs[r], r <= 28 || r == 30 || r == 32) << r;
    // A store of fewer pictures than rows offers only as many rows.
    const auto peu = champ_image::rangs_avec_image(3, [](int) { return true; });
    EXPECT_TRUE(peu[2]);
    EXPECT_FALSE(peu[3]);
}

TEST(picture_field, fields_in_and_out) {
    struct cas {
        std::string entree, numero;
        int rang;
        bool naturelle;
    };
    for (const cas& c :
         {cas{"012N", "012", 12, true}, cas{"005 ", "005", 5, false}, cas{"", "", 0, false},
          cas{"    ", "   ", 0, false}, cas{"7", "7", 7, false}, cas{"075n", "075", 75, false}}) {
        EXPECT_EQ(champ_image::numero(c.entree), c.numero) << c.entree;
        EXPECT_EQ(champ_image::rang(champ_image::numero(c.entree)), c.rang) << c.entree;
        EXPECT_EQ(champ_image::taille_naturelle(c.entree), c.naturelle) << c.entree;
    }
    EXPECT_EQ(champ_image::champ("012", true), "012N");
    EXPECT_EQ(champ_image::champ("007", false), "007 ");
    EXPECT_EQ(champ_image::champ("", true), " ");
    EXPECT_EQ(champ_image::champ("", false), " ");
    EXPECT_EQ(champ_image::champ("   ", false), "    ");
    EXPECT_EQ(champ_image::champ("   ", true), "   N");
    EXPECT_EQ(champ_image::champ_annule(), "    ");
}

class lis_bout_test : public wvtest::order_screen_test {
  protected:
    // Opens the chooser on a field and returns what it gives back.
    std::string choisit(const std::string& champ, std::function<void(platform::form&)> actions) {
        ligne_travail = champ;
        scripted_user::expect("lis_bout", std::move(actions));
        lis_bout::instance().show_modal();
        return ligne_travail;
    }
};

bool coche(platform::form& f) {
    return f.get<platform::picture>("oui", 0)->pixmap().toImage() == icc::oui(1).toImage();
}

TEST_F(lis_bout_test, a_field_comes_back_unchanged_when_validated_as_it_came) {
    EXPECT_EQ(choisit("012N",
                      [](platform::form& f) {
                          auto* g = grid_of(f, "g3");
                          EXPECT_EQ(wvtest::caption_of(f, "Label2"), "012");
                          EXPECT_EQ(g->cell_back_color(12, 0), lis_bout::orange);
                          EXPECT_FALSE(g->cell_rect(12, 0).isEmpty());
                          EXPECT_TRUE(coche(f));
                          tap(f.find("bt_valide"));
                      }),
              "012N");
}

TEST_F(lis_bout_test, a_touched_row_and_tick_give_the_new_field) {
    EXPECT_EQ(choisit("005 ",
                      [](platform::form& f) {
                          auto* g = grid_of(f, "g3");
                          EXPECT_FALSE(coche(f));
                          tap_cell(g, 7, 0);
                          EXPECT_EQ(wvtest::caption_of(f, "Label2"), "007");
                          EXPECT_EQ(g->cell_back_color(5, 0), lis_bout::blanc);
                          EXPECT_EQ(g->cell_back_color(7, 0), lis_bout::orange);
                          tap(f.find("oui", 0));
                          EXPECT_TRUE(coche(f));
                          tap(f.find("oui", 0));
                          EXPECT_FALSE(coche(f));
                          tap(f.find("oui", 0));
                          tap(f.find("bt_valide"));
                      }),
              "007N");
}

TEST_F(lis_bout_test, cancel_gives_four_blanks_whatever_was_chosen) {
    EXPECT_EQ(choisit("012N",
                      [](platform::form& f) {
                          tap_cell(grid_of(f, "g3"), 14, 0);
                          tap(f.find("oui", 0));
                          tap(f.find("bt_no"));
                      }),
              "    ");
    EXPECT_EQ(choisit("012N", [](platform::form& f) { f.window()->close(); }), "    ");
}

TEST_F(lis_bout_test, empty_and_blank_fields) {
    EXPECT_EQ(choisit("",
                      [](platform::form& f) {
                          EXPECT_EQ(wvtest::caption_of(f, "Label2"), "");
                          EXPECT_EQ(grid_of(f, "g3")->cell_back_color(0, 0), lis_bout::orange);
                          tap(f.find("bt_valide"));
                      }),
              " ");
    EXPECT_EQ(choisit("    ",
                      [](platform::form& f) {
                          EXPECT_EQ(grid_of(f, "g3")->cell_back_color(0, 0), lis_bout::orange);
                          tap(f.find("bt_valide"));
                      }),
              "    ");
    EXPECT_EQ(choisit("    ",
                      [](platform::form& f) {
                          tap(f.find("oui", 0));
                          tap(f.find("bt_valide"));
                      }),
              "   N");
}

TEST_F(lis_bout_test, each_row_shows_its_own_picture_at_its_height) {
    choisit("075 ", [](platform::form& f) {
        auto* g = grid_of(f, "g3");
        ASSERT_EQ(g->rows(), 51);
        EXPECT_EQ(g->col_width(0), g->width() - 280);
        for (int r = 0; r < 51; ++r) {
            const bool a_une_image = icc::has_bt_coul(r);
            EXPECT_EQ(!g->cell_picture(r, 0).isNull(), a_une_image) << r;
            if (a_une_image) {
                EXPECT_TRUE(g->cell_picture(r, 0).toImage() == icc::bt_coul(r).toImage()) << r;
                EXPECT_EQ(g->row_height(r), platform::to_twips(icc::bt_coul(r).height())) << r;
            }
        }
        // A number beyond the list: nothing is highlighted, and it comes back as it was.
        for (int r = 0; r < 51; ++r) EXPECT_NE(g->cell_back_color(r, 0), lis_bout::orange) << r;
        tap(f.find("bt_valide"));
    });
    EXPECT_EQ(ligne_travail, "075 ");
}

}  // namespace
