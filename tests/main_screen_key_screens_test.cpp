// The key screens and the home view as drawn on the real main screen: key
// pictures and captions, the function bar, the home view's geometry, the
// removal of keys, and the programmed-key page.
#include "main_screen/order_queue.h"
#include "main_screen_fixture.h"
#include "platform/cp1252.h"
#include "shared/record_files.h"
#include "shared/settings_file.h"

namespace {

namespace fs = std::filesystem;
using wvtest::write_bytes;

class key_screens : public wvtest::main_screen_test {};

struct taille {
    int largeur, hauteur;
};

class key_screens_sizes : public key_screens, public ::testing::WithParamInterface<taille> {};

TEST_P(key_screens_sizes, server_keys_are_coloured_pictures_under_inset_captions) {
    copy_demo_to_network();
    tablette(GetParam().largeur, GetParam().hauteur);
    demarre();
    const double cw = GetParam().largeur * 15.0 / 6, ch = (GetParam().hauteur * 15.0 - 1000) / 8;
    EXPECT_EQ(touches_chargees(), 10);
    for (int i = 1; i <= 10; ++i) {
        const double l = ((i - 1) % 3) * std::round(2 * cw), t = 500 + ((i - 1) / 3) * std::round(2 * ch);
        auto* image = fond(i);
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->visible());
        EXPECT_NEAR(image->left(), l, 1) << i;
        EXPECT_NEAR(image->top(), t, 1) << i;
        EXPECT_DOUBLE_EQ(image->width(), 2 * cw);
        EXPECT_DOUBLE_EQ(image->height(), 2 * ch);
        EXPECT_TRUE(image->stretch());
        const int couleur = txt::mid(texte_ccou, i, 1)[0] - '0';
        EXPECT_TRUE(meme_image(image->pixmap(), icc::bt_coul(couleur))) << i;
        auto* legende = touche(i);
        EXPECT_TRUE(legende->visible());
        EXPECT_EQ(legende->left(), image->left() + 60);
        EXPECT_EQ(legende->top(), image->top() + 60);
        EXPECT_EQ(legende->width(), image->width() - 120);
        EXPECT_EQ(legende->height(), image->height() - 120);
        EXPECT_EQ(legende->font_size(), 14);
        EXPECT_EQ(legende->caption(), serveurs[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(barre()->left(), 200);
    EXPECT_EQ(barre()->width(), GetParam().largeur * 15.0 - 400);
    EXPECT_EQ(barre()->top(), GetParam().hauteur * 15.0 - 1440 - 500);
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 0), icc::bt_coul(18)));
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 1), icc::bt_coul(17)));
    for (int c = 2; c < 6; ++c) EXPECT_TRUE(barre()->cell_picture(0, c).isNull());
    // The bar is in front of the keys that run under it.
    const auto enfants = ecran().window()->children();
    EXPECT_GT(enfants.indexOf(barre()->widget()), enfants.indexOf(touche(10)->widget()));
}

INSTANTIATE_TEST_SUITE_P(demo, key_screens_sizes, ::testing::Values(taille{800, 600}, taille{1024, 768}));

TEST_F(key_screens, family_and_article_keys_take_their_colours_and_captions) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    cellule(1);
    EXPECT_EQ(touche(7)->caption(), "Desserts");  // "Desserts|COU:8"
    EXPECT_TRUE(meme_image(fond(7)->pixmap(), icc::bt_coul(8)));
    EXPECT_TRUE(meme_image(fond(1)->pixmap(), icc::bt_coul(4)));  // texte_ccof, character 1
    EXPECT_EQ(touche(1)->font_size(), 18);
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(22)));
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 5), icc::bt_coul(24)));
    scripted_user::tap(touche(3));
    EXPECT_EQ(haut(), "Articles ");
    EXPECT_EQ(etiquette("label_bas")->caption(), "Articles");
    EXPECT_EQ(touche(1)->caption(), cp("Entrecôte grillée 300 g"));
    EXPECT_TRUE(meme_image(fond(1)->pixmap(), icc::bt_coul(5)));  // "|COU:5"
    EXPECT_EQ(etiquette("Label_num")->caption(), "0");
    // Fewer articles than keys: blank keys on the default picture.
    EXPECT_EQ(touche(10)->caption(), "");
    EXPECT_TRUE(meme_image(fond(10)->pixmap(), icc::bt_coul(0)));
}

