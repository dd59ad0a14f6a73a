// A page of programmed keys read from the key-programming file, without a
// display: which records, where each key goes, what it shows.
#include <gtest/gtest.h>

#include "main_screen/programmed_keys.h"
#include "shared/globals.h"
#include "shared/record_files.h"
#include "support/fixtures.h"

namespace {

class programmed_keys : public wvtest::folder_test {
  protected:
    void SetUp() override {
        wvtest::folder_test::SetUp();
        w_velmo_2::ouvre_programmation();
        nb_colonnes_touches = 6;
        nb_rangees_touches = 8;
        larg_touche = 2000;
        haut_touche = 1000;
    }
    void pose(long n, programmation::touche t) {
        programmation::fichier().write(n, programmation::encode(t));
    }
};

TEST_F(programmed_keys, default_grid_draws_records_1_to_48_of_the_page_row_by_row) {
    programmation::touche t;
    t.libelle = "Caf\xE9";
    t.lh = "11";
    t.visu = "1";
    t.acte = "  #AJOU#000012000000000015  ";
    pose(301, t);
    t.libelle = "Dernier";
    pose(348, t);
    t.libelle = "Hors grille";
    pose(349, t);

    const auto touches = page_programmee::calcule(3);
    ASSERT_EQ(touches.size(), 48u);
    EXPECT_EQ(touches[0].libelle, "Caf\xE9");
    EXPECT_EQ(touches[0].code, "#AJOU#000012000000000015");
    EXPECT_TRUE(touches[0].visible);
    EXPECT_EQ(touches[0].left, 0);
    EXPECT_EQ(touches[0].top, 500);
    EXPECT_EQ(touches[0].width, 2000);
    EXPECT_EQ(touches[0].height, 1000);
    EXPECT_EQ(touches[47].libelle, "Dernier");
    EXPECT_EQ(touches[47].left, 10000);
    EXPECT_EQ(touches[47].top, 7500);
    // A blank record: a hidden key without a code.
    EXPECT_FALSE(touches[1].visible);
    EXPECT_EQ(touches[1].code, "");
    EXPECT_EQ(touches[1].taille_police, 12);
}

TEST_F(programmed_keys, span_picture_font_colour_and_catalogue_names) {
    serveurs[7] = "Antoine";
    familles[3] = "Poissons";
    programmation::touche t;
    t.libelle = "#SERV#07";
    t.lh = "23";
    t.grap = "012N";
    t.visu = "1";
    t.size = "20";
    t.coul = "255";
    pose(2, t);
    t.libelle = "#FAMI#03";
    t.grap = "5";
    pose(3, t);
    t.libelle = "#FAMI#25";
    pose(4, t);

    const auto touches = page_programmee::calcule(0);
    EXPECT_EQ(touches[1].libelle, "Antoine");
    EXPECT_EQ(touches[1].left, 2000);
    EXPECT_EQ(touches[1].width, 4000);
    EXPECT_EQ(touches[1].height, 3000);
    EXPECT_EQ(touches[1].image, 12);
    EXPECT_TRUE(touches[1].taille_naturelle);
    EXPECT_EQ(touches[1].taille_police, 20);
    EXPECT_EQ(touches[1].couleur, 255);
    EXPECT_EQ(touches[2].libelle, "Poissons");
    EXPECT_EQ(touches[2].image, 5);
    EXPECT_FALSE(touches[2].taille_naturelle);
    // Each key moves one cell on, whatever its neighbour spans.
    EXPECT_EQ(touches[2].left, 4000);
    EXPECT_EQ(touches[3].libelle, "");
}

TEST_F(programmed_keys, no_more_keys_than_a_page_has_key_records) {
    nb_colonnes_touches = 12;
    nb_rangees_touches = 12;
    const auto touches = page_programmee::calcule(0);
    ASSERT_EQ(touches.size(), 95u);
    EXPECT_EQ(touches.back().index, 95);
    EXPECT_EQ(touches.back().left, 10 * 2000);
    EXPECT_EQ(touches.back().top, 500 + 7 * 1000);
}

TEST_F(programmed_keys, natural_size_picture_is_centred_in_a_larger_span_and_cut_to_a_smaller_one) {
    const auto centre = page_programmee::place_naturelle(1000, 4000, 960);
    EXPECT_EQ(centre.debut, 1000 + (4000 - 960) / 2.0);
    EXPECT_EQ(centre.longueur, 960);
    const auto coupe = page_programmee::place_naturelle(1000, 500, 960);
    EXPECT_EQ(coupe.debut, 1000);
    EXPECT_EQ(coupe.longueur, 500);
}

}  // namespace
