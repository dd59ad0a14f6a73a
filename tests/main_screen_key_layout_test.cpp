// The pages of server, family and article keys, computed without a display:
// geometry on the default grid and on odd settings, codes, colours, captions
// and the function bar of full and empty pages.
#include <gtest/gtest.h>

#include "main_screen/key_layout.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

using ecran_touches::genre;

struct boite {
    double l, t, w, h;
    bool operator==(const boite&) const = default;
};
std::ostream& operator<<(std::ostream& o, const boite& b) {
    return o << "(" << b.l << "," << b.t << "," << b.w << "," << b.h << ")";
}

class key_layout : public wvtest::folder_test {
  protected:
    void SetUp() override {
        wvtest::folder_test::SetUp();
        std::string blank(40000, ' ');
        wvtest::write_bytes(work / "wfenzo42.wdo", blank);
        ASSERT_TRUE(parametres::fichier().open("wfenzo42.wdo"));
        ecran(800, 600);
        for (int i = 1; i <= 20; ++i) serveurs[static_cast<std::size_t>(i)] = "Serveur " + std::to_string(i);
        texte_ccou = "12748617390123456789" + std::string(20, ' ');
        for (int i = 0; i <= 20; ++i) familles[static_cast<std::size_t>(i)] = "Famille " + std::to_string(i);
        texte_ccof = "425103070012345678x9" + std::string(20, ' ');
    }
    void ecran(int w, int h, int colonnes = 6) {
        parametres::ecrit(
            2, "#I#0:" + std::string(w < 1000 ? "00" : "0") + std::to_string(w) + ":00" + std::to_string(h));
        parametres::ecrit(25, "#I#" + std::to_string(colonnes));
        Module1::lit_parametres();
    }
    ecran_touches::page page(genre g, long numero, long famille = 0) {
        return ecran_touches::calcule(g, ecran_touches::lit_reglages(g), numero, famille);
    }
    static boite de(const ecran_touches::touche& t) { return {t.left, t.top, t.width, t.height}; }
};

