// The colour-scheme screen ggcoul: what each scheme stores in the settings
// records of the colour classes and in the shared colour arrays, the custom
// scheme, reading a class back, and the screen itself driven by real taps.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <map>
#include <set>

#include "configuration/colour_schemes.h"
#include "configuration/ggcoul.h"
#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

using platform::form;

// Scheme index -> record -> stored text, from tests/data.
std::map<int, std::map<long, std::string>> attendus() {
    std::map<int, std::map<long, std::string>> r;
    std::ifstream in(wvtest::data_file("colour_schemes.txt"));
    std::string ligne;
    while (std::getline(in, ligne)) {
        if (ligne.empty() || ligne[0] == '#') continue;
        const auto a = ligne.find(' '), b = ligne.find(' ', a + 1);
        r[std::stoi(ligne.substr(0, a))][std::stol(ligne.substr(a + 1, b - a - 1))] = ligne.substr(b + 1);
    }
    return r;
}

class ggcoul_test : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        wvtest::write_bytes(work / parametres::nom_fichier, std::string(40000, ' '));
        ASSERT_TRUE(parametres::fichier().open(parametres::nom_fichier));
        taille(800, 600, 300);
    }
    // The configured screen and the main window laid over it, as at start.
    static void taille(int largeur, int hauteur, double gauche) {
        largeur_ecran = static_cast<std::int16_t>(largeur);
        hauteur_ecran = static_cast<std::int16_t>(hauteur);
        platform::find_form("Form1")->move(gauche, 0, largeur * 15, hauteur * 15);
    }
    static std::string record(long n) { return parametres::fichier().read(n); }
    std::string fichier() const { return wvtest::read_bytes(work / parametres::nom_fichier); }
    static ggcoul& ecran() { return ggcoul::instance(); }
    // The colour-class records 1701-1719 as a scheme stores them.
    static void verifie_classes(const std::map<long, std::string>& attendu, int index) {
        ASSERT_EQ(attendu.size(), 18u);
        for (const auto& [n, texte] : attendu) {
            EXPECT_EQ(record(n), txt::pad(texte, 20)) << "scheme " << index << ", record " << n;
            const int k = static_cast<int>(n % 10);
            const auto& tableau = n > 1710 ? coul_fond : coul_texte;
            EXPECT_EQ(tableau[static_cast<std::size_t>(k)], std::stoll(texte.substr(3)))
                << "scheme " << index << ", record " << n;
        }
    }
};

TEST_F(ggcoul_test, a_colour_record_reads_as_its_32_bit_value_or_not_set) {
    struct cas {
        const char* enreg;
        std::int32_t attendu;
    };
    for (const cas c : {cas{"#I#26367", 26367}, cas{"#I#16777215       ", 0xFFFFFF},
                        cas{"#I#-2147483633", platform::system_button_face},
                        cas{"#I#-2147483630", platform::system_button_text},
                        cas{"#I#2147483663", platform::system_button_face}, cas{"#I#0", 0}, cas{"#I#", 0},
                        cas{"#I# 255 rouge", 255}, cas{"#I#12.5", 12}, cas{"#I#13.5", 14}, cas{"#I#-1", -1},
                        cas{"                    ", -1}, cas{"#i#255", -1}, cas{"I#255", -1},
                        cas{"#I#4294967296", -1}, cas{"#I#-2147483649", -1}, cas{"#I#99999999999999999", -1}})
        EXPECT_EQ(jeux_couleurs::valeur(c.enreg), c.attendu) << c.enreg;
    EXPECT_EQ(jeux_couleurs::enregistrement(26367), "#I#26367");
    EXPECT_EQ(jeux_couleurs::enregistrement(platform::system_button_face), "#I#-2147483633");
    EXPECT_EQ(jeux_couleurs::enregistrement(0), "#I#0");
}

TEST_F(ggcoul_test, each_scheme_stores_its_eighteen_colours_and_nothing_else) {
    const auto tous = attendus();
    ASSERT_EQ(tous.size(), 6u);
    for (const auto& [index, attendu] : tous) {
        wvtest::write_bytes(work / parametres::nom_fichier, std::string(40000, ' '));
        ASSERT_TRUE(parametres::fichier().open(parametres::nom_fichier));
        const std::string avant = fichier();
        jeux_couleurs::applique(index);
        verifie_classes(attendu, index);
        std::string apres = fichier();
        ASSERT_EQ(apres.size(), avant.size());
        // Blank out the 19 records 1701-1719 (1710 stays blank): the rest is untouched.
        apres.replace(1700 * 20, 19 * 20, std::string(19 * 20, ' '));
        EXPECT_EQ(apres, avant) << "scheme " << index << " wrote outside records 1701-1719";
    }
    EXPECT_EQ(jeux_couleurs::predefini(3).libelle, std::string("N & B"));
}