TEST_F(key_screens, large_picture_set_changes_the_bars_but_not_the_keys) {
    copy_demo_to_network();
    tablette();
    std::string p = wvtest::read_bytes(work / "wfenzo42.wdo");
    p.replace(200 * 20, 3, "OUI");
    write_bytes(work / "wfenzo42.wdo", p);
    demarre();
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 0), icc::bt_coul(68)));
    EXPECT_TRUE(meme_image(fond(1)->pixmap(), icc::bt_coul(1)));
    scripted_user::tap(touche(1));
    const int attendues[6] = {61, 63, 65, 72, 73, 62};
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, c), icc::bt_coul(attendues[c]))) << c;
}

TEST_F(key_screens, home_view_geometry_and_bar) {
    demarre_avec_serveur();
    const double wf = ecran().width(), hf = ecran().height();
    auto* logo = ecran().get<platform::picture>("logo");
    // 800 x 600: Hf / 2 is smaller than Wf - 2000.
    EXPECT_EQ(logo->width(), hf / 2);
    EXPECT_EQ(logo->height(), hf / 2);
    EXPECT_EQ(logo->left(), wf / 2 - hf / 4);
    EXPECT_EQ(logo->top(), 2000);
    auto* iclogo = ecran().get<platform::picture>("iclogo");
    EXPECT_EQ(iclogo->top(), 1500);
    EXPECT_EQ(iclogo->width(), icc::iclogo().width() * 15.0);
    EXPECT_EQ(iclogo->left(), wf / 2 - iclogo->width() / 2);
    auto* logil = etiquette("logil");
    EXPECT_EQ(logil->caption(), "Velmorin");
    EXPECT_EQ(logil->font_size(), 48);
    EXPECT_EQ(logil->top(), 2000 + logo->height() / 1.5);
    EXPECT_EQ(logil->left() + logil->width() / 2, wf / 2);
    EXPECT_EQ(etiquette("logoserv")->top(), 2000 + logo->height() / 3);
    const int attendues[6] = {11, 13, 15, 22, 23, 12};
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, c), icc::bt_coul(attendues[c]))) << c;
        EXPECT_EQ(barre()->col_width(c), txt::round_even((800 * 15.0 - 400) / 6));
    }
    EXPECT_EQ(ecran().codes_barre()[0], "#FONC#TABLE");
    EXPECT_EQ(ecran().codes_barre()[4], "#ENVO#");
    EXPECT_EQ(ecran().codes_barre()[5], "#FONC#FIN");
    EXPECT_EQ(barre()->text(0, 4), "");
}

TEST_F(key_screens, a_tall_screen_gets_a_logo_wf_minus_2000_wide) {
    copy_demo_to_network();
    tablette(600, 1000);
    demarre();
    scripted_user::tap(touche(1));
    auto* logo = ecran().get<platform::picture>("logo");
    EXPECT_EQ(logo->width(), 600 * 15 - 2000);
    EXPECT_EQ(logo->height(), 600 * 15 - 2000);
}

TEST_F(key_screens, home_view_removes_the_keys_and_their_codes_and_key_screens_hide_the_home_view) {
    demarre_avec_serveur();
    EXPECT_EQ(touches_chargees(), 0);
    for (const auto& c : codes_touches) EXPECT_EQ(c, "");
    EXPECT_NE(ecran().find("btx", 0), nullptr);
    EXPECT_NE(ecran().find("btt", 0), nullptr);
    EXPECT_FALSE(ecran().find("btx", 0)->visible());
    cellule(2);
    EXPECT_EQ(touches_chargees(), 10);
    for (const char* n : {"iclogo", "logo", "logil", "logoserv"})
        EXPECT_FALSE(ecran().find(n)->visible()) << n;
}

TEST_F(key_screens, an_unreachable_folder_shows_the_waiting_count_on_the_send_cell) {
    demarre_avec_serveur();
    hors_ligne = true;
    write_bytes(work / "a_.-A-", "x");
    write_bytes(work / "b_.-a-", "y");
    ecran().logo_Click();
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(30)));
    EXPECT_EQ(barre()->text(0, 4), "2");
    EXPECT_TRUE(fs::exists(work / "a_.-A-"));
    // A bar drawn next has no count.
    cellule(2);
    EXPECT_EQ(barre()->text(0, 4), "");
}

TEST_F(key_screens, a_reachable_folder_moves_the_queue_when_the_home_view_is_drawn) {
    demarre_avec_serveur();
    write_bytes(work / "2026-12-09-12-00-00_01_001_002_.-A-", "one");
    write_bytes(work / "2026-12-09-12-05-00_01_002_002_.-a-", "two");
    cellule(4);
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-00-00_01_001_002_.txt"), "one");
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-05-00_01_002_002_.txt"), "two");
    EXPECT_EQ(ecran().get<platform::file_list>("File1")->list_count(), 0);
}