TEST_F(key_layout, default_server_page_is_three_keys_a_row_in_four_rows) {
    const auto p = page(genre::serveurs, 0);
    ASSERT_EQ(p.touches.size(), 10u);
    // 800 x 600: cells of 2000 x 1000 twips, keys of 2 x 2 cells.
    EXPECT_EQ(de(p.touches[0]), (boite{0, 500, 4000, 2000}));
    EXPECT_EQ(de(p.touches[2]), (boite{8000, 500, 4000, 2000}));
    EXPECT_EQ(de(p.touches[3]), (boite{0, 2500, 4000, 2000}));
    EXPECT_EQ(de(p.touches[8]), (boite{8000, 4500, 4000, 2000}));
    EXPECT_EQ(de(p.touches[9]), (boite{0, 6500, 4000, 2000}));
    for (int i = 1; i <= 10; ++i) {
        const auto& t = p.touches[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(t.index, i);
        EXPECT_EQ(t.code, "#SERV#" + std::string(i < 10 ? "0" : "") + std::to_string(i));
        EXPECT_EQ(t.libelle, "Serveur " + std::to_string(i));
    }
    EXPECT_EQ(p.touches[0].couleur, 1);
    EXPECT_EQ(p.touches[3].couleur, 4);
    EXPECT_EQ(p.haut, "Serveurs");
    EXPECT_EQ(p.bas, "Serveurs");
    EXPECT_EQ(p.images_barre, "18xxx:17xxx:00xxx:00xxx:00xxx:00xxx:");
    EXPECT_EQ(p.codes_barre, "#RETS#|#SUIS#|||||");
    // The screen's records got their defaults.
    EXPECT_EQ(parametres::lit(10), "#I#14               ");
    EXPECT_EQ(parametres::lit(11), "#I#2                ");
    EXPECT_EQ(parametres::lit(12), "#I#2                ");
    EXPECT_EQ(parametres::lit(13), "#I#10               ");
}

TEST_F(key_layout, server_pages_reuse_the_colours_of_their_positions_and_always_offer_the_next_page) {
    const auto p1 = page(genre::serveurs, 1);
    EXPECT_EQ(p1.touches[0].code, "#SERV#11");
    EXPECT_EQ(p1.touches[0].libelle, "Serveur 11");
    EXPECT_EQ(p1.touches[0].couleur, 1);
    EXPECT_EQ(p1.touches[9].libelle, "Serveur 20");
    const auto p2 = page(genre::serveurs, 2);
    EXPECT_EQ(p2.touches[0].code, "#SERV#21");
    EXPECT_EQ(p2.touches[0].libelle, "");
    EXPECT_TRUE(p2.vide);
    EXPECT_EQ(p2.codes_barre, "#RETS#|#SUIS#|||||");
}

TEST_F(key_layout, family_pages_number_from_zero_and_a_page_beyond_family_20_is_empty) {
    familles[20] = "  Caf\xE9s  ";
    const auto p0 = page(genre::familles, 0);
    EXPECT_EQ(p0.touches[0].code, "#FAMI#00");
    EXPECT_EQ(p0.touches[9].code, "#FAMI#09");
    EXPECT_EQ(p0.haut, "Familles");
    EXPECT_EQ(p0.codes_barre, "#RETF#|#SUIF#|||#FONC#NOTE|#MENU#|");

    const auto p2 = page(genre::familles, 2);
    EXPECT_EQ(p2.touches[0].code, "#FAMI#20");
    EXPECT_EQ(p2.touches[0].libelle, "Caf\xE9s");
    // No name exists above family 20: blank keys, still coloured.
    EXPECT_EQ(p2.touches[1].code, "#FAMI#21");
    EXPECT_EQ(p2.touches[1].libelle, "");
    EXPECT_EQ(p2.touches[1].couleur, 0);
    EXPECT_FALSE(p2.vide);
    EXPECT_EQ(p2.images_barre, "18xxx:17xxx:00xxx:00xxx:22xxx:24xxx:");

    const auto p3 = page(genre::familles, 3);
    EXPECT_TRUE(p3.vide);
    EXPECT_EQ(p3.images_barre, "18xxx:00xxx:00xxx:00xxx:22xxx:24xxx:");
    EXPECT_EQ(p3.codes_barre, "#RETF#||||#FONC#NOTE|#MENU#|");
}

TEST_F(key_layout, family_colour_and_caption) {
    familles[0] = "Desserts|COU:3";
    familles[1] = "Vins|COU:";
    familles[2] = " Menus ";
    const auto p = page(genre::familles, 0);
    EXPECT_EQ(p.touches[0].libelle, "Desserts");
    EXPECT_EQ(p.touches[0].couleur, 3);
    EXPECT_EQ(p.touches[1].libelle, "Vins");
    EXPECT_EQ(p.touches[1].couleur, 0);  // nothing after the marker
    EXPECT_EQ(p.touches[2].libelle, "Menus");
    EXPECT_EQ(p.touches[2].couleur, 5);  // character 3 of the family colours
    // Family 18 takes character 19, not a digit.
    const auto p1 = page(genre::familles, 1);
    EXPECT_EQ(p1.touches[8].code, "#FAMI#18");
    EXPECT_EQ(p1.touches[8].couleur, 0);
    EXPECT_EQ(p1.touches[9].couleur, 9);
}

TEST_F(key_layout, article_captions_codes_and_colours) {
    articles[4][1] = "000102000400000045  |DES:\x8Cuf cocotte|PVE:6.50|FA1:4|FA2:0|COU:2|";
    articles[4][2] = "000112000400000052  |PVE:11.00|FA1:4|FA2:0|";
    articles[4][3] = "   ";
    articles[4][4] = "#SG#0001       |DES:Vins en bouteille|PVE:0.00|FA1:8|FA2:0|COU:6|";
    const auto p = page(genre::articles, 0, 4);
    EXPECT_EQ(p.haut, "Articles ");
    EXPECT_EQ(p.bas, "Articles");
    EXPECT_EQ(p.touches[0].code, "#AJOU#" + articles[4][1]);
    EXPECT_EQ(p.touches[0].libelle, "\x8Cuf cocotte");
    EXPECT_EQ(p.touches[0].couleur, 2);
    // Without a designation the caption is the start of the touch code.
    EXPECT_EQ(p.touches[1].libelle, "#AJOU#000112000400000052  ");
    EXPECT_EQ(p.touches[1].couleur, 0);
    EXPECT_EQ(p.touches[2].code, "#AJOU#   ");
    EXPECT_EQ(p.touches[2].libelle, "");
    EXPECT_EQ(p.touches[3].libelle, "Vins en bouteille");
    EXPECT_EQ(p.touches[3].couleur, 6);
    EXPECT_EQ(p.touches[4].code, "#AJOU#");
    EXPECT_EQ(p.codes_barre, "#RETO#|#SUIT#|||#FONC#NOTE|#LFAM#|");

    const auto vide = page(genre::articles, 1, 4);
    EXPECT_TRUE(vide.vide);
    EXPECT_EQ(vide.images_barre, "18xxx:00xxx:00xxx:00xxx:22xxx:24xxx:");
    EXPECT_EQ(vide.codes_barre, "#RETO#||||#FONC#NOTE|#LFAM#|");
}

TEST_F(key_layout, article_keys_beyond_the_article_table_carry_no_code) {
    articles[120][300] = "000999212000000099  |DES:Dernier|PVE:1.00|FA1:120|FA2:0|";
    parametres::ecrit(8, "#I#10");
    const auto fin = page(genre::articles, 29, 120);
    EXPECT_EQ(fin.touches[9].libelle, "Dernier");
    const auto apres = page(genre::articles, 30, 120);
    EXPECT_EQ(apres.touches[0].code, "");
    EXPECT_EQ(apres.touches[0].libelle, "");
    for (long famille : {-1L, 121L, 999L}) {
        const auto p = page(genre::articles, 0, famille);
        EXPECT_EQ(p.touches[0].code, "") << famille;
        EXPECT_TRUE(p.vide);
    }
}

TEST_F(key_layout, keys_per_row_rounds_halves_to_even) {
    struct cas {
        long colonnes, largeur, attendu;
    };
    for (const cas c : {cas{6, 2, 3}, cas{6, 4, 2}, cas{5, 2, 2}, cas{7, 2, 4}, cas{6, 12, 0}, cas{6, 0, 0},
                        cas{6, -2, -3}, cas{1, 2, 0}})
        EXPECT_EQ(ecran_touches::touches_par_rangee(c.colonnes, c.largeur), c.attendu)
            << c.colonnes << " / " << c.largeur;
}

TEST_F(key_layout, wide_family_keys_share_a_row_and_run_past_the_edge) {
    parametres::ecrit(21, "#I#4");
    const auto p = page(genre::familles, 0);
    EXPECT_EQ(de(p.touches[0]), (boite{0, 500, 8000, 2000}));
    EXPECT_EQ(de(p.touches[1]), (boite{8000, 500, 8000, 2000}));
    EXPECT_EQ(de(p.touches[2]), (boite{0, 2500, 8000, 2000}));
}

TEST_F(key_layout, key_width_zero_puts_every_key_on_a_row_of_its_own) {
    parametres::ecrit(6, "#I#0");
    const auto p = page(genre::articles, 0, 0);
    ASSERT_EQ(p.touches.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(de(p.touches[i]), (boite{0, 500 + 2000.0 * i, 0, 2000})) << i;
}

TEST_F(key_layout, keys_per_page_of_zero_or_below_still_draws_one_key) {
    for (const char* r : {"#I#0", "#I#-3", "#I#"}) {
        parametres::ecrit(13, r);
        const auto p = page(genre::serveurs, 0);
        ASSERT_EQ(p.touches.size(), 1u) << r;
        EXPECT_EQ(p.touches[0].code, "#SERV#01");
    }
    // Page numbering keeps the value as read: page 3 of 0 keys a page starts at server 1.
    parametres::ecrit(13, "#I#0");
    EXPECT_EQ(page(genre::serveurs, 3).touches[0].code, "#SERV#01");
}

TEST_F(key_layout, a_page_never_holds_more_than_the_hundred_touch_codes) {
    parametres::ecrit(8, "#I#150");
    for (int k = 1; k <= 300; ++k)
        articles[2][static_cast<std::size_t>(k)] =
            "00000000000" + std::to_string(1000 + k) + "|DES:A" + std::to_string(k) + "|";
    const auto p0 = page(genre::articles, 0, 2);
    ASSERT_EQ(p0.touches.size(), 100u);
    EXPECT_EQ(p0.touches[99].index, 100);
    EXPECT_EQ(p0.touches[99].libelle, "A100");
    // The next page starts with the first article that could not be drawn,
    // so that every article of the family can be touched.
    const auto p1 = page(genre::articles, 1, 2);
    ASSERT_EQ(p1.touches.size(), 100u);
    EXPECT_EQ(p1.touches[0].libelle, "A101");
    EXPECT_EQ(p1.touches[99].libelle, "A200");
    EXPECT_EQ(p1.touches[0].code, "#AJOU#" + articles[2][101]);
    EXPECT_EQ(page(genre::articles, 2, 2).touches[99].libelle, "A300");
    EXPECT_TRUE(page(genre::articles, 3, 2).vide);
}

TEST_F(key_layout, characters_read_after_the_marker_differ_by_record) {
    parametres::ecrit(11, "#I#10");   // servers' width: first character
    parametres::ecrit(21, "#I#10");   // families' width: all of them
    parametres::ecrit(23, "#I#150");  // families per page: first two
    parametres::ecrit(12, "#I#3x");
    EXPECT_EQ(ecran_touches::lit_reglages(genre::serveurs).largeur, 1);
    EXPECT_EQ(ecran_touches::lit_reglages(genre::serveurs).hauteur, 3);
    EXPECT_EQ(ecran_touches::lit_reglages(genre::familles).largeur, 10);
    EXPECT_EQ(ecran_touches::lit_reglages(genre::familles).par_page, 15);
    parametres::ecrit(5, "#I#14.6");
    EXPECT_EQ(ecran_touches::lit_reglages(genre::articles).taille_police, 15);
    parametres::ecrit(20, "damaged");
    EXPECT_EQ(ecran_touches::lit_reglages(genre::familles).taille_police, 18);
    EXPECT_EQ(parametres::lit(20), "#I#18               ");
}

TEST_F(key_layout, settings_beyond_what_a_record_holds_are_their_defaults) {
    parametres::ecrit(5, "#I#1e19");
    parametres::ecrit(7, "#I#-1e19");
    parametres::ecrit(8, "#I#1e999");
    const auto r = ecran_touches::lit_reglages(genre::articles);
    EXPECT_EQ(r.taille_police, 14);
    EXPECT_EQ(r.hauteur, 2);
    EXPECT_EQ(r.par_page, 10);
    parametres::ecrit(10, "#I#27.6");
    EXPECT_EQ(ecran_touches::lit_reglages(genre::serveurs).taille_police, 28);
}

TEST_F(key_layout, positions_are_whole_twips_rounded_after_each_step) {
    ecran(1024, 768, 7);
    // Cells of 15360 / 7 = 2194.29 twips by (11520 - 1000) / 8 = 1315.
    const auto p = page(genre::serveurs, 0);
    EXPECT_DOUBLE_EQ(p.touches[0].width, static_cast<double>(larg_touche) * 2);
    EXPECT_EQ(p.touches[1].left, 4389);
    EXPECT_EQ(p.touches[2].left, 8778);
    EXPECT_EQ(p.touches[3].left, 13167);
    EXPECT_EQ(p.touches[4].left, 0);
    EXPECT_EQ(p.touches[4].top, 500 + 2630);
}

TEST_F(key_layout, absurd_settings_stay_bounded) {
    parametres::ecrit(21, "#I#99999999");
    parametres::ecrit(23, "#I#99");
    parametres::ecrit(20, "#I#99999");
    const auto r = ecran_touches::lit_reglages(genre::familles);
    EXPECT_LE(r.largeur, 100);
    EXPECT_LE(r.taille_police, 200);
    const auto p = page(genre::familles, 32767);
    EXPECT_EQ(p.touches.size(), 99u);
    EXPECT_TRUE(p.vide);
}

}  // namespace
