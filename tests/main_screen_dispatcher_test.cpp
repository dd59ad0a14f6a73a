// The touch dispatcher and the function codes on the started main screen:
// the table of tags, paging limits, server choice, the table prompt, adding
// articles, the order-sent redraw, the end function and "prov.txt".
#include "main_screen/order_queue.h"
#include "main_screen_fixture.h"
#include "platform/cp1252.h"
#include "shared/record_files.h"

namespace {

namespace fs = std::filesystem;
using wvtest::read_bytes;
using wvtest::write_bytes;

class dispatcher : public wvtest::main_screen_test {
  protected:
    void SetUp() override {
        main_screen_test::SetUp();
        demarre_avec_serveur();
        table_couverts = "#N0124 ";
    }
    static void code(const std::string& c) {
        code_force = c;
        ecran().btx_Click(0);
    }
    // Which view the main screen shows, by its top bar (a full redraw writes
    // the program's title there).
    static std::string vue() { return accueil() ? "accueil:" + haut() : haut(); }
};

TEST_F(dispatcher, tags_and_their_effects) {
    struct cas {
        const char* code;
        const char* vue;
        int page_liste, num_famille;
    };
    // Each row runs from the state the previous one left.
    const cas table[] = {
        {"#LFAM#", "Familles", 0, 0},
        {"#SUIF#", "Familles", 1, 0},
        {"#RETF#", "Familles", 0, 0},
        {"#RETF#", "Familles", 0, 0},
        {"#FAMI#02", "Articles ", 0, 2},
        {"#SUIT#", "Articles ", 1, 2},
        {"#RETO#", "Articles ", 0, 2},
        {"#RETO#", "Articles ", 0, 2},
        {"#TOUC#12", "Articles ", 0, 2},
        {"#NONE#", "Articles ", 0, 2},
        {"", "Articles ", 0, 2},
        {"#FON", "Articles ", 0, 2},
        {"#fonc#SERVEUR", "Articles ", 0, 2},
        {"#FONC#INCONNU", "Articles ", 0, 2},
        {"#FONC#  SERVEUR  ", "Serveurs", 0, 2},
        {"#SUIS#", "Serveurs", 1, 2},
        {"#RETS#", "Serveurs", 0, 2},
        {"#RETS#", "Serveurs", 0, 2},
        {"#MENU#", "accueil:Serveurs", 0, 2},
        {"#SERV#03", "accueil:Serveurs", 0, 2},
        {"#PAGE#7", "accueil:Win_Velmorin 2.01", 0, 2},
    };
    for (const cas& c : table) {
        code(c.code);
        EXPECT_EQ(vue(), c.vue) << c.code;
        EXPECT_EQ(page_liste, c.page_liste) << c.code;
        EXPECT_EQ(num_famille, c.num_famille) << c.code;
        EXPECT_EQ(code_force, "") << c.code;
        EXPECT_EQ(ecran().code_courant(), c.code);
    }
    EXPECT_EQ(num_page, 7);
    code("#MENU#");
    EXPECT_EQ(num_page, 0);
}

TEST_F(dispatcher, function_codes_open_their_screens) {
    struct cas {
        const char* code;
        const char* ecran;
        bool redessine;
    };
    for (const cas c : {cas{"#FONC#TABLE", "ch_numtab", true}, cas{"#FONC#GRILLE", "w_prog", true},
                        cas{"#FONC#NOTE", "eta_com", false}, cas{"#OUTI#", "ch_outils", true}}) {
        code("#LFAM#");
        int ouvert = 0;
        scripted_user::expect(c.ecran, ferme(&ouvert));
        code(c.code);
        EXPECT_EQ(ouvert, 1) << c.code;
        EXPECT_EQ(vue(), c.redessine ? "accueil:Win_Velmorin 2.01" : "Familles") << c.code;
    }
}

TEST_F(dispatcher, next_family_page_past_the_last_family_is_empty_and_offers_no_next_page) {
    code("#LFAM#");
    EXPECT_EQ(ecran().codes_barre()[1], "#SUIF#");
    code("#SUIF#");
    // The demo has families 0 to 9: page 1 has no caption.
    EXPECT_EQ(touche(1)->caption(), "");
    EXPECT_EQ(ecran().codes_barre()[1], "");
    EXPECT_EQ(barre()->cell_picture(0, 1).isNull(), true);
    cellule(1);
    EXPECT_EQ(page_liste, 1);
    cellule(0);
    EXPECT_EQ(page_liste, 0);
    EXPECT_EQ(touche(1)->caption(), cp("Apéritifs"));
}

TEST_F(dispatcher, server_pages_always_offer_the_next_page) {
    code("#FONC#SERVEUR");
    for (int p = 1; p <= 3; ++p) {
        cellule(1);
        EXPECT_EQ(page_liste, p);
        EXPECT_EQ(ecran().codes_barre()[1], "#SUIS#");
        EXPECT_EQ(touche(1)->caption(), "");
    }
    EXPECT_EQ(codes_touches[1], "#SERV#31");
}

TEST_F(dispatcher, a_server_outside_the_catalogue_or_without_a_name_is_server_1) {
    struct cas {
        const char* code;
        int numero;
        const char* nom;
    };
    for (const cas c :
         {cas{"#SERV#03", 3, "Mathieu"}, cas{"#SERV#09", 1, "Julien"}, cas{"#SERV#25", 1, "Julien"},
          cas{"#SERV#-1", 1, "Julien"}, cas{"#SERV#00", 1, "Julien"}, cas{"#SERV#8", 8, "\xC9lodie"},
          cas{"#SERV#99999", 1, "Julien"}}) {
        num_serveur = 0;
        code(c.code);
        EXPECT_EQ(num_serveur, c.numero) << c.code;
        EXPECT_EQ(nom_serveur, c.nom) << c.code;
        EXPECT_EQ(etiquette("logoserv")->caption(), c.nom) << c.code;
        EXPECT_TRUE(accueil()) << c.code;
    }
}

TEST_F(dispatcher, families_ask_for_the_table_once_and_the_dispatch_goes_on) {
    table_couverts = "";
    int demandes = 0;
    scripted_user::expect("ch_numtab", [&](platform::form& f) {
        ++demandes;
        // The table dialog uses the shared strings as it likes.
        ligne_travail = "scratch";
        table_couverts = "#N0124 ";
        f.unload();
    });
    cellule(1);
    EXPECT_EQ(demandes, 1);
    EXPECT_EQ(ecran().code_courant(), "#LFAM#");
    EXPECT_EQ(vue(), "Familles");
    scripted_user::tap(touche(3));
    code("#LFAM#");
    code("#MENU#");
    EXPECT_EQ(demandes, 1);
}

TEST_F(dispatcher, a_table_dialog_closed_without_a_table_lets_the_dispatch_go_on) {
    table_couverts = "  ";
    int demandes = 0;
    scripted_user::expect("ch_numtab", ferme(&demandes));
    scripted_user::expect("ch_numtab", ferme(&demandes));
    scripted_user::expect("ch_numtab", ferme(&demandes));
    code("#FAMI#03");
    EXPECT_EQ(vue(), "Articles ");
    EXPECT_EQ(num_famille, 3);
    code("#MENU#");
    EXPECT_TRUE(accueil());
    code("#LFAM#");
    EXPECT_EQ(demandes, 3);
}

TEST_F(dispatcher, touching_an_article_hands_it_to_the_line_editor_and_appends_the_line) {
    code("#FAMI#02");
    const std::string article = articles[2][1];
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        EXPECT_EQ(ligne_travail, article);
        ligne_travail = txt::trim(article) + " ##QUA:002.00##{Saignant}";
        f.unload();
    });
    scripted_user::tap(touche(1));
    ASSERT_EQ(nb_lignes, 1);
    EXPECT_EQ(lignes_commande[1], txt::trim(article) + " ##QUA:002.00##{Saignant}");
    // The editor deleting the line (empty or blank) adds nothing.
    for (const char* rendu : {"", "   "})
        scripted_user::expect("sel_arti", [rendu](platform::form& f) {
            ligne_travail = rendu;
            f.unload();
        });
    scripted_user::tap(touche(2));
    scripted_user::tap(touche(2));
    EXPECT_EQ(nb_lignes, 1);
    EXPECT_EQ(vue(), "Articles ");
}

