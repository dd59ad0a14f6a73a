// The gestures of the home view: the tools access behind its code, the
// offline switch, the logo; and the hidden buttons of the main screen.
#include "main_screen/order_queue.h"
#include "main_screen_fixture.h"
#include "platform/cp1252.h"
#include "shared/settings_file.h"

namespace {

namespace fs = std::filesystem;
using wvtest::write_bytes;

class tools_access : public wvtest::main_screen_test {
  protected:
    void SetUp() override {
        main_screen_test::SetUp();
        demarre_avec_serveur();
    }
    // The keypad: checks what it was asked and types `code`.
    scripted_user::action clavier(const std::string& code) {
        return [code](platform::form& f) {
            EXPECT_EQ(ligne_travail, "#CACHE");
            EXPECT_EQ(texte_message, cp("Mot de passe d'accès aux outils"));
            texte_message = code;
            f.unload();
        };
    }
    static void titre() { scripted_user::double_tap(etiquette("logil")); }
};

TEST_F(tools_access, the_access_code_opens_the_tools_screen_and_the_screen_is_redrawn_after_it) {
    int outils = 0;
    scripted_user::expect("clav_num", clavier("4961"));
    scripted_user::expect("ch_outils", [&](platform::form& f) {
        ++outils;
        // A setting changed on the tools screen applies at the redraw.
        parametres::ecrit(201, "OUI");
        f.unload();
    });
    titre();
    EXPECT_EQ(outils, 1);
    EXPECT_EQ(haut(), "Win_Velmorin 2.01");
    EXPECT_EQ(decalage_images, 50);
}

TEST_F(tools_access, any_other_code_returns_to_the_home_view_without_a_word) {
    for (const char* code : {"04961", "4962", "", "4961 ", "496"}) {
        scripted_user::expect("clav_num", clavier(code));
        titre();
        EXPECT_TRUE(accueil()) << code;
        EXPECT_EQ(haut(), "Serveurs") << code;  // not redrawn
    }
}

TEST_F(tools_access, record_200_holding_oui_skips_the_code) {
    parametres::ecrit(200, "  OUI ");
    int outils = 0;
    scripted_user::expect("ch_outils", ferme(&outils));
    titre();
    EXPECT_EQ(outils, 1);
    // The comparison is exact once trimmed.
    parametres::ecrit(200, "oui");
    scripted_user::expect("clav_num", clavier("1234"));
    titre();
    EXPECT_EQ(outils, 1);
}

TEST_F(tools_access, offline_switch_keeps_orders_queued_and_going_back_online_sends_them_at_once) {
    write_bytes(work / "2026-12-09-12-00-00_01_001_002_.-A-", "one");
    std::string question;
    auto oui = [&question](platform::form& f) {
        question = texte_message;
        EXPECT_EQ(type_message, 4);
        type_message = 6;
        f.unload();
    };
    scripted_user::expect("mini_97", oui);
    scripted_user::double_tap(etiquette("logoserv"));
    EXPECT_EQ(question, cp("Voulez vous déconnecter le Wifi ?"));
    EXPECT_TRUE(hors_ligne);
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(30)));
    EXPECT_EQ(barre()->text(0, 4), "1");
    EXPECT_TRUE(fs::exists(work / "2026-12-09-12-00-00_01_001_002_.-A-"));

    // Offline, the network folder is not touched at all.
    fs::remove(net / "Test.res");
    write_bytes(work / "2026-12-09-12-10-00_01_002_002_.-A-", "two");
    cellule(4);
    EXPECT_EQ(barre()->text(0, 4), "2");
    EXPECT_FALSE(fs::exists(net / "Test.res"));

    scripted_user::expect("mini_97", oui);
    scripted_user::double_tap(etiquette("logoserv"));
    EXPECT_EQ(question, "Voulez vous connecter le Wifi ?");
    EXPECT_FALSE(hors_ligne);
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-10-00_01_002_002_.txt"), "two");
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(23)));
}

TEST_F(tools_access, a_no_leaves_the_switch_as_it_was_but_still_redraws) {
    for (int reponse : {7, 4}) {
        scripted_user::expect("mini_97", scripted_user::answer(reponse));
        scripted_user::double_tap(etiquette("logoserv"));
        EXPECT_FALSE(hors_ligne);
        EXPECT_EQ(haut(), "Win_Velmorin 2.01");
    }
}

