// The table list on a real window: the plan laid out row by row, paging,
// cancel, and the settings that shape the grid.
#include <gtest/gtest.h>

#include "order/lis_tbb.h"
#include "order_fixture.h"
#include "platform/text.h"

namespace {

using scripted_user::tap_cell;
using wvtest::grid_of;

class lis_tbb_test : public wvtest::order_screen_test {
  protected:
    std::string ouvre(std::function<void(platform::form&)> action) {
        texte_message = "|";
        scripted_user::expect("lis_tbb", std::move(action));
        lis_tbb::instance().show_modal();
        return texte_message;
    }
};

std::string plan_de(int n) {
    std::string plan = "xxx";
    for (int i = 1; i <= n; ++i) plan += txt::format(i, "000") + "|";
    return plan;
}

TEST_F(lis_tbb_test, tables_fill_rows_left_to_right_and_a_touch_returns_one) {
    liste_tables = plan_de(5);
    const std::string choisie = ouvre([](platform::form& f) {
        auto* g = grid_of(f, "g3");
        EXPECT_EQ(g->text(0, 0), "001");
        EXPECT_EQ(g->text(0, 2), "003");
        EXPECT_EQ(g->text(1, 0), "004");
        EXPECT_EQ(g->text(1, 1), "005");
        EXPECT_EQ(g->text(1, 2), "");
        tap_cell(g, 1, 2);  // empty: nothing
        tap_cell(g, 5, 0);
        EXPECT_TRUE(f.loaded());
        tap_cell(g, 1, 1);
    });
    EXPECT_EQ(choisie, "005");
    // The defaults of the three records are written back on first reading.
    EXPECT_EQ(parametres::lit(lis_tbb::enreg_taille), txt::pad("#I#36", 20));
    EXPECT_EQ(parametres::lit(lis_tbb::enreg_colonnes), txt::pad("#I#3", 20));
    EXPECT_EQ(parametres::lit(lis_tbb::enreg_lignes), txt::pad("#I#8", 20));
    EXPECT_EQ(nb_col_tables, 3);
    EXPECT_EQ(nb_lig_tables, 8);
}

TEST_F(lis_tbb_test, cancel_returns_nothing_even_from_an_empty_plan) {
    liste_tables = "xxx";
    EXPECT_EQ(ouvre([](platform::form& f) {
                  EXPECT_EQ(grid_of(f, "g3")->text(0, 0), "");
                  tap_cell(grid_of(f, "g2"), 0, 5);
              }),
              "");
}

TEST_F(lis_tbb_test, paging_moves_by_the_rows_of_a_page) {
    liste_tables = plan_de(60);
    ouvre([](platform::form& f) {
        auto* g = grid_of(f, "g3");
        auto* barre = grid_of(f, "g2");
        // Exactly eight rows fill the grid.
        EXPECT_LT(g->cell_rect(7, 0).bottom(), g->widget()->height());
        EXPECT_GT(g->cell_rect(8, 0).bottom(), g->widget()->height());
        EXPECT_EQ(g->top_row(), 0);
        tap_cell(barre, 0, 0);
        EXPECT_EQ(g->top_row(), 8);
        tap_cell(g, 8, 0);  // the first table of the second page
    });
    EXPECT_EQ(texte_message, "025");

    ouvre([](platform::form& f) {
        auto* g = grid_of(f, "g3");
        auto* barre = grid_of(f, "g2");
        for (int i = 0; i < 20; ++i) tap_cell(barre, 0, 0);
        EXPECT_EQ(g->top_row(), 96);  // stops once the first row is 93 or more
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), 88);
        g->set_top_row(8);
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), 0);
        g->set_top_row(3);
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), 0);
        tap_cell(barre, 0, 5);
    });
}

TEST_F(lis_tbb_test, column_setting_shapes_the_grid_and_bad_counts_fall_back) {
    liste_tables = plan_de(9);
    parametres::ecrit(lis_tbb::enreg_colonnes, "#I#4");
    ouvre([](platform::form& f) {
        auto* g = grid_of(f, "g3");
        EXPECT_EQ(g->cols(), 4);
        EXPECT_DOUBLE_EQ(g->col_width(0), std::floor(g->width() / 4));
        EXPECT_EQ(g->text(0, 3), "004");
        EXPECT_EQ(g->text(1, 0), "005");
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    for (const char* mauvais : {"#I#0", "#I#-2"}) {
        parametres::ecrit(lis_tbb::enreg_colonnes, mauvais);
        parametres::ecrit(lis_tbb::enreg_lignes, mauvais);
        ouvre([](platform::form& f) {
            auto* g = grid_of(f, "g3");
            EXPECT_EQ(g->cols(), 3);
            EXPECT_EQ(g->text(2, 2), "009");
            tap_cell(grid_of(f, "g2"), 0, 0);
            EXPECT_EQ(g->top_row(), 8);
            tap_cell(grid_of(f, "g2"), 0, 5);
        });
        EXPECT_EQ(nb_col_tables, 3);
        EXPECT_EQ(nb_lig_tables, 8);
    }
}

TEST_F(lis_tbb_test, a_font_size_the_16_bit_setting_cannot_hold_is_the_default) {
    liste_tables = plan_de(3);
    const struct {
        const char* enreg;
        double taille;
    } cas[] = {{"#I#24.5", 24}, {"#I#40000", 36}, {"#I#-40000", 36}, {"#I#1e19", 36}};
    for (const auto& c : cas) {
        parametres::ecrit(lis_tbb::enreg_taille, c.enreg);
        const double attendu = c.taille;
        ouvre([attendu](platform::form& f) {
            EXPECT_DOUBLE_EQ(grid_of(f, "g3")->font_size(), attendu);
            tap_cell(grid_of(f, "g2"), 0, 5);
        });
    }
}

TEST_F(lis_tbb_test, a_plan_larger_than_the_grid_is_shown_whole) {
    liste_tables = plan_de(400);
    const std::string choisie = ouvre([](platform::form& f) {
        auto* g = grid_of(f, "g3");
        EXPECT_EQ(g->rows(), 134);
        EXPECT_EQ(g->text(133, 0), "400");
        auto* barre = grid_of(f, "g2");
        for (int i = 0; i < 20; ++i) tap_cell(barre, 0, 0);
        tap_cell(g, 133, 0);
    });
    EXPECT_EQ(choisie, "400");
}

}  // namespace