TEST_F(ggcoul_test, custom_scheme_takes_its_records_and_fills_the_unset_ones) {
    parametres::ecrit(1733, "#I#255");
    parametres::ecrit(1745, "#I#65280");
    parametres::ecrit(1739, "#I#-2147483633");
    jeux_couleurs::applique(jeux_couleurs::index_perso);
    for (int k = 1; k <= 9; ++k) {
        const std::string fond = k == 3 ? "#I#255" : k == 9 ? "#I#-2147483633" : "#I#16777215";
        const std::string texte = k == 5 ? "#I#65280" : "#I#0";
        EXPECT_EQ(record(1730 + k), txt::pad(fond, 20)) << k;
        EXPECT_EQ(record(1740 + k), txt::pad(texte, 20)) << k;
        EXPECT_EQ(record(1710 + k), txt::pad(fond, 20)) << k;
        EXPECT_EQ(record(1700 + k), txt::pad(texte, 20)) << k;
        EXPECT_EQ(coul_fond[static_cast<std::size_t>(k)], jeux_couleurs::valeur(fond)) << k;
        EXPECT_EQ(coul_texte[static_cast<std::size_t>(k)], jeux_couleurs::valeur(texte)) << k;
    }
}

TEST_F(ggcoul_test, clearing_the_custom_scheme_blanks_its_records_only) {
    for (long n = 1729; n <= 1750; ++n) parametres::ecrit(n, "#I#" + txt::str(n));
    jeux_couleurs::efface_perso();
    for (long n = 1729; n <= 1750; ++n) {
        const bool perso = (n >= 1731 && n <= 1739) || (n >= 1741 && n <= 1749);
        EXPECT_EQ(record(n), perso ? std::string(20, ' ') : txt::pad("#I#" + txt::str(n), 20)) << n;
    }
    // The next custom scheme starts again from white on black.
    jeux_couleurs::applique(jeux_couleurs::index_perso);
    EXPECT_EQ(record(1711), txt::pad("#I#16777215", 20));
    EXPECT_EQ(record(1701), txt::pad("#I#0", 20));
}

TEST_F(ggcoul_test, colour_list_gives_the_arrays_in_decimal) {
    jeux_couleurs::applique(0);
    const auto [fond, texte] = ecran().liste_couleurs();
    EXPECT_EQ(fond, "26367,6697881,52377,26367,32896,16448250,128,13421619,-2147483633,");
    EXPECT_EQ(texte, "65020,16448250,6697881,16711938,16448250,16711938,16777215,16711938,-2147483630,");
}

TEST_F(ggcoul_test, tapping_each_button_stores_its_scheme_and_closes) {
    const auto tous = attendus();
    for (int i = 0; i < 6; ++i) {
        scripted_user::expect("ggcoul", [i](form& f) { scripted_user::tap(f.find("Command2", i)); });
        ecran().show_modal();
        EXPECT_FALSE(ecran().loaded()) << "button " << i;
        verifie_classes(tous.at(i), i);
    }
}

TEST_F(ggcoul_test, opening_reloads_the_classes_from_the_settings_file) {
    jeux_couleurs::applique(4);
    parametres::ecrit(1705, "NON");  // no integer marker: class 5's text is not set
    parametres::ecrit(1712, "#I#255");
    coul_texte.fill(7);
    coul_fond.fill(7);
    const std::string avant = fichier();
    std::array<std::int32_t, 11> texte{}, fond{};
    scripted_user::expect("ggcoul", [&](form& f) {
        texte = coul_texte;
        fond = coul_fond;
        f.unload();
    });
    ecran().show_modal();
    EXPECT_EQ(fichier(), avant) << "opening the screen writes nothing";
    for (std::size_t k = 1; k <= 9; ++k) {
        EXPECT_EQ(texte[k], k == 5 ? -1 : 0) << k;
        EXPECT_EQ(fond[k], k == 2 ? 255 : 0x80C0A0) << k;
    }
    // Elements 0 and 10 belong to no class.
    EXPECT_EQ(texte[0], 7);
    EXPECT_EQ(fond[10], 7);
}

