// The key-programming editor: the page's records and the grid's cells
// without a display, then the editor on a real window driven by real taps,
// with the file compared byte for byte.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "configuration/colour_palette.h"
#include "configuration/key_page.h"
#include "configuration/w_prog.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/record_files.h"

namespace {

namespace col = page_touches::col;
using scripted_user::tap;
using scripted_user::tap_cell;
using wvtest::grid_of;

programmation::touche touche(std::string ref, std::string libelle, std::string lh, std::string grap,
                             std::string coul = "255", std::string acte = "#AJOU#X") {
    programmation::touche t;
    t.reference = std::move(ref);
    t.libelle = std::move(libelle);
    t.lh = std::move(lh);
    t.grap = std::move(grap);
    t.visu = "1";
    t.size = "14";
    t.coul = std::move(coul);
    t.acte = std::move(acte);
    return t;
}

// ---------------------------------------------------------------- without a display

TEST(key_page, a_row_read_and_written_back_gives_the_same_record_and_keeps_the_spare_bytes) {
    std::string enreg = programmation::encode(touche("REF1", "Caf\xE9 cr\xE8me", "21", "012N", "16711680"));
    enreg.replace(57, 2, "ZZ");
    enreg.replace(77, 77, std::string(77, 's'));
    const auto l = page_touches::ligne_de(7, programmation::decode(enreg));
    EXPECT_EQ(l[col::numero], "07");
    EXPECT_EQ(l[col::reference], txt::pad("REF1", 15));
    EXPECT_EQ(l[col::image], "012N");
    EXPECT_EQ(l[col::couleur], "");
    EXPECT_EQ(l[col::valeur_couleur], txt::pad("16711680", 10));
    EXPECT_EQ(page_touches::enreg_de(l, enreg), enreg);
    EXPECT_EQ(page_touches::valeur_couleur(l[col::valeur_couleur]), 16711680);
}

TEST(key_page, fields_are_trimmed_where_they_should_be_and_cut_to_their_width) {
    page_touches::ligne l;
    l[col::reference] = "  ABC  ";
    l[col::libelle] = "  " + std::string(45, 'x');
    l[col::lh] = "123";
    l[col::image] = "7";
    l[col::acte] = " #FONC#FIN";
    l[col::valeur_couleur] = "-2147483633";
    // A record past the end of the file reads as blanks, without a line end.
    const std::string e = page_touches::enreg_de(l, std::string(256, ' '));
    ASSERT_EQ(e.size(), 256u);
    EXPECT_EQ(e.substr(0, 15), txt::pad("ABC", 15));
    EXPECT_EQ(e.substr(15, 40), std::string(40, 'x'));
    EXPECT_EQ(e.substr(55, 2), "12");
    EXPECT_EQ(e.substr(59, 4), "7   ");
    EXPECT_EQ(e.substr(154, 100), txt::pad(" #FONC#FIN", 100));
    EXPECT_EQ(e.substr(67, 10), "-214748363");
    EXPECT_EQ(e.substr(254), "\r\n");
    EXPECT_EQ(page_touches::valeur_couleur("-2147483633"), -2147483633LL);
    EXPECT_EQ(page_touches::valeur_couleur("  "), 0);
    EXPECT_EQ(page_touches::valeur_couleur("9e99"), 0);
}

TEST(key_page, block_copy_paste_and_cut) {
    auto stocke = [](const programmation::touche& t) {
        return programmation::decode(programmation::encode(t));
    };
    page_touches::ligne cinq = page_touches::ligne_de(5, stocke(touche("R5", "Cinq", "21", "003 ", "65280")));
    page_touches::ligne sept =
        page_touches::ligne_de(7, stocke(touche("R7", "Sept", "11", "009N", "255", "#FAMI#02")));
    const std::string bloc = page_touches::copie(cinq);
    EXPECT_EQ(std::count(bloc.begin(), bloc.end(), '\xA7'), 14);
    EXPECT_EQ(txt::left(bloc, 16), txt::pad("R5", 15) + "\xA7");

    page_touches::colle(sept, bloc);
    for (int c = 1; c <= col::derniere; ++c) EXPECT_EQ(sept[c], cinq[c]) << c;
    EXPECT_EQ(sept[col::numero], "07");

    // Nothing copied yet: nothing changes. A "§" inside a field shifts the
    // pieces but never writes past the last column.
    page_touches::ligne avant = sept;
    page_touches::colle(sept, "");
    EXPECT_EQ(sept, avant);
    page_touches::colle(sept, std::string(20, '\xA7'));
    for (int c = 1; c <= col::derniere; ++c) EXPECT_EQ(sept[c], "");

    page_touches::efface(cinq);
    EXPECT_EQ(cinq[col::numero], "05");
    for (int c = 1; c <= col::derniere; ++c) EXPECT_EQ(cinq[c], "");
}

TEST(key_page, a_typed_reference_shows_the_key_and_gives_an_empty_span_one_cell) {
    struct cas {
        std::string lh, attendu;
    };
    for (const cas& c : {cas{"  ", "11"}, cas{"", "11"}, cas{"21", "21"}, cas{" 3", " 3"}}) {
        page_touches::ligne l;
        l[col::lh] = c.lh;
        l[col::visu] = "0";
        page_touches::apres_reference(l);
        EXPECT_EQ(l[col::lh], c.attendu) << c.lh;
        EXPECT_EQ(l[col::visu], "1");
    }
}

TEST(key_page, typed_page_and_settings_record_numbers) {
    struct cas {
        std::string tape;
        int page;
        long record;
    };
    for (const cas& c : {cas{"3", 3, 3}, cas{" 12 ", 12, 12}, cas{"abc", 0, 0}, cas{"2.5", 2, 2},
                         cas{"3.5", 4, 4}, cas{"-1", -1, 0}, cas{"999", 999, 999}, cas{"1000", -1, 1000},
                         cas{"32768", -1, 0}, cas{"1e300", -1, 0}, cas{"0", 0, 0}}) {
        EXPECT_EQ(page_touches::page_demandee(c.tape), c.page) << c.tape;
        EXPECT_EQ(page_touches::numero_switch(c.tape), c.record) << c.tape;
    }
}

// ---------------------------------------------------------------- on a real window

platform::grid* g1_of(platform::form& f) {
    return grid_of(f, "g1");
}

// The user's answer on the standard input box ("" by cancelling it).
scripted_user::action repond(std::string texte, std::string* defaut = nullptr) {
    return [texte, defaut](platform::form& f) {
        auto* ligne = f.get<platform::text_box>("Text1");
        if (defaut) *defaut = ligne->text();
        if (texte.empty()) {
            tap(f.find("bt_annule"));
            return;
        }
        scripted_user::type_text(ligne, texte);
        tap(f.find("bt_ok"));
    };
}

void double_tap_cell(platform::grid* g, int r, int c) {
    QTest::mouseDClick(g, Qt::LeftButton, Qt::NoModifier, g->cell_rect(r, c).center());
}

class w_prog_test : public wvtest::order_screen_test {
  protected:
    void SetUp() override {
        order_screen_test::SetUp();
        w_velmo_2::ouvre_programmation();
        nb_colonnes_touches = 6;
        nb_rangees_touches = 8;
        platform::set_mouse_pointer(platform::pointer::normal);
    }
    std::string enreg(long n) { return programmation::fichier().read(n); }
    void pose(long n, const programmation::touche& t) {
        programmation::fichier().write(n, programmation::encode(t));
    }
    void pose_entete(long n, const std::string& haut, const std::string& bas) {
        programmation::touche t;
        t.libelle = haut;
        t.acte = bas;
        programmation::fichier().write(n, programmation::encode(t));
    }
    // Opens the editor, runs the user's actions, and ends with "Fin".
    void edite(std::function<void(platform::form&)> actions) {
        scripted_user::expect("w_prog", [actions](platform::form& f) {
            actions(f);
            if (f.loaded()) tap(f.find("Command1"));
        });
        w_prog::instance().show_modal();
    }
};

TEST_F(w_prog_test, opens_on_the_page_with_its_keys_header_colours_and_plan) {
    num_page = 2;
    pose(201, touche("REF1", "Caf\xE9", "21", "012N", "255"));
    pose(295, touche("LAST", "Dernier", "11", "000 ", "16711680"));
    pose(296, touche("HORS", "Hors page", "11", "000 "));
    pose_entete(298, "  Boissons  ", "  Chaudes ");
    const std::string avant = wvtest::read_bytes(programmation::nom_fichier);

    edite([](platform::form& f) {
        EXPECT_EQ(platform::mouse_pointer(), platform::pointer::arrow);
        auto* g = g1_of(f);
        EXPECT_EQ(g->rows(), 96);
        const char* titres[] = {"N\xB0", "Ref", "Libell\xE9", "LH", "Size", "Grap", "Visu", "Acte", "Coul"};
        for (int c = 0; c < 9; ++c) EXPECT_EQ(g->text(0, c), titres[c]);
        EXPECT_EQ(g->text(1, 0), "01");
        EXPECT_EQ(g->text(95, 0), "95");
        EXPECT_EQ(g->text(1, col::reference), txt::pad("REF1", 15));
        EXPECT_EQ(g->text(1, col::libelle), txt::pad("Caf\xE9", 40));
        EXPECT_EQ(g->text(1, col::lh), "21");
        EXPECT_EQ(g->text(1, col::taille), "14 ");
        EXPECT_EQ(g->text(1, col::image), "012N");
        EXPECT_EQ(g->text(1, col::visu), "1");
        EXPECT_EQ(g->text(1, col::couleur), "");
        EXPECT_EQ(g->cell_back_color(1, col::couleur), 255);
        EXPECT_EQ(g->cell_back_color(95, col::couleur), 16711680);
        EXPECT_EQ(g->text(1, col::valeur_couleur), txt::pad("255", 10));
        EXPECT_EQ(g->text(2, col::reference), std::string(15, ' '));
        // Column widths: the caption takes what the others and the scroll bar leave.
        EXPECT_EQ(g->col_width(col::acte), 4000);
        EXPECT_EQ(g->col_width(col::couleur), 300);
        EXPECT_EQ(g->col_width(col::valeur_couleur), 0);
        EXPECT_EQ(g->col_width(col::libelle), g->width() - 280 - 10800);
        EXPECT_EQ(f.get<platform::text_box>("Text1")->text(), "Boissons");
        EXPECT_EQ(f.get<platform::text_box>("Text2")->text(), "Chaudes");
        EXPECT_EQ(wvtest::caption_of(f, "Label1"), "2");

        auto* plan = grid_of(f, "g2");
        ASSERT_EQ(plan->cols(), 6);
        ASSERT_EQ(plan->rows(), 8);
        EXPECT_EQ(plan->text(0, 0), "1");
        EXPECT_EQ(plan->text(0, 5), "6");
        EXPECT_EQ(plan->text(1, 0), "7");
        EXPECT_EQ(plan->text(7, 5), "48");
        EXPECT_EQ(plan->width(), 6 * plan->col_width(0));
        EXPECT_FALSE(plan->cell_rect(7, 5).isEmpty());
    });
    EXPECT_EQ(base_page, 200);
    // Saved unchanged but for the header texts, which are kept trimmed.
    const std::string apres = wvtest::read_bytes(programmation::nom_fichier);
    ASSERT_EQ(apres.size(), avant.size());
    for (long n = 1; n <= 5000; ++n) {
        const bool pareil = apres.substr((n - 1) * 256, 256) == avant.substr((n - 1) * 256, 256);
        EXPECT_TRUE(pareil || n == 298) << n;
    }
    const auto entete = programmation::decode(enreg(298));
    EXPECT_EQ(entete.libelle, txt::pad("Boissons", 40));
    EXPECT_EQ(entete.acte, txt::pad("Chaudes", 100));
    EXPECT_EQ(enreg(298).substr(55, 99), avant.substr(297 * 256 + 55, 99));
    EXPECT_EQ(platform::mouse_pointer(), platform::pointer::normal);
}

TEST_F(w_prog_test, editing_cells_then_fin_writes_the_records_byte_for_byte) {
    pose(3, touche("", "Large", "21", "000 "));
    pose(4, touche("OLD", "Efface", "11", "000 "));
    edite([](platform::form& f) {
        auto* g = g1_of(f);
        std::string defaut;
        // A reference typed on a key of no span: shown, one cell.
        scripted_user::expect("input_box", repond("STEAK", &defaut));
        tap_cell(g, 1, col::reference);
        EXPECT_EQ(defaut, std::string(15, ' '));
        EXPECT_EQ(g->text(1, col::lh), "11");
        EXPECT_EQ(g->text(1, col::visu), "1");
        scripted_user::expect("input_box", repond("Steak frites"));
        tap_cell(g, 1, col::libelle);
        scripted_user::expect("input_box", repond("#AJOU#STEAK"));
        tap_cell(g, 1, col::acte);
        // A key whose span is set keeps it.
        scripted_user::expect("input_box", repond("LARGE"));
        tap_cell(g, 3, col::reference);
        EXPECT_EQ(g->text(3, col::lh), "21");
        // Cancelling the box empties the cell.
        scripted_user::expect("input_box", repond("", &defaut));
        tap_cell(g, 4, col::libelle);
        EXPECT_EQ(defaut, txt::pad("Efface", 40));
        EXPECT_EQ(g->text(4, col::libelle), "");
        // The colour cell takes the colour's value and shows it.
        scripted_user::expect("input_box", repond("65280", &defaut));
        tap_cell(g, 1, col::couleur);
        EXPECT_EQ(defaut, std::string(10, ' '));
        EXPECT_EQ(g->cell_back_color(1, col::couleur), 65280);
        // Enter on the grid edits the current cell like a touch.
        scripted_user::expect("input_box", repond("16"));
        tap_cell(g, 1, 0);  // the key number only picks the row
        EXPECT_EQ(g->row(), 1);
        g->set_col(col::taille);
        QTest::keyClick(g, Qt::Key_Return);
        EXPECT_EQ(g->text(1, col::taille), "16");
        f.get<platform::text_box>("Text1")->set_text("  Plats ");
    });
    programmation::touche t;
    t.reference = "STEAK";
    t.libelle = "Steak frites";
    t.lh = "11";
    t.visu = "1";
    t.size = "16";
    t.coul = "65280";
    t.acte = "#AJOU#STEAK";
    EXPECT_EQ(enreg(1), programmation::encode(t));
    EXPECT_EQ(programmation::decode(enreg(3)).reference, txt::pad("LARGE", 15));
    EXPECT_EQ(programmation::decode(enreg(3)).lh, "21");
    EXPECT_EQ(programmation::decode(enreg(4)).libelle, std::string(40, ' '));
    EXPECT_EQ(programmation::decode(enreg(4)).reference, txt::pad("OLD", 15));
    EXPECT_EQ(programmation::decode(enreg(98)).libelle, txt::pad("Plats", 40));
    EXPECT_EQ(enreg(2), programmation::enreg_vide());
    EXPECT_EQ(wvtest::read_bytes(programmation::nom_fichier).size(), 1280000u);
}

TEST_F(w_prog_test, the_picture_column_goes_through_the_key_picture_chooser) {
    pose(6, touche("R6", "Six", "11", "005 "));
    edite([](platform::form& f) {
        std::string recu;
        scripted_user::expect("lis_bout", [&recu](platform::form& chooser) {
            recu = ligne_travail;
            ligne_travail = "007N";
            chooser.unload();
        });
        tap_cell(g1_of(f), 6, col::image);
        EXPECT_EQ(recu, "005 ");
        EXPECT_EQ(g1_of(f)->text(6, col::image), "007N");
    });
    EXPECT_EQ(programmation::decode(enreg(6)).grap, "007N");
}

TEST_F(w_prog_test, copy_row_5_into_row_7_then_cut_row_5) {
    pose(5, touche("R5", "Cinq", "21", "003 ", "65280", "#FAMI#05"));
    pose(7, touche("R7", "Sept", "11", "009N", "255", "#FAMI#07"));
    edite([](platform::form& f) {
        auto* g = g1_of(f);
        auto* mode = f.get<platform::label>("Label4");
        // With the arrow pointer a double tap is only two touches of a cell.
        scripted_user::expect("input_box", repond(""));
        scripted_user::expect("input_box", repond(""));
        double_tap_cell(g, 9, col::libelle);

        tap(f.find("Command3"));
        EXPECT_EQ(mode->caption(), "COPIER");
        EXPECT_EQ(platform::mouse_pointer(), platform::pointer::up_arrow);
        tap_cell(g, 5, col::libelle);  // a touch in a block mode edits nothing
        double_tap_cell(g, 5, 0);
        EXPECT_EQ(platform::mouse_pointer(), platform::pointer::arrow);
        EXPECT_EQ(txt::left(wvtest::caption_of(f, "Label5"), 16), txt::pad("R5", 15) + "\xA7");

        tap(f.find("Command4"));
        EXPECT_EQ(mode->caption(), "COLLER");
        double_tap_cell(g, 7, col::acte);
        for (int c = 1; c <= col::derniere; ++c) EXPECT_EQ(g->text(7, c), g->text(5, c)) << c;
        EXPECT_EQ(g->cell_back_color(7, col::couleur), 65280);
        // The word stays, but the next operation needs the mode button again.
        EXPECT_EQ(mode->caption(), "COLLER");
        double_tap_cell(g, 8, col::acte);
        EXPECT_EQ(g->text(8, col::reference), std::string(15, ' '));

        // A mode button pressed twice leaves the mode.
        tap(f.find("Command5"));
        tap(f.find("Command5"));
        EXPECT_EQ(mode->caption(), "");
        EXPECT_EQ(platform::mouse_pointer(), platform::pointer::arrow);

        tap(f.find("Command5"));
        EXPECT_EQ(mode->caption(), "COUPER");
        double_tap_cell(g, 5, col::reference);
        for (int c = 1; c <= col::derniere; ++c) EXPECT_EQ(g->text(5, c), "") << c;
        EXPECT_EQ(txt::left(wvtest::caption_of(f, "Label5"), 16), txt::pad("R5", 15) + "\xA7");
    });
    std::string sept = enreg(7);
    EXPECT_EQ(programmation::decode(sept).reference, txt::pad("R5", 15));
    EXPECT_EQ(programmation::decode(sept).acte, txt::pad("#FAMI#05", 100));
    EXPECT_EQ(programmation::decode(sept).coul, txt::pad("65280", 10));
    programmation::touche vide;
    EXPECT_EQ(enreg(5), programmation::encode(vide));
}

TEST_F(w_prog_test, changing_page_saves_the_page_shown_then_shows_the_other) {
    pose(1, touche("P0", "Page zero", "11", "000 "));
    pose(301, touche("P3", "Page trois", "11", "000 "));
    pose(395, touche("P3L", "Fin trois", "11", "000 "));
    pose_entete(398, "Desserts", "");
    edite([](platform::form& f) {
        auto* g = g1_of(f);
        scripted_user::expect("input_box", repond("Page Zero"));
        tap_cell(g, 1, col::libelle);
        f.get<platform::text_box>("Text2")->set_text("Bas zero");
        std::string defaut;
        scripted_user::expect("input_box", repond("3", &defaut));
        tap(f.find("Command2"));
        EXPECT_EQ(defaut, "0");
        EXPECT_EQ(wvtest::caption_of(f, "Label1"), "3");
        EXPECT_EQ(g->text(1, col::reference), txt::pad("P3", 15));
        EXPECT_EQ(g->text(95, col::reference), txt::pad("P3L", 15));
        EXPECT_EQ(f.get<platform::text_box>("Text1")->text(), "Desserts");
        EXPECT_EQ(f.get<platform::text_box>("Text2")->text(), "");
        // A cancelled box, or a page the file cannot hold, changes nothing.
        scripted_user::expect("input_box", repond(""));
        tap(f.find("Command2"));
        scripted_user::expect("input_box", repond("-2"));
        tap(f.find("Command2"));
        scripted_user::expect("input_box", repond("5000"));
        tap(f.find("Command2"));
        EXPECT_EQ(wvtest::caption_of(f, "Label1"), "3");
        scripted_user::expect("input_box", repond("Trois"));
        tap_cell(g, 2, col::libelle);
    });
    EXPECT_EQ(num_page, 3);
    EXPECT_EQ(base_page, 300);
    EXPECT_EQ(programmation::decode(enreg(1)).libelle, txt::pad("Page Zero", 40));
    EXPECT_EQ(programmation::decode(enreg(98)).acte, txt::pad("Bas zero", 100));
    EXPECT_EQ(programmation::decode(enreg(302)).libelle, txt::pad("Trois", 40));
    EXPECT_EQ(programmation::decode(enreg(398)).libelle, txt::pad("Desserts", 40));
}

TEST_F(w_prog_test, a_page_beyond_the_created_records_extends_the_file_when_saved) {
    edite([](platform::form& f) {
        scripted_user::expect("input_box", repond("60"));
        tap(f.find("Command2"));
        scripted_user::expect("input_box", repond("LOIN"));
        tap_cell(g1_of(f), 1, col::reference);
    });
    EXPECT_EQ(programmation::decode(enreg(6001)).reference, txt::pad("LOIN", 15));
    EXPECT_EQ(wvtest::read_bytes(programmation::nom_fichier).size(), 6098u * 256u);
    EXPECT_EQ(txt::right(enreg(6098), 2), "\r\n");
}

TEST_F(w_prog_test, a_touch_on_the_palette_gives_the_current_key_its_colour) {
    edite([](platform::form& f) {
        auto* g = g1_of(f);
        scripted_user::expect("input_box", repond("R4"));
        tap_cell(g, 4, col::reference);
        auto* palette = f.get<platform::picture>("Picture1");
        ASSERT_NE(palette, nullptr);
        const QPoint noir(palette->widget()->width() - 3, palette->widget()->height() - 3);
        const std::int64_t attendue = palette->point(platform::to_twips(40), platform::to_twips(10));
        EXPECT_NE(attendue, 0);
        QTest::mouseClick(palette->widget(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
        EXPECT_EQ(g->cell_back_color(4, col::couleur), attendue);
        EXPECT_EQ(g->text(4, col::valeur_couleur), txt::format(static_cast<double>(attendue), "0"));
        QTest::mouseClick(palette->widget(), Qt::LeftButton, Qt::NoModifier, noir);
        EXPECT_EQ(g->text(4, col::valeur_couleur), "0");
        QTest::mouseClick(palette->widget(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(palette->widget()->width() - 3, 3));
    });
    EXPECT_EQ(programmation::decode(enreg(4)).coul,
              txt::pad(txt::str(palette_couleurs::couleur(0, palette_couleurs::colonnes - 1)), 10));
}

TEST_F(w_prog_test, switch_writes_any_settings_record_padded_to_20) {
    wvtest::screen_double boite{"mini_97"};
    parametres::ecrit(200, "NON");
    edite([](platform::form& f) {
        std::string question;
        scripted_user::expect("mini_97", scripted_user::answer(6, "200"));
        scripted_user::expect("mini_97", [&question](platform::form& box) {
            question = texte_message;
            EXPECT_EQ(type_message, 129);
            type_message = 6;
            texte_message = "OUI";
            box.unload();
        });
        tap(f.find("Command6"));
        EXPECT_EQ(question, "Valeur du switch N\xB0 200 ?|" + txt::pad("NON", 20));
        // No number, or an empty value: nothing is written.
        scripted_user::expect("mini_97", scripted_user::answer(6, ""));
        tap(f.find("Command6"));
        scripted_user::expect("mini_97", scripted_user::answer(6, "0"));
        tap(f.find("Command6"));
        scripted_user::expect("mini_97", scripted_user::answer(6, "201"));
        scripted_user::expect("mini_97", scripted_user::answer(6, ""));
        tap(f.find("Command6"));
    });
    EXPECT_EQ(parametres::lit(200), "OUI" + std::string(17, ' '));
    EXPECT_EQ(parametres::lit(201), std::string(20, ' '));
    EXPECT_EQ(wvtest::read_bytes(parametres::nom_fichier).size(), 200u * 20u);
}

TEST_F(w_prog_test, a_page_that_cannot_be_written_is_reported_and_stays_on_screen) {
    programmation::fichier().close();
    std::filesystem::remove(programmation::nom_fichier);
    std::filesystem::create_directory(programmation::nom_fichier);
    std::string message;
    scripted_user::expect("w_prog", [&message](platform::form& f) {
        scripted_user::expect("mini_97", [&message](platform::form& box) {
            message = texte_message;
            box.unload();
        });
        tap(f.find("Command1"));
        EXPECT_TRUE(f.loaded());
        f.unload();
    });
    w_prog::instance().show_modal();
    EXPECT_NE(message.find("progppb.wdo"), std::string::npos);
    EXPECT_EQ(platform::mouse_pointer(), platform::pointer::normal);
}

}  // namespace