TEST_F(dispatcher, a_touch_made_while_the_line_editor_closes_adds_its_own_line_and_loses_none) {
    code("#FAMI#02");
    const std::string premiere = txt::trim(articles[2][1]) + " ##QUA:002.00##{Saignant}";
    const std::string seconde = txt::trim(articles[2][2]) + " ##QUA:001.00##";
    std::vector<std::string> vues_pendant;
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ligne_travail = premiere;
        // The waiter touches the next article while this editor's window goes.
        scripted_user::post_tap(touche(2));
        f.unload();
    });
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        vues_pendant.assign(lignes_commande.begin() + 1, lignes_commande.begin() + 1 + nb_lignes);
        ligne_travail = seconde;
        f.unload();
    });
    scripted_user::tap(touche(1));
    scripted_user::wait(50);
    EXPECT_EQ(scripted_user::pending(), 0) << "the queued touch was not handled";
    EXPECT_EQ(vues_pendant, std::vector<std::string>{premiere})
        << "the second touch saw a half-updated order";
    ASSERT_EQ(nb_lignes, 2);
    EXPECT_EQ(lignes_commande[1], premiere);
    EXPECT_EQ(lignes_commande[2], seconde);
}

TEST_F(dispatcher, an_order_holds_at_most_1000_lines) {
    const std::string plein = cp("La commande contient déjà 1000 lignes, envoyez-la d'abord !");
    nb_lignes = 999;
    scripted_user::expect("sel_arti", ferme());
    code("#AJOU#000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0|");
    EXPECT_EQ(nb_lignes, 1000);
    EXPECT_EQ(lignes_commande[1000], "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0|");
    // From now on the waiter is told, and no editor opens: a line set up
    // there could not be kept.
    std::vector<std::pair<int, std::string>> messages;
    scripted_user::expect("mini_97", [&](platform::form& f) {
        messages.emplace_back(type_message, texte_message);
        scripted_user::answer(6)(f);
    });
    code("#AJOU#000022000000000022  |DES:Kir royal|PVE:8.00|FA1:0|FA2:0|");
    EXPECT_EQ((messages), (std::vector<std::pair<int, std::string>>{{0, plein}}));
    EXPECT_EQ(nb_lignes, 1000);
    EXPECT_EQ(lignes_commande[1000], "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0|");
    ecran().ecrit_donnees();
    const std::string prov = read_bytes(work / "prov.txt");
    EXPECT_EQ(std::count(prov.begin(), prov.end(), '\n'), 1002);
}

