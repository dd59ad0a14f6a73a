// The main screen's load routine through its roads: a first start in an
// empty folder, a start that knows its folder, the folder file lost and
// asked again, the server search, the decimal-separator notice.
#include "main_screen_fixture.h"
#include "platform/cp1252.h"
#include "platform/record_file.h"
#include "shared/settings_file.h"

namespace {

namespace fs = std::filesystem;
using wvtest::read_bytes;
using wvtest::write_bytes;

class startup : public wvtest::main_screen_test {
  protected:
    std::string fichier_dossier_attendu(const std::string& dossier) {
        std::string s = dossier + "\r\n";
        for (int i = 0; i < 11; ++i) s += " \r\n";
        return s;
    }
};

TEST_F(startup, first_start_in_an_empty_folder_asks_format_then_folder_and_ends_on_the_server_keys) {
    copy_demo_to_network();
    std::vector<std::string> vus;
    scripted_user::expect("porpay", [&](platform::form& f) {
        vus.push_back("porpay");
        scripted_user::tap(f.find("Image2"));
    });
    scripted_user::expect("mini_97", [&](platform::form& f) {
        vus.push_back("mini_97");
        EXPECT_EQ(type_message, 4);
        EXPECT_EQ(texte_message, "Voulez vous effectuer une recherche du serveur ?");
        type_message = 7;
        f.unload();
    });
    scripted_user::expect("clavv", [&](platform::form& f) {
        vus.push_back("clavv");
        EXPECT_EQ(type_message, 129);
        EXPECT_EQ(texte_message, cp("Entrez le répertoire réseau ?"));
        texte_message = net.string();
        f.unload();
    });

    Form1& f = demarre();

    EXPECT_EQ(vus, (std::vector<std::string>{"porpay", "mini_97", "clavv"}));
    EXPECT_EQ(fs::file_size(work / "wfenzo42.wdo"), 40000u);
    EXPECT_EQ(read_bytes(work / "wfichdir.wdo"), fichier_dossier_attendu(net.string()));
    EXPECT_EQ(rep_reseau, net.string());
    EXPECT_EQ(rep_test, net.string());
    EXPECT_EQ(num_enreg_test, 1);
    // The nested run went to the end: catalogue copied and loaded, server keys shown.
    EXPECT_TRUE(fs::exists(work / "wvelmorin.wdo"));
    EXPECT_TRUE(fs::exists(net / "Test.res"));
    EXPECT_EQ(version_prog, "2.01");
    EXPECT_EQ(fin_ligne, "\r\n");
    EXPECT_EQ(format_prix, "0.00");
    EXPECT_EQ(f.width(), largeur_ecran * 15.0);
    EXPECT_EQ(f.height(), hauteur_ecran * 15.0);
    ASSERT_NE(touche(1), nullptr);
    EXPECT_TRUE(touche(1)->visible());
    EXPECT_EQ(touche(1)->caption(), "Julien");
    EXPECT_EQ(codes_touches[1], "#SERV#01");
    EXPECT_EQ(haut(), "Serveurs");
    EXPECT_EQ(f.codes_barre()[1], "#SUIS#");
    EXPECT_FALSE(f.find("logo")->visible());
    EXPECT_EQ(code_force, "");
}

TEST_F(startup, start_with_its_folder_file_asks_nothing) {
    copy_demo_to_network();
    tablette(1024, 768);
    write_bytes(work / "prov.txt", "#SERV#04\r\n#TABL##N0124 \r\nan unsent line\r\n");
    Form1& f = demarre();
    EXPECT_EQ(rep_reseau, net.string());
    EXPECT_EQ(largeur_ecran, 1024);
    EXPECT_EQ(f.width(), 1024 * 15);
    EXPECT_EQ(f.left(), platform::screen_width_twips() / 2 - 1024 * 15 / 2.0);
    EXPECT_EQ(f.top(), 0);
    EXPECT_EQ(touche(8)->caption(), cp("Élodie"));
    // The provisional order of an earlier run is not read back.
    EXPECT_EQ(nb_lignes, 0);
    EXPECT_EQ(table_couverts, "");
    // The key-programming file exists with its 5000 blank records.
    EXPECT_EQ(fs::file_size(work / "progppb.wdo"), 5000u * 256u);
}

TEST_F(startup, once_a_server_is_chosen_a_redraw_stays_on_the_home_view_with_its_bars) {
    Form1& f = demarre_avec_serveur();
    EXPECT_TRUE(accueil());
    f.logo_Click();
    EXPECT_TRUE(accueil());
    EXPECT_EQ(haut(), "Win_Velmorin 2.01");
    EXPECT_EQ(etiquette("label_bas")->caption(), "Velmorin - prise de commande sur tablette");
    EXPECT_EQ(etiquette("label_bas")->top(), 600 * 15 - 390);
    EXPECT_EQ(etiquette("logoserv")->caption(), "Julien");
}

TEST_F(startup, a_redraw_does_not_load_the_catalogue_again) {
    demarre_avec_serveur();
    serveurs[1] = "changed in memory";
    write_bytes(net / "wvelmorin.wdo", "#SERV#01 Nouveau\r\n");
    ecran().logo_Click();
    EXPECT_EQ(serveurs[1], "changed in memory");
}

TEST_F(startup, picture_offset_follows_record_201_trimmed) {
    demarre_avec_serveur();
    struct cas {
        const char* enregistrement;
        int decalage;
    };
    for (const cas c : {cas{"  OUI  ", 50}, cas{"OUI", 50}, cas{"oui", 0}, cas{"NON", 0}, cas{"", 0}}) {
        parametres::ecrit(201, c.enregistrement);
        ecran().logo_Click();
        EXPECT_EQ(decalage_images, c.decalage) << c.enregistrement;
        EXPECT_TRUE(meme_image(barre()->cell_picture(0, 0), icc::bt_coul(11 + c.decalage)))
            << c.enregistrement;
    }
}

TEST_F(startup, folder_file_lost_meanwhile_is_asked_again_and_a_trailing_separator_is_kept) {
    demarre_avec_serveur();
    fs::remove(work / "wfichdir.wdo");
    fs::remove(net / "Test.res");
    scripted_user::expect("mini_97", scripted_user::answer(7));
    scripted_user::expect("clavv", scripted_user::answer(129, net.string() + "/"));
    ecran().logo_Click();
    EXPECT_EQ(read_bytes(work / "wfichdir.wdo"), fichier_dossier_attendu(net.string() + "/"));
    EXPECT_EQ(rep_reseau, net.string() + "/");
    // One separator between the folder and the probe's file name.
    EXPECT_TRUE(fs::exists(net / "Test.res"));
    EXPECT_TRUE(accueil());
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(23)));
}