TEST_F(ggcoul_test, an_index_past_the_custom_scheme_only_closes) {
    const std::string avant = fichier();
    coul_fond[1] = 123;
    scripted_user::expect("ggcoul", [](form&) { ggcoul::instance().Command2_Click(7); });
    ecran().show_modal();
    EXPECT_FALSE(ecran().loaded());
    EXPECT_EQ(fichier(), avant);
    EXPECT_EQ(coul_fond[1], -1) << "the reload at opening, and nothing applied since";
}

TEST_F(ggcoul_test, six_buttons_fill_the_main_window_between_the_bars) {
    struct cas {
        int largeur, hauteur;
        double gauche;
    };
    for (const cas c : {cas{800, 600, 300}, cas{1024, 768, 0}, cas{600, 1000, 4500}}) {
        taille(c.largeur, c.hauteur, c.gauche);
        const double w = c.largeur * 15.0, h = c.hauteur * 15.0, pas = (h - 1200) / 6;
        scripted_user::expect("ggcoul", [&](form& f) {
            EXPECT_EQ(f.left(), c.gauche);
            EXPECT_EQ(f.top(), 0);
            EXPECT_EQ(f.width(), w);
            EXPECT_EQ(f.height(), h);
            std::set<std::pair<QRgb, QRgb>> apercus;
            for (int i = 0; i < 6; ++i) {
                auto* b = f.get<platform::picture_button>("Command2", i);
                ASSERT_NE(b, nullptr);
                EXPECT_TRUE(b->visible());
                EXPECT_EQ(b->left(), 200);
                EXPECT_EQ(b->width(), w - 400);
                EXPECT_DOUBLE_EQ(b->top(), 600 + i * pas);
                EXPECT_DOUBLE_EQ(b->height(), pas);
                ASSERT_FALSE(b->pixmap().isNull());
                EXPECT_EQ(b->pixmap().size(), QSize(80, 52));
                // Each preview shows its own scheme: class 1's key, top left.
                const QImage apercu = b->pixmap().toImage();
                apercus.insert({apercu.pixel(4, 20), apercu.pixel(10, 23)});
                auto* image = f.get<platform::picture>("Image1", i);
                ASSERT_NE(image, nullptr);
                EXPECT_FALSE(image->visible());
            }
            EXPECT_EQ(apercus.size(), 6u) << "previews look alike";
            EXPECT_DOUBLE_EQ(f.find("Command2", 5)->top() + f.find("Command2", 5)->height(), h - 600);
            auto* bas = f.get<platform::label>("label_bas");
            EXPECT_EQ(bas->caption(), "Choix des couleurs");
            EXPECT_EQ(bas->top(), h - 390);
            EXPECT_EQ(bas->width(), w);
            EXPECT_EQ(f.get<platform::label>("label_haut")->caption(), "");
            EXPECT_EQ(f.window()->windowTitle(), QString("Gestion des Couleurs"));
            f.unload();
        });
        ecran().show_modal();
    }
    EXPECT_EQ(jeux_couleurs::predefini(3).libelle, std::string("N & B"));
}

TEST_F(ggcoul_test, declining_the_reset_keeps_the_screen_open_for_a_choice) {
    std::string question;
    scripted_user::expect("ggcoul", [](form& f) {
        scripted_user::double_tap(f.find("label_bas"));
        EXPECT_TRUE(f.loaded());
        scripted_user::tap(f.find("Command2", 1));
    });
    scripted_user::expect("mini_97", [&](form& f) {
        question = texte_message;
        scripted_user::answer(7)(f);
    });
    ecran().show_modal();
    EXPECT_EQ(question,
              cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?"));
    EXPECT_EQ(record(1711), txt::pad("#I#" + txt::str(0xBCFF43), 20));
}

TEST_F(ggcoul_test, confirming_the_reset_ends_the_program_without_a_scheme) {
    scripted_user::expect("ggcoul", [](form& f) { scripted_user::double_tap(f.find("label_bas")); });
    scripted_user::expect("mini_97", scripted_user::answer(6));
    EXPECT_EXIT(
        {
            ecran().show_modal();
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();  // the expectations were used in the child only
    EXPECT_EQ(record(1711), std::string(20, ' '));
}

}  // namespace
