// The detail picker over the line editor: the lists of "w_styl72.wdo", ticks,
// adding and removing complements straight in the editor's grid, paging.
#include <gtest/gtest.h>

#include "order/sai_detail.h"
#include "order/sel_arti.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/icc.h"
#include "shared/record_files.h"

namespace {

using scripted_user::tap_cell;
using wvtest::caption_of;
using wvtest::grid_of;

const std::string entrecote = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";

bool coche(platform::grid* g, int j) {
    return g->cell_picture(j, 0).cacheKey() == icc::valid().cacheKey();
}
platform::grid* complements() {
    return sel_arti::instance().g1();
}

class sai_detail_test : public wvtest::order_screen_test {
  protected:
    // A received detail file, tagged, with records 1 to 22 only: record 22
    // holds `x`.
    static void fichier_recu(const styles::detail& x) {
        auto& fichier = styles::fichier();
        ASSERT_TRUE(fichier.open(styles::nom_fichier));
        styles::detail tete;
        tete.tag = "#INIT#12-09-202";
        fichier.write(1, styles::encode(tete));
        fichier.write(22, styles::encode(x));
        fichier.close();
    }
    // The editor on `ligne`, its detail cell `cellule` touched, `a` on the
    // picker, then the line validated: what the editor hands back.
    static std::string par_le_picker(const std::string& ligne, int cellule, scripted_user::action a) {
        ligne_travail = ligne;
        scripted_user::expect("sel_arti", [cellule](platform::form& f) {
            tap_cell(grid_of(f, "g2"), 0, cellule);
            tap_cell(grid_of(f, "g2"), 0, 5);
        });
        scripted_user::expect("sai_detail", std::move(a));
        sel_arti::instance().show_modal();
        return ligne_travail;
    }
    static void ferme(platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 5); }
};

TEST_F(sai_detail_test, a_new_file_shows_the_default_lists_page_by_page) {
    par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        auto* droite = grid_of(f, "g1", 1);
        EXPECT_EQ(gauche->text(0, 0), "Viandes");
        EXPECT_EQ(gauche->text(1, 0), "Saignante");
        EXPECT_EQ(gauche->text(3, 0), "A point");
        EXPECT_EQ(gauche->text(4, 0), "");
        EXPECT_EQ(gauche->text(8, 0), "Sauces");
        EXPECT_EQ(gauche->text(9, 0), cp("Béarnaise"));
        EXPECT_EQ(droite->text(0, 0), "Garnitures");
        EXPECT_EQ(droite->text(5, 0), "Salade");
        // Each detail in its own colours.
        EXPECT_EQ(gauche->cell_back_color(0, 0), 419837);
        EXPECT_EQ(gauche->cell_back_color(1, 0), 16777215);
        EXPECT_EQ(caption_of(f, "label_bas"), cp("Saisie d'un détail"));
        ferme(f);
    });
    EXPECT_EQ(page_detail, 0);
    par_le_picker(entrecote, 2, [](platform::form& f) {
        EXPECT_EQ(page_detail, 2);
        for (int j = 0; j < 15; ++j) EXPECT_EQ(grid_of(f, "g1", 0)->text(j, 0), "");
        EXPECT_EQ(grid_of(f, "g1", 1)->text(0, 0), "Menus");
        EXPECT_EQ(grid_of(f, "g1", 1)->text(5, 0), "");
        ferme(f);
    });
}

TEST_F(sai_detail_test, a_touch_adds_below_the_complements_and_a_second_removes_it) {
    const std::string l = par_le_picker(
        entrecote + " ##QUA:001.00##{Saignante}{" + cp("Purée") + "}", 1, [](platform::form& f) {
            auto* droite = grid_of(f, "g1", 1);
            EXPECT_FALSE(coche(droite, 1));
            tap_cell(droite, 1, 0);  // Frites
            EXPECT_EQ(complements()->text(3, 0), "Frites");
            EXPECT_TRUE(coche(droite, 1));
            EXPECT_TRUE(coche(grid_of(f, "g1", 0), 1));  // Saignante was there already
            tap_cell(grid_of(f, "g1", 0), 1, 0);         // Saignante off: the rows below move up
            EXPECT_EQ(complements()->text(1, 0), cp("Purée"));
            EXPECT_EQ(complements()->text(2, 0), "Frites");
            EXPECT_EQ(complements()->text(3, 0), "");
            EXPECT_FALSE(coche(grid_of(f, "g1", 0), 1));
            tap_cell(grid_of(f, "g1", 0), 9, 0);  // Béarnaise
            ferme(f);
        });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{" + cp("Purée") + "}{Frites}{" + cp("Béarnaise") + "}");
}

TEST_F(sai_detail_test, ticks_follow_exact_matches_after_every_touch) {
    const std::string l = par_le_picker(entrecote + " ##QUA:001.00##{ Frites }{Pommes Frites}{Frites}", 1,
                                        [](platform::form& f) {
                                            auto* droite = grid_of(f, "g1", 1);
                                            EXPECT_TRUE(coche(droite, 1));
                                            // The typed " Frites " goes first; the second stays ticked.
                                            tap_cell(droite, 1, 0);
                                            EXPECT_EQ(complements()->text(1, 0), "Pommes Frites");
                                            EXPECT_EQ(complements()->text(2, 0), "Frites");
                                            EXPECT_TRUE(coche(droite, 1));
                                            tap_cell(droite, 1, 0);
                                            EXPECT_FALSE(coche(droite, 1));  // "Pommes Frites" is not Frites
                                            ferme(f);
                                        });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{Pommes Frites}");
}

