// The screen-format chooser porpay: the two pictures and the typed
// resolution, driven on the real screen; the formats without a display.
#include <gtest/gtest.h>

#include "configuration/porpay.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

class porpay_test : public wvtest::folder_test {
  protected:
    void SetUp() override {
        wvtest::folder_test::SetUp();
        wvtest::write_bytes(work / "wfenzo42.wdo", std::string(40000, ' '));
        ASSERT_TRUE(parametres::fichier().open("wfenzo42.wdo"));
    }
    std::string record2() { return parametres::lit(2); }
    // What the user types on the keypad, and what the keypad was asked.
    scripted_user::action tape(const std::string& saisie, std::string* invite = nullptr) {
        return [saisie, invite](platform::form& f) {
            if (invite) *invite = texte_message;
            EXPECT_EQ(ligne_travail, "") << "the resolution must not be typed masked";
            texte_message = saisie;
            f.unload();
        };
    }
    wvtest::screen_double keypad{"clav_num"};
};

TEST_F(porpay_test, formats_computed_from_the_display) {
    using format_ecran::enregistrement;
    EXPECT_EQ(enregistrement(format_ecran::tablette(1920 * 15, 1080 * 15)), "#I#0:00756:01050");
    EXPECT_EQ(enregistrement(format_ecran::classique(1920 * 15, 1080 * 15)), "#I#0:01920:01050");
    const auto t = format_ecran::tablette(1280 * 15, 1024 * 15);
    EXPECT_EQ(t.hauteur, 994);
    EXPECT_EQ(t.largeur, 716);
    // A portrait display: the format keeps to the display's width.
    const auto p = format_ecran::tablette(800 * 15, 1280 * 15);
    EXPECT_EQ(p.largeur, 800);
    EXPECT_EQ(p.hauteur, 1111);
}

TEST_F(porpay_test, typed_sides_are_whole_numbers_that_fit_five_digits) {
    struct cas {
        const char* texte;
        std::optional<long> attendu;
    };
    for (const cas c :
         {cas{"1024", 1024}, cas{"3000", 3000}, cas{"99999", 99999}, cas{"767.5", 768}, cas{"", {}},
          cas{"0", {}}, cas{"-800", {}}, cas{"100000", {}}, cas{"abc", {}}, cas{"99999999999", {}}})
        EXPECT_EQ(format_ecran::cote_saisi(c.texte), c.attendu) << c.texte;
}

TEST_F(porpay_test, tablet_picture_stores_the_portrait_format_and_closes) {
    const double h = platform::screen_height_twips() / 15;
    scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("Image1")); });
    porpay::instance().show_modal();
    const auto attendu =
        format_ecran::tablette(platform::screen_width_twips(), platform::screen_height_twips());
    EXPECT_EQ(attendu.hauteur, static_cast<long>(h) - 30);
    EXPECT_EQ(record2(), txt::pad(format_ecran::enregistrement(attendu), 20));
    EXPECT_EQ(largeur_ecran, attendu.largeur);
    EXPECT_EQ(hauteur_ecran, attendu.hauteur);
    EXPECT_FALSE(porpay::instance().loaded());
}

TEST_F(porpay_test, classic_picture_stores_the_display_width) {
    scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("Image2")); });
    porpay::instance().show_modal();
    const long w = txt::round_even(platform::screen_width_twips() / 15);
    EXPECT_EQ(txt::val(txt::mid(record2(), 6, 5)), w);
    EXPECT_EQ(largeur_ecran, w);
}

TEST_F(porpay_test, typed_resolution_is_stored_and_the_globals_wait_for_the_next_reading) {
    parametres::ecrit(2, "#I#0:00800:00600");
    largeur_ecran = 800;
    ligne_travail = "#CACHE";
    std::string invite_largeur, invite_hauteur;
    scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("bt_coul")); });
    scripted_user::expect("clav_num", tape("1024", &invite_largeur));
    scripted_user::expect("clav_num", tape("768", &invite_hauteur));
    porpay::instance().show_modal();
    EXPECT_EQ(invite_largeur, cp("Entrez la résolution Horizontale ?|800"));
    EXPECT_EQ(invite_hauteur, cp("Entrez la résolution Verticale ?|600"));
    EXPECT_EQ(record2(), "#I#0:01024:00768    ");
    EXPECT_EQ(largeur_ecran, 800);
    EXPECT_FALSE(porpay::instance().loaded());
}

TEST_F(porpay_test, typed_resolution_beyond_2000_is_stored_as_typed) {
    scripted_user::expect("porpay", [](platform::form& f) { scripted_user::tap(f.find("bt_coul")); });
    std::string invite;
    scripted_user::expect("clav_num", tape("3000", &invite));
    scripted_user::expect("clav_num", tape("768"));
    porpay::instance().show_modal();
    EXPECT_EQ(invite, cp("Entrez la résolution Horizontale ?|0"));
    EXPECT_EQ(record2(), "#I#0:03000:00768    ");
    Module1::lit_parametres();
    EXPECT_EQ(largeur_ecran, 800);
    EXPECT_EQ(hauteur_ecran, 768);
}

TEST_F(porpay_test, refused_answers_store_nothing_and_leave_the_chooser_open) {
    parametres::ecrit(2, "#I#0:00800:00600");
    // Each refusal leaves the chooser open; the user finally touches the classic picture.
    scripted_user::expect("porpay", [](platform::form& f) {
        scripted_user::tap(f.find("bt_coul"));  // width, then an empty height
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(parametres::lit(2), "#I#0:00800:00600    ");
        scripted_user::tap(f.find("bt_coul"));  // an empty width
        scripted_user::tap(f.find("bt_coul"));  // a width of 0
        scripted_user::tap(f.find("bt_coul"));  // a height that does not fit five digits
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(parametres::lit(2), "#I#0:00800:00600    ");
        scripted_user::tap(f.find("Image2"));
    });
    scripted_user::expect("clav_num", tape("1024"));
    scripted_user::expect("clav_num", tape(""));
    scripted_user::expect("clav_num", tape(""));
    scripted_user::expect("clav_num", tape("0"));
    scripted_user::expect("clav_num", tape("1024"));
    scripted_user::expect("clav_num", tape("123456"));
    porpay::instance().show_modal();
    EXPECT_EQ(txt::mid(record2(), 1, 5), "#I#0:");
    EXPECT_EQ(txt::val(txt::mid(record2(), 6, 5)), txt::round_even(platform::screen_width_twips() / 15));
}

TEST_F(porpay_test, shows_its_keypad_picture_centred_on_the_display) {
    scripted_user::expect("porpay", [](platform::form& f) {
        auto* bouton = f.get<platform::picture_button>("bt_coul");
        ASSERT_NE(bouton, nullptr);
        EXPECT_EQ(bouton->pixmap().cacheKey(), icc::bt_coul(66).cacheKey());
        EXPECT_EQ(f.left(), (platform::screen_width_twips() - f.width()) / 2);
        EXPECT_EQ(f.top(), (platform::screen_height_twips() - f.height()) / 2);
        EXPECT_EQ(f.get<platform::label>("Label1")->caption(),
                  "Cliquez sur le format Tablette ou Ecran classique ");
        for (int i = 0; i < 8; ++i) EXPECT_NE(f.find("ccb", i), nullptr) << i;
        scripted_user::tap(f.find("Image1"));
    });
    porpay::instance().show_modal();
}

}  // namespace