TEST_F(key_screens, touching_a_key_picture_outside_its_caption_does_nothing) {
    copy_demo_to_network();
    tablette();
    demarre();
    QWidget* w = fond(2)->widget();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(nom_serveur, "");
    EXPECT_EQ(haut(), "Serveurs");
    scripted_user::tap(touche(2));
    EXPECT_EQ(nom_serveur, "Camille");
}

TEST_F(key_screens, a_key_touched_twice_quickly_while_its_screen_redraws_stays_safe) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    cellule(1);
    // Next page, then back: each touch redraws the page that holds the touched cell.
    for (int i = 0; i < 5; ++i) {
        cellule(1);
        cellule(0);
    }
    // Two touches: the family opens, and its first article, now under the
    // finger, goes to the line editor.
    scripted_user::expect("sel_arti", ferme());
    platform::label* sous_le_doigt = touche(1);
    scripted_user::tap(sous_le_doigt);
    scripted_user::tap(sous_le_doigt);
    EXPECT_EQ(num_famille, 0);
    EXPECT_EQ(haut(), "Articles ");
    EXPECT_EQ(nb_lignes, 1);
}

TEST_F(key_screens, pages_of_more_keys_than_touch_codes_leave_no_article_out) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    parametres::ecrit(8, "#I#150");
    for (int k = 1; k <= 300; ++k)
        articles[5][static_cast<std::size_t>(k)] = "20005" + txt::format(k, "00000000") + "  |DES:Plat " +
                                                   std::to_string(k) + "|PVE:9.00|FA1:5|FA2:0|";
    cellule(1);
    scripted_user::tap(touche(6));  // family 5
    ASSERT_EQ(num_famille, 5);
    EXPECT_EQ(touches_chargees(), 100);
    EXPECT_EQ(touche(100)->caption(), "Plat 100");
    cellule(1);
    EXPECT_EQ(touches_chargees(), 100);
    EXPECT_EQ(touche(1)->caption(), "Plat 101");
    EXPECT_EQ(touche(50)->caption(), "Plat 150");
    std::string recu;
    scripted_user::expect("sel_arti", [&recu](platform::form& f) {
        recu = ligne_travail;
        f.unload();
    });
    scripted_user::tap(touche(1));
    EXPECT_EQ(recu, articles[5][101]);
    cellule(1);
    EXPECT_EQ(touche(100)->caption(), "Plat 300");
}

TEST_F(key_screens, programmed_page_draws_its_records_without_a_bar) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    cellule(1);
    programmation::touche t;
    t.libelle = "#FAMI#02";
    t.lh = "22";
    t.grap = "011N";
    t.visu = "1";
    t.coul = "255";
    t.acte = "#FAMI#02";
    programmation::fichier().write(101, programmation::encode(t));
    t.visu = "0";
    t.acte = "#FAMI#03";
    programmation::fichier().write(102, programmation::encode(t));
    num_page = 1;
    ecran().dessine_touches();

    EXPECT_EQ(etiquette("Label_num")->caption(), "1");
    EXPECT_EQ(haut(), "Win_Velmorin 2.00");
    EXPECT_EQ(touches_chargees(), 48);
    EXPECT_EQ(touche(1)->caption(), "Viandes");
    EXPECT_EQ(touche(1)->font_size(), 12);
    EXPECT_EQ(touche(1)->fore_color(), 255);
    // The 64-pixel picture keeps its size, centred in its span of 2 x 2 cells.
    auto* image = fond(1);
    EXPECT_EQ(image->width(), 64 * 15);
    EXPECT_EQ(image->left(), (4000 - 960) / 2.0);
    EXPECT_EQ(image->top(), 500 + (2000 - 960) / 2.0);
    EXPECT_TRUE(meme_image(image->pixmap(), icc::bt_coul(11)));
    // A hidden key still carries its code.
    EXPECT_FALSE(fond(2)->visible());
    EXPECT_FALSE(touche(2)->visible());
    EXPECT_EQ(codes_touches[2], "#FAMI#03");
    // The bar of the family screen is left as it was.
    EXPECT_EQ(ecran().codes_barre()[0], "#RETF#");
    scripted_user::tap(touche(1));
    EXPECT_EQ(num_famille, 2);
}

}  // namespace