TEST_F(startup, folder_typed_without_trailing_separator_names_network_files_with_one) {
    copy_demo_to_network();
    scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("Image1")); });
    scripted_user::expect("mini_97", scripted_user::answer(7));
    scripted_user::expect("clavv", scripted_user::answer(129, net.string()));
    demarre();
    EXPECT_EQ(read_bytes(work / "velmorin.wdo"), read_bytes(net / "velmorin.wdo"));
    EXPECT_TRUE(fs::exists(net / "Test.res"));
}

TEST_F(startup, answering_yes_to_the_server_search_starts_the_set_up_program_and_ends) {
    EXPECT_EXIT(
        {
            scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("Image2")); });
            scripted_user::expect("mini_97", scripted_user::answer(6));
            platform::set_start_hook([](const std::string& what) {
                std::fprintf(stderr, "started %s\n", what.c_str());
                return true;
            });
            demarre();
            std::fprintf(stderr, "the start went on\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "started ostrevane");
    EXPECT_FALSE(fs::exists(work / "wfichdir.wdo"));
    // Every file was closed: the settings file is complete on disk.
    EXPECT_EQ(fs::file_size(work / "wfenzo42.wdo"), 40000u);
}

TEST_F(startup, a_set_up_program_that_cannot_start_still_ends_the_program) {
    tablette();
    fs::remove(work / "wfichdir.wdo");
    EXPECT_EXIT(
        {
            scripted_user::expect("mini_97", scripted_user::answer(6));
            platform::set_start_hook([](const std::string&) { return false; });
            demarre();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(startup, an_empty_folder_answer_writes_no_folder_file_and_ends) {
    tablette();
    fs::remove(work / "wfichdir.wdo");
    EXPECT_EXIT(
        {
            scripted_user::expect("mini_97", scripted_user::answer(7));
            scripted_user::expect("clavv", scripted_user::answer(129, ""));
            demarre();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(fs::exists(work / "wfichdir.wdo"));
}

TEST_F(startup, a_folder_file_that_cannot_be_written_is_told_and_the_program_ends) {
    const fs::path tablette_ = work / "tablette";
    EXPECT_EXIT(
        {
            fs::create_directories(tablette_);
            fs::current_path(tablette_);
            tablette();
            fs::rename(work / "wfenzo42.wdo", tablette_ / "wfenzo42.wdo");
            fs::remove(work / "wfichdir.wdo");
            scripted_user::expect("mini_97", scripted_user::answer(7));
            scripted_user::expect("clavv", [&](platform::form& f) {
                // The tablet's folder goes while the folder is being typed
                // (removed, or its medium taken out): nothing can be made in it.
                fs::remove_all(tablette_);
                scripted_user::answer(129, net.string())(f);
            });
            scripted_user::expect("mini_97", [](platform::form& f) {
                std::string ascii = texte_message;
                for (char& c : ascii)
                    if (static_cast<unsigned char>(c) > 127) c = '?';
                std::fprintf(stderr, "message %d: %s\n", type_message, ascii.c_str());
                scripted_user::answer(6)(f);
            });
            demarre();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0),
        "message 0: Le r\\?pertoire r\\?seau n'a pas pu \\?tre enregistr\\? \\(fichier wfichdir.wdo\\)");
    EXPECT_FALSE(fs::exists(work / "tablette"));
    EXPECT_FALSE(fs::exists(work / "wfichdir.wdo"));
}

TEST_F(startup, a_decimal_comma_ends_the_start_before_the_settings_file_is_opened) {
    EXPECT_EXIT(
        {
            platform::set_decimal_separator_override(',');
            scripted_user::expect("mini_97", [](platform::form& f) {
                // Printed in ASCII: the death test's regular expression reads text, not code page bytes.
                std::string ascii = texte_message;
                for (char& c : ascii)
                    if (static_cast<unsigned char>(c) > 127) c = '?';
                std::fprintf(stderr, "notice %d: %s\n", type_message, ascii.c_str());
                type_message = 6;
                f.unload();
            });
            demarre();
            std::exit(3);
        },
        ::testing::ExitedWithCode(0),
        "notice 0: Le logiciel a configur\\? le point comme s\\?parateur d\\?cimal \\(obligatoire\\), "
        "relancez votre logiciel !");
    EXPECT_FALSE(fs::exists(work / "wfenzo42.wdo"));
    // After the restart, with ".", the start goes on.
    copy_demo_to_network();
    tablette();
    demarre();
    EXPECT_EQ(sep_decimal, ".");
    EXPECT_EQ(touche(1)->caption(), "Julien");
}

TEST_F(startup, a_folder_file_without_any_line_gives_an_unreachable_folder) {
    tablette();
    write_bytes(work / "wfichdir.wdo", "");
    // The local copies of an earlier run still give the catalogue.
    for (const char* n : {"velmorin.wdo", "wvelmorin.wdo"})
        fs::copy_file(fs::path(WV_DEMO_DIR) / n, work / n);
    demarre();
    EXPECT_EQ(rep_reseau, "");
    EXPECT_EQ(touche(1)->caption(), "Julien");
    scripted_user::tap(touche(1));
    EXPECT_TRUE(accueil());
    EXPECT_TRUE(meme_image(barre()->cell_picture(0, 4), icc::bt_coul(30)));
    EXPECT_EQ(barre()->text(0, 4), "0");
}

TEST_F(startup, every_redraw_ends_on_the_server_keys_while_no_server_has_a_name) {
    tablette();
    write_bytes(net / "velmorin.wdo", "");
    write_bytes(net / "wvelmorin.wdo",
                "#SERV#03 L\xE9"
                "a\r\n#FAMI#00 Vins\r\n");
    demarre();
    EXPECT_EQ(haut(), "Serveurs");
    EXPECT_EQ(touche(1)->caption(), "");
    // Server 1 is chosen, but has no name either: the home view shows no one...
    scripted_user::tap(touche(1));
    EXPECT_EQ(num_serveur, 1);
    EXPECT_EQ(nom_serveur, "");
    EXPECT_TRUE(accueil());
    // ...and the next redraw brings the server keys back.
    ecran().logo_Click();
    EXPECT_FALSE(accueil());
    EXPECT_EQ(touche(3)->caption(),
              "L\xE9"
              "a");
    scripted_user::tap(touche(3));
    EXPECT_EQ(nom_serveur,
              "L\xE9"
              "a");
    ecran().logo_Click();
    EXPECT_TRUE(accueil());
}

}  // namespace