TEST_F(sai_detail_test, headers_are_details_and_an_empty_cell_only_closes_a_gap) {
    const std::string l = par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        complements()->set_text(1, 0, "A");
        complements()->set_text(3, 0, "B");
        tap_cell(gauche, 5, 0);  // empty: removes the blank row 2
        EXPECT_EQ(complements()->text(2, 0), "B");
        EXPECT_FALSE(coche(gauche, 5));
        tap_cell(gauche, 0, 0);  // "Viandes"
        EXPECT_TRUE(coche(gauche, 0));
        ferme(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{A}{B}{Viandes}");
}

TEST_F(sai_detail_test, a_detail_is_added_as_the_line_will_carry_it) {
    // Details are typed by the staff on the key-programming screen: a "|" or
    // a mark of a menu's component list in one is dropped as in a typed
    // complement, and the tick and the second touch still find it.
    styles::detail x;
    x.label = "Sauce|poivre\xD0";
    fichier_recu(x);
    const std::string l = par_le_picker(entrecote + " ##QUA:001.00##{Saucepoivre}", 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        EXPECT_TRUE(coche(gauche, 2));
        tap_cell(gauche, 2, 0);
        EXPECT_EQ(complements()->text(1, 0), "");
        EXPECT_FALSE(coche(gauche, 2));
        tap_cell(gauche, 2, 0);
        EXPECT_EQ(complements()->text(1, 0), "Saucepoivre");
        EXPECT_TRUE(coche(gauche, 2));
        ferme(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{Saucepoivre}");
}

TEST_F(sai_detail_test, paging_stays_within_the_ten_pages) {
    par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* barre = grid_of(f, "g2");
        tap_cell(barre, 0, 0);
        EXPECT_EQ(page_detail, 0);
        tap_cell(barre, 0, 1);
        EXPECT_EQ(page_detail, 2);
        EXPECT_EQ(grid_of(f, "g1", 1)->text(0, 0), "Menus");
        for (int i = 0; i < 12; ++i) tap_cell(barre, 0, 1);
        EXPECT_EQ(page_detail, 18);
        ferme(f);
    });
    EXPECT_EQ(page_detail, 18);  // the last page shown stays
}

TEST_F(sai_detail_test, a_full_list_takes_nothing_more) {
    std::string ligne = entrecote + " ##QUA:001.00##";
    for (int i = 1; i <= 300; ++i) ligne += "{C" + std::to_string(i) + "}";
    const std::string l = par_le_picker(ligne, 1, [](platform::form& f) {
        tap_cell(grid_of(f, "g1", 1), 1, 0);
        EXPECT_FALSE(coche(grid_of(f, "g1", 1), 1));
        ferme(f);
    });
    EXPECT_EQ(l, ligne);
}

TEST_F(sai_detail_test, records_past_the_end_of_a_short_file_are_blank) {
    styles::detail x;
    x.label = "Bleu";
    x.fond = 0x00FFFF;
    fichier_recu(x);
    par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        EXPECT_EQ(gauche->text(2, 0), "Bleu");
        EXPECT_EQ(gauche->cell_back_color(2, 0), 0x00FFFF);
        for (int j = 3; j < 15; ++j) {
            EXPECT_EQ(gauche->text(j, 0), "");
            EXPECT_EQ(gauche->cell_back_color(j, 0), 16777215) << j;
        }
        EXPECT_EQ(grid_of(f, "g1", 1)->cell_back_color(0, 0), 16777215);
        ferme(f);
    });
    EXPECT_EQ(styles::fichier().length(), 22 * 128);  // received files are not rebuilt
}

TEST_F(sai_detail_test, grids_fill_their_height_with_fifteen_rows) {
    parametres::ecrit(sai_detail::enreg_taille, "#I#14");
    par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        auto* droite = grid_of(f, "g1", 1);
        EXPECT_DOUBLE_EQ(gauche->font_size(), 14);
        EXPECT_DOUBLE_EQ(gauche->height(), 15 * gauche->row_height(0));
        EXPECT_DOUBLE_EQ(droite->left(), (f.width() - 600) / 2 + 400);
        EXPECT_FALSE(gauche->cell_rect(14, 0).isEmpty());
        EXPECT_LE(gauche->cell_rect(14, 0).bottom(), gauche->widget()->height());
        ferme(f);
    });
    // The size is rounded to the nearest whole number, not cut.
    parametres::ecrit(sai_detail::enreg_taille, "#I#27.6");
    par_le_picker(entrecote, 1, [](platform::form& f) {
        EXPECT_DOUBLE_EQ(grid_of(f, "g1", 0)->font_size(), 28);
        ferme(f);
    });
    // However large the font, the lists stay above the paging bar.
    parametres::ecrit(sai_detail::enreg_taille, "#I#48");
    par_le_picker(entrecote, 1, [](platform::form& f) {
        auto* gauche = grid_of(f, "g1", 0);
        EXPECT_LE(gauche->top() + gauche->height(), grid_of(f, "g2")->top());
        EXPECT_DOUBLE_EQ(gauche->height(), 15 * gauche->row_height(0));
        ferme(f);
    });
}

}  // namespace
