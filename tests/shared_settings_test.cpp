// The settings file: creation, the 400-byte rule, display settings and the
// default write-back convention.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

class settings : public wvtest::folder_test {
  protected:
    wvtest::screen_double chooser{"porpay"};
    wvtest::screen_double message_box{"mini_97"};
    // What the screen-format chooser does when it closes with a format.
    static scripted_user::action choisit_format(const char* enreg) {
        return [enreg](platform::form& f) {
            parametres::ecrit(2, enreg);
            f.unload();
        };
    }
    // An existing 400-byte file with a screen format recorded.
    static void ouvre_fichier_avec_format() {
        wvtest::write_bytes("wfenzo42.wdo",
                            std::string(20, ' ') + "#I#0:00800:00600    " + std::string(360, ' '));
        w_velmo_2::ouvre_parametres();
    }
    std::string record(const std::string& bytes, long n) {
        return bytes.substr(static_cast<std::size_t>(n - 1) * 20, 20);
    }
};

TEST_F(settings, first_opening_creates_the_file_and_asks_for_the_screen_format) {
    scripted_user::expect("porpay", choisit_format("#I#0:01024:00768"));
    w_velmo_2::ouvre_parametres();
    const std::string b = wvtest::read_bytes("wfenzo42.wdo");
    ASSERT_EQ(b.size(), 40000u);
    EXPECT_EQ(record(b, 2), "#I#0:01024:00768    ");
    for (long n : {1L, 3L, 999L, 1201L, 2000L}) EXPECT_EQ(record(b, n), std::string(20, ' ')) << n;
    for (long n = 1000; n <= 1200; ++n) {
        const std::string r = record(b, n);
        EXPECT_EQ(r.find_first_not_of("0123456789"), std::string::npos) << n << ": " << r;
    }
    const std::string id = Module1::code_tablette();
    EXPECT_EQ(id.size(), 10u);
    EXPECT_EQ(id.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(record(b, 1087).substr(0, 10), id);
    EXPECT_EQ(id_tablette, id);
    EXPECT_EQ(Module1::code_tablette(), id) << "the identification is stable";
}

TEST_F(settings, a_short_file_is_rebuilt_and_a_400_byte_one_kept) {
    wvtest::write_bytes("wfenzo42.wdo", std::string(399, 'x'));
    scripted_user::expect("porpay", choisit_format("#I#0:00800:00600"));
    w_velmo_2::ouvre_parametres();
    EXPECT_EQ(wvtest::read_bytes("wfenzo42.wdo").size(), 40000u);
    platform::record_file::close_all();

    std::string kept = std::string(20, ' ') + "#I#0:00800:00600    " + std::string(360, 'y');
    wvtest::write_bytes("wfenzo42.wdo", kept);
    w_velmo_2::ouvre_parametres();  // format recorded: no chooser
    EXPECT_EQ(wvtest::read_bytes("wfenzo42.wdo"), kept);
}

TEST_F(settings, display_settings_from_the_records) {
    ouvre_fichier_avec_format();
    struct {
        const char* format;
        int largeur, hauteur;
    } formats[] = {{"#I#0:01024:00768", 1024, 768},
                   {"#I#0:02400:00768", 800, 768},
                   {"#I#0:00800:03000", 800, 800},
                   {"#I#0:99999:00600", 800, 600}};  // 99999 does not fit: the previous width stays
    largeur_ecran = 0;
    for (const auto& f : formats) {
        parametres::ecrit(2, f.format);
        Module1::lit_parametres();
        EXPECT_EQ(largeur_ecran, f.largeur) << f.format;
        EXPECT_EQ(hauteur_ecran, f.hauteur) << f.format;
    }
}

TEST_F(settings, key_grid_reads_three_characters_and_keeps_sound_defaults) {
    ouvre_fichier_avec_format();
    struct {
        const char* r25;
        const char* r26;
        int colonnes, rangees;
    } cases[] = {{"", "", 6, 8},
                 {"#I#12", "#I#4", 12, 4},
                 {"#I#2500", "#I#008", 250, 8},
                 {"#I#0", "#I#-3", 6, 8},  // no division by zero
                 {"#I#", "#I#abc", 6, 8}};
    for (const auto& c : cases) {
        parametres::ecrit(25, c.r25);
        parametres::ecrit(26, c.r26);
        Module1::lit_parametres();
        EXPECT_EQ(nb_colonnes_touches, c.colonnes) << c.r25;
        EXPECT_EQ(nb_rangees_touches, c.rangees) << c.r26;
        EXPECT_FLOAT_EQ(larg_touche, 800.0f * 15 / c.colonnes);
        EXPECT_FLOAT_EQ(haut_touche, (600.0f * 15 - 1000) / c.rangees);
    }
    // An unset record gets its default written back.
    parametres::ecrit(25, "");
    Module1::lit_parametres();
    EXPECT_EQ(parametres::lit(25), "#I#006              ");
}

TEST_F(settings, colour_classes_unset_read_minus_one_and_write_nothing) {
    ouvre_fichier_avec_format();
    parametres::ecrit(1703, "#I#255");
    parametres::ecrit(1713, "#I#-2147483633");
    Module1::lit_parametres();
    EXPECT_EQ(coul_texte[3], 255);
    EXPECT_EQ(coul_fond[3], static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(coul_texte[5], -1);
    EXPECT_EQ(parametres::lit(1705), std::string(20, ' '));
}

TEST_F(settings, integer_and_switch_conventions) {
    ouvre_fichier_avec_format();
    EXPECT_EQ(parametres::lit_entier(30, "#I#20"), 20);
    EXPECT_EQ(parametres::lit(30), "#I#20               ");
    parametres::ecrit(30, "#I#");
    EXPECT_EQ(parametres::lit_entier(30, "#I#20"), 0) << "an empty entry reads 0, not the default";
    parametres::ecrit(55, "NON ");
    EXPECT_TRUE(parametres::est_non(55));
    parametres::ecrit(55, "non");
    EXPECT_FALSE(parametres::est_non(55));
    parametres::ecrit(201, "  OUI ");
    EXPECT_TRUE(parametres::est_oui(201));
    parametres::ecrit(201, "OUI!");
    EXPECT_FALSE(parametres::est_oui(201));
    // A record read past the end of a 400-byte file is unset.
    EXPECT_EQ(parametres::lit(1500), std::string(20, ' '));
}

TEST_F(settings, an_integer_setting_is_its_nearest_whole_number_or_else_its_default) {
    ouvre_fichier_avec_format();
    struct {
        const char* enreg;
        long valeur;
    } cas[] = {
        {"#I#27.6", 28},
        {"#I#27.5", 28},
        {"#I#26.5", 26},
        {"#I#-3.7", -4},
        {"#I# 2 7", 27},
        {"#I#2147483647", 2147483647},
        {"#I#-2147483648", -2147483648L},
        // numbers no 32-bit setting holds count as absent: the default stands
        {"#I#1e19", 20},
        {"#I#-1e19", 20},
        {"#I#1e999", 20},
        {"#I#2147483648", 20},
        {"#I#2147483647.5", 20},
        {"#I#-2147483649", 20},
        {"#I#99999999999999999", 20},
    };
    for (const auto& c : cas) {
        parametres::ecrit(30, c.enreg);
        EXPECT_EQ(parametres::lit_entier(30, "#I#20"), c.valeur) << c.enreg;
        // Only an unset record is rewritten.
        EXPECT_EQ(parametres::lit(30), txt::pad(c.enreg, 20));
    }
    // A reader of a fixed number of characters rounds what it takes.
    parametres::ecrit(30, "#I#27.6");
    EXPECT_EQ(parametres::lit_entier(30, "#I#20", 2), 27);
    EXPECT_EQ(parametres::lit_entier(30, "#I#20", 4), 28);
    parametres::ecrit(30, "#I#1e99");
    EXPECT_EQ(parametres::lit_entier(30, "#I#20", 3), 1000000000);
}

TEST_F(settings, a_settings_file_that_cannot_be_opened_stops_the_program_in_order) {
    std::filesystem::create_directory("wfenzo42.wdo");  // cannot be opened as a file
    EXPECT_EXIT(
        {
            scripted_user::expect("mini_97", [](platform::form& f) {
                std::fprintf(stderr, "message: %s\n", texte_message.c_str());
                f.unload();
            });
            w_velmo_2::ouvre_parametres();
        },
        ::testing::ExitedWithCode(0), "message: Impossible d'ouvrir");
}

}  // namespace