// Every key that adds an article to a full order says so before any editor
// opens: article keys, sub-group keys, programmed keys, and a key touched
// while the editor of the 1000th line closes.
TEST_F(dispatcher, every_key_that_adds_an_article_to_a_full_order_tells_the_waiter) {
    const std::string plein = cp("La commande contient déjà 1000 lignes, envoyez-la d'abord !");
    const std::string kir = "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0|";
    std::vector<std::string> messages;
    const auto note = [&](platform::form& f) {
        EXPECT_EQ(type_message, 0);
        messages.push_back(texte_message);
        scripted_user::answer(6)(f);
    };
    struct route {
        const char* nom;
        std::function<platform::label*()> touche_article;
    };
    const route routes[] = {
        {"article key",
         [] {
             code("#FAMI#02");
             return touche(1);
         }},
        {"sub-group key",
         [] {
             code("#FAMI#08");
             int k = 1;
             while (k <= 100 && !txt::starts_with(codes_touches[static_cast<std::size_t>(k)], "#AJOU##SG#"))
                 ++k;
             scripted_user::tap(touche(k));
             EXPECT_EQ(num_famille, 31);
             return touche(1);
         }},
        {"programmed key",
         [&kir] {
             programmation::touche t;
             t.libelle = "Kir";
             t.lh = "11";
             t.visu = "1";
             t.acte = "#AJOU#" + kir;
             programmation::fichier().write(101, programmation::encode(t));
             num_page = 1;
             ecran().dessine_touches();
             EXPECT_EQ(codes_touches[1], "#AJOU#" + kir);
             return touche(1);
         }},
    };
    for (const route& r : routes) {
        messages.clear();
        nb_lignes = 1000;
        platform::label* article = r.touche_article();
        ASSERT_NE(article, nullptr) << r.nom;
        scripted_user::expect("mini_97", note);
        scripted_user::tap(article);
        EXPECT_EQ(messages, std::vector<std::string>{plein}) << r.nom;
        EXPECT_EQ(nb_lignes, 1000) << r.nom;
        EXPECT_EQ(scripted_user::pending(), 0) << r.nom;
    }

    messages.clear();
    nb_lignes = 999;
    code("#FAMI#02");
    const std::string derniere = txt::trim(articles[2][1]) + " ##QUA:001.00##";
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ligne_travail = derniere;
        scripted_user::post_tap(touche(2));
        f.unload();
    });
    scripted_user::expect("mini_97", note);
    scripted_user::tap(touche(1));
    scripted_user::wait(50);
    EXPECT_EQ(scripted_user::pending(), 0) << "the queued touch was not handled";
    EXPECT_EQ(messages, std::vector<std::string>{plein});
    EXPECT_EQ(nb_lignes, 1000);
    EXPECT_EQ(lignes_commande[1000], derniere);
}

TEST_F(dispatcher, a_blank_reference_does_nothing_not_even_the_order_sent_redraw) {
    code("#FAMI#00");
    commande_envoyee = true;
    code("#AJOU#               |DES:Rien|");
    code("#AJOU#");
    EXPECT_TRUE(commande_envoyee);
    EXPECT_EQ(vue(), "Articles ");
    EXPECT_EQ(nb_lignes, 0);
}