TEST_F(tools_access, a_touch_on_the_logo_hands_the_waiting_orders_over) {
    write_bytes(work / "2026-12-09-12-00-00_01_001_002_.-A-", "one");
    scripted_user::tap(ecran().find("logo"));
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_TRUE(fs::exists(net / "2026-12-09-12-00-00_01_001_002_.txt"));
}

TEST_F(tools_access, hidden_buttons_exist_are_never_shown_and_keep_to_the_right_edge) {
    const char* legendes[7] = {"O", "F", "M", "C", "N", "Command6", "Menu"};
    for (int i = 0; i < 7; ++i) {
        auto* b = ecran().get<platform::picture_button>("Command" + std::to_string(i + 1));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_FALSE(b->visible());
        EXPECT_EQ(b->caption(), legendes[i]);
    }
    auto* c3 = ecran().find("Command3");
    EXPECT_EQ(c3->left() + c3->width(), ecran().width());
    EXPECT_EQ(ecran().find("Command1")->left(), ecran().width() - 870);
}

TEST_F(tools_access, hidden_buttons_open_their_screens) {
    struct cas {
        int bouton;
        const char* ecran;
        bool redessine;
    };
    for (const cas c : {cas{1, "w_prog", true}, cas{4, "clavv", false}, cas{5, "eta_com", false},
                        cas{6, "menufor", false}}) {
        cellule(2);
        int vu = 0;
        scripted_user::expect(c.ecran, ferme(&vu));
        ecran().find("Command" + std::to_string(c.bouton))->click();
        EXPECT_EQ(vu, 1) << c.bouton;
        EXPECT_EQ(haut(), c.redessine ? "Win_Velmorin 2.01" : "Serveurs") << c.bouton;
    }
    num_page = 4;
    ecran().find("Command3")->click();
    EXPECT_EQ(num_page, 0);
    EXPECT_EQ(haut(), "Win_Velmorin 2.01");
}

TEST_F(tools_access, the_menu_button_hands_a_composed_menu_to_the_dish_chooser) {
    std::string menu;
    scripted_user::expect("sai_menu", [&](platform::form& f) {
        menu = ligne_travail;
        f.unload();
    });
    ecran().find("Command7")->click();
    ASSERT_GT(menu.size(), 15u);
    EXPECT_NE(txt::instr(menu, "|FA2:98|{{"), 0);
    EXPECT_TRUE(menu.ends_with("}}"));
    EXPECT_EQ(std::count(menu.begin(), menu.end(), '\xB5'), 6);
    EXPECT_EQ(std::count(menu.begin(), menu.end(), '\xA6'), 6 * 16);
    EXPECT_EQ(menu.find("|FA2:98|{{" + cp("Entrées") +
                        "\xB5"
                        "0000000000101|"),
              menu.find("|FA2:98|"));
}

TEST_F(tools_access, hidden_end_buttons_close_the_program) {
    EXPECT_EXIT(ecran().find("Command2")->click(), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(ecran().quitte_programme(), ::testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {

class reset : public wvtest::main_screen_test {};

TEST_F(reset, a_double_touch_on_the_bottom_bar_asks_and_no_keeps_the_order) {
    demarre_avec_serveur();
    nb_lignes = 1;
    lignes_commande[1] = "a line";
    std::string question;
    scripted_user::expect("mini_97", [&question](platform::form& f) {
        question = texte_message;
        type_message = 7;
        f.unload();
    });
    scripted_user::double_tap(etiquette("label_bas"));
    EXPECT_EQ(question,
              cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?"));
    EXPECT_EQ(nb_lignes, 1);
    EXPECT_TRUE(accueil());
}

TEST_F(reset, a_confirmed_reset_ends_without_writing_the_order_anywhere) {
    EXPECT_EXIT(
        {
            demarre_avec_serveur();
            table_couverts = "#N0124 ";
            nb_lignes = 1;
            lignes_commande[1] = "a line";
            scripted_user::expect("mini_97", scripted_user::answer(6));
            scripted_user::double_tap(etiquette("label_bas"));
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(fs::exists(work / "prov.txt"));
    EXPECT_TRUE(file_attente::en_attente(work).empty());
}

}  // namespace