TEST_F(dispatcher, a_composed_menu_opens_the_composer_and_adds_no_line) {
    code("#FAMI#09");
    const std::string menu = articles[9][3];
    ASSERT_NE(txt::instr(menu, "FA2:98"), 0);
    commande_envoyee = true;
    scripted_user::expect("menufor", [&](platform::form& f) {
        EXPECT_EQ(ligne_travail, menu);
        f.unload();
    });
    scripted_user::tap(touche(3));
    EXPECT_EQ(nb_lignes, 0);
    EXPECT_TRUE(commande_envoyee);
}

TEST_F(dispatcher, a_sub_group_article_shows_family_30_plus_its_number) {
    code("#FAMI#08");
    int k = 1;
    while (k <= 300 && !txt::starts_with(articles[8][static_cast<std::size_t>(k)], "#SG#")) ++k;
    ASSERT_LE(k, 10);
    scripted_user::tap(touche(k));
    EXPECT_EQ(num_famille, 31);
    EXPECT_EQ(page_liste, 0);
    EXPECT_EQ(codes_touches[1], "#AJOU#" + articles[31][1]);
    EXPECT_EQ(touche(1)->caption(), cp("Saint-Émilion grand cru 75 cl"));
}

TEST_F(dispatcher, once_the_summary_has_sent_an_order_the_screen_is_redrawn_and_the_order_handed_over) {
    const std::string nom = "2026-12-09-12-34-56_01_012_004_.-A-";
    scripted_user::expect("eta_com", [&](platform::form& f) {
        write_bytes(work / nom, "#ID#0123456789\r\n");
        nb_lignes = 0;
        table_couverts = "";
        commande_envoyee = true;
        f.unload();
    });
    code("#LFAM#");
    cellule(4);
    EXPECT_FALSE(commande_envoyee);
    EXPECT_TRUE(accueil());
    EXPECT_FALSE(fs::exists(work / nom));
    EXPECT_EQ(read_bytes(net / "2026-12-09-12-34-56_01_012_004_.txt"), "#ID#0123456789\r\n");
}

TEST_F(dispatcher, end_function_with_waiting_orders_first_offers_to_send_them) {
    hors_ligne = true;
    write_bytes(work / "1_.-A-", "a");
    write_bytes(work / "2_.-a-", "b");
    ecran().logo_Click();
    std::vector<std::string> questions;
    auto repond = [&](int reponse) {
        return [&questions, reponse](platform::form& f) {
            EXPECT_EQ(type_message, 4);
            questions.push_back(texte_message);
            type_message = reponse;
            f.unload();
        };
    };
    // Yes: the screen is redrawn, the program goes on, no closing question.
    scripted_user::expect("mini_97", repond(6));
    cellule(5);
    EXPECT_EQ(
        questions,
        (std::vector<std::string>{"Attention, vous avez 2 Commande(s) en attente, Envoyer maintenant ?"}));
    EXPECT_EQ(haut(), "Win_Velmorin 2.01");
    // No, then No to closing: nothing happens.
    questions.clear();
    scripted_user::expect("mini_97", repond(7));
    scripted_user::expect("mini_97", repond(7));
    cellule(5);
    EXPECT_EQ(questions,
              (std::vector<std::string>{"Attention, vous avez 2 Commande(s) en attente, Envoyer maintenant ?",
                                        "Confirmez la fermeture de Velmorin ?"}));
    EXPECT_FALSE(fs::exists(work / "prov.txt"));
    // A box closed without an answer leaves the kind as it was: No.
    scripted_user::expect("mini_97", scripted_user::answer(4, ""));
    scripted_user::expect("mini_97", scripted_user::answer(4, ""));
    cellule(5);
    EXPECT_FALSE(fs::exists(work / "prov.txt"));
    EXPECT_TRUE(ecran().loaded());
}

TEST_F(dispatcher, end_function_without_waiting_orders_asks_only_to_close) {
    scripted_user::expect("mini_97", [](platform::form& f) {
        EXPECT_EQ(texte_message, "Confirmez la fermeture de Velmorin ?");
        type_message = 7;
        f.unload();
    });
    cellule(5);
    EXPECT_TRUE(accueil());
}

class dispatcher_end : public wvtest::main_screen_test {};

TEST_F(dispatcher_end, confirmed_close_writes_the_provisional_order_and_ends) {
    EXPECT_EXIT(
        {
            demarre_avec_serveur();
            table_couverts = "#N0124 ";
            nb_lignes = 1;
            lignes_commande[1] = "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##";
            scripted_user::expect("mini_97", scripted_user::answer(6));
            scripted_user::tap_cell(barre(), 0, 5);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(
        read_bytes(work / "prov.txt"),
        "#SERV#01\r\n#TABL##N0124 \r\n000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##\r\n");
}

}  // namespace
