// The line editor on a real window: reading the received line, the arrows and
// the total, complement edits through the dialogs, deletion and validation.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cmath>

#include "order/complement_grid.h"
#include "order/order_file.h"
#include "order/sel_arti.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace {

using scripted_user::tap;
using scripted_user::tap_cell;
using wvtest::caption_of;
using wvtest::grid_of;

const std::string entrecote = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";

class sel_arti_test : public wvtest::order_screen_test {
  protected:
    wvtest::screen_double boite{"mini_97"}, clavier{"clavv"}, details{"sai_detail"};

    // Shows the editor on a line and returns what it hands back.
    static std::string edite(const std::string& ligne, scripted_user::action a) {
        ligne_travail = ligne;
        scripted_user::expect("sel_arti", std::move(a));
        sel_arti::instance().show_modal();
        return ligne_travail;
    }
    static void valide(platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 5); }
    static platform::control* plus(platform::form& f) { return f.find("bt_droi"); }
    static platform::control* moins(platform::form& f) { return f.find("bt_gauc"); }
};

TEST_F(sel_arti_test, a_new_article_validated_unchanged_gets_quantity_one) {
    const std::string l = edite("  " + entrecote + "  ", [](platform::form& f) {
        EXPECT_EQ(caption_of(f, "Label1"), "Entrec\xF4te");
        EXPECT_EQ(caption_of(f, "Label6"), "1");
        EXPECT_EQ(caption_of(f, "Label3"), "18.50 ");
        EXPECT_EQ(caption_of(f, "Label5"), "18.50 ");
        EXPECT_EQ(caption_of(f, "label_haut"), "Validation d'un Article");
        EXPECT_EQ(grid_of(f, "g1")->text(0, 0), cp("Informations complémentaires"));
        EXPECT_EQ(grid_of(f, "g1")->rows(), 301);
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##");
    EXPECT_EQ(parametres::lit(sel_arti::enreg_taille_article), txt::pad("#I#20", 20));
    EXPECT_EQ(parametres::lit(sel_arti::enreg_taille_detail), txt::pad("#I#18", 20));
}

TEST_F(sel_arti_test, a_second_quantity_field_of_the_catalogue_never_reaches_the_order_file) {
    // The catalogue text carries a field of its own, then one more: the first
    // is the quantity the editor starts from, the second must go as well.
    const std::string article = entrecote + "##QUA:001.00####QUA:x";
    const std::string l = edite(article, [](platform::form& f) {
        EXPECT_EQ(caption_of(f, "Label6"), "1");
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##");
    const std::string octets = fichier_commande::contenu({"0123456789", 3, "#N0124 ", {l}});
    EXPECT_NE(octets.find("#REF#2000200000013  {1.00}\r\n"), std::string::npos) << octets;
}

TEST_F(sel_arti_test, prices_and_sizes_beyond_what_a_setting_holds) {
    parametres::ecrit(sel_arti::enreg_taille_article, "#I#1e19");
    parametres::ecrit(sel_arti::enreg_taille_detail, "#I#27.6");
    const std::string cher = "2000200000013  |DES:Truffe|PVE:1e99|FA1:3|FA2:0|";
    const std::string l = edite(cher, [](platform::form& f) {
        // A size no setting can hold is the record's default; others are rounded.
        EXPECT_EQ(f.find("Label1")->font_size(), 20);
        EXPECT_EQ(grid_of(f, "g1")->font_size(), 28);
        EXPECT_EQ(caption_of(f, "Label3"), "1" + std::string(99, '0') + ".00 ");
        tap(plus(f));
        EXPECT_EQ(caption_of(f, "Label5"), "2" + std::string(99, '0') + ".00 ");
        valide(f);
    });
    EXPECT_EQ(l, cher + " ##QUA:002.00##");
    // The records are left as they were typed.
    EXPECT_EQ(parametres::lit(sel_arti::enreg_taille_article), txt::pad("#I#1e19", 20));
}

TEST_F(sel_arti_test, an_order_line_comes_back_unchanged_when_nothing_is_edited) {
    const std::string ligne = entrecote + " ##QUA:002.00##{Saignante}{Frites}";
    const std::string l = edite(ligne, [](platform::form& f) {
        EXPECT_EQ(caption_of(f, "Label6"), "2");
        EXPECT_EQ(caption_of(f, "Label5"), "37.00 ");
        EXPECT_EQ(grid_of(f, "g1")->text(1, 0), "Saignante");
        EXPECT_EQ(grid_of(f, "g1")->text(2, 0), "Frites");
        EXPECT_EQ(grid_of(f, "g1")->text(3, 0), "");
        valide(f);
    });
    EXPECT_EQ(l, ligne);
    EXPECT_EQ(edite(l, [](platform::form& f) { valide(f); }), ligne);
}

TEST_F(sel_arti_test, arrows_keep_the_quantity_between_1_and_999_and_update_the_total) {
    const std::string cafe = "2000700000018  |DES:Caf\xE9|PVE:2.50|FA1:7|FA2:0|";
    std::string l = edite(cafe, [](platform::form& f) {
        tap(moins(f));
        EXPECT_EQ(caption_of(f, "Label6"), "1");
        EXPECT_EQ(caption_of(f, "Label5"), "2.50 ");
        tap(plus(f));
        EXPECT_EQ(caption_of(f, "Label5"), "5.00 ");
        tap(plus(f));
        EXPECT_EQ(caption_of(f, "Label3"), "2.50 ");
        EXPECT_EQ(caption_of(f, "Label5"), "7.50 ");
        valide(f);
    });
    EXPECT_EQ(l, cafe + " ##QUA:003.00##");
    l = edite(cafe + " ##QUA:998.00##", [](platform::form& f) {
        tap(plus(f));
        tap(plus(f));
        EXPECT_EQ(caption_of(f, "Label6"), "999");
        EXPECT_EQ(caption_of(f, "Label5"), "2497.50 ");
        valide(f);
    });
    EXPECT_EQ(l, cafe + " ##QUA:999.00##");
}

TEST_F(sel_arti_test, a_filled_row_answered_no_opens_the_keyboard_on_its_text) {
    std::string question, initiale;
    int type_clavier = 0;
    scripted_user::expect("mini_97", [&](platform::form& f) {
        question = texte_message;
        scripted_user::answer(7)(f);
    });
    scripted_user::expect("clavv", [&](platform::form& f) {
        initiale = texte_message;
        type_clavier = type_message;
        scripted_user::answer(129, "Saignante")(f);  // escape gives back the initial text
    });
    scripted_user::expect("mini_97", scripted_user::answer(7));
    scripted_user::expect("clavv", scripted_user::answer(129, ""));
    const std::string l = edite(entrecote + " ##QUA:001.00##{Saignante}{Frites}", [](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 1, 0);
        EXPECT_EQ(grid_of(f, "g1")->text(1, 0), "Saignante");
        tap_cell(grid_of(f, "g1"), 2, 0);
        EXPECT_EQ(grid_of(f, "g1")->text(2, 0), "");
        valide(f);
    });
    EXPECT_EQ(question, "Voulez vous annuler la ligne \r\nSaignante ?");
    EXPECT_EQ(initiale, "|Saignante");
    EXPECT_EQ(type_clavier, 129);
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{Saignante}");
}

TEST_F(sel_arti_test, yes_removes_the_row_and_keeps_the_others_in_order) {
    scripted_user::expect("mini_97", scripted_user::answer(6));
    const std::string l = edite(entrecote + " ##QUA:001.00##{A}{B}{C}", [](platform::form& f) {
        auto* g = grid_of(f, "g1");
        tap_cell(g, 2, 0);
        EXPECT_EQ(g->text(1, 0), "A");
        EXPECT_EQ(g->text(2, 0), "C");
        EXPECT_EQ(g->rows(), 301);
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{A}{C}");
}

TEST_F(sel_arti_test, typed_complements_are_trimmed_and_cleaned_of_braces) {
    scripted_user::expect("clavv", [](platform::form& f) {
        EXPECT_EQ(texte_message, "|");
        scripted_user::answer(129, "  Sans {sel}  ")(f);
    });
    scripted_user::expect("clavv", scripted_user::answer(129, "   "));
    scripted_user::expect("clavv", scripted_user::answer(129, "{}"));
    const std::string l = edite(entrecote, [](platform::form& f) {
        auto* g = grid_of(f, "g1");
        tap_cell(g, 1, 0);
        tap_cell(g, 2, 0);
        tap_cell(g, 3, 0);
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{Sans sel}");
}

TEST_F(sel_arti_test, typed_complements_reach_the_router_as_complements_only) {
    // Typed on a physical keyboard: a "|" would split a complement in two for
    // the router, "FA2:99" would make a menu of an entrecote, and the marks of
    // a component list would add components of no article.
    for (const char* tape : {"a|b", "FA2:99", "x\xD0y",
                             "\xF0"
                             "5\xA4"})
        scripted_user::expect("clavv", scripted_user::answer(129, tape));
    const std::string l1 = edite(entrecote, [](platform::form& f) {
        auto* g = grid_of(f, "g1");
        for (int r = 1; r <= 4; ++r) tap_cell(g, r, 0);
        // Each row shows what the line will carry.
        EXPECT_EQ(g->text(1, 0), "ab");
        EXPECT_EQ(g->text(3, 0), "xy");
        EXPECT_EQ(g->text(4, 0), "5");
        valide(f);
    });
    EXPECT_EQ(l1, entrecote + " ##QUA:001.00##{ab}{FA2:99}{xy}{5}");

    const std::string menu =
        "2000900000016  |DES:Menu|PVE:22.50|FA1:9|FA2:99|\xA4\xA4"
        "2000100000021   Soupe\xF0"
        "0\xF0"
        "1\xD0|";
    scripted_user::expect("clavv", scripted_user::answer(129,
                                                         "|Soupe\xF0"
                                                         "1\xD0"));
    const std::string l2 = edite(menu, [](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 1, 0);
        valide(f);
    });
    EXPECT_EQ(l2, menu + " ##QUA:001.00##{Soupe1}");

    EXPECT_EQ(fichier_commande::contenu({"0123456789", 3, "#N0124 ", {l1, l2}}),
              "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#03\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n"
              "#REF#2000200000013  {1.00}\r\n#COMP#ab|FA2:99|xy|5|\r\n#NOTE#\r\n"
              "#REF#2000900000016  {1.00}   + \xA4\xA4"
              "999999|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n"
              "#REF#2000100000021  {1.00)  \xA4\xA4"
              "0.00|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n");
}

TEST_F(sel_arti_test, the_header_row_does_nothing) {
    // No dialog is expected: one opening would fail the test.
    const std::string l = edite(entrecote + " ##QUA:001.00##{A}", [](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 0, 0);
        EXPECT_EQ(grid_of(f, "g1")->text(0, 0), cp("Informations complémentaires"));
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{A}");
}

TEST_F(sel_arti_test, deletion_asks_and_yes_returns_an_empty_line) {
    std::string question;
    scripted_user::expect("mini_97", [&](platform::form& f) {
        question = texte_message;
        scripted_user::answer(7)(f);
    });
    scripted_user::expect("mini_97", scripted_user::answer(6));
    const std::string l = edite(entrecote + " ##QUA:002.00##", [](platform::form& f) {
        tap_cell(grid_of(f, "g2"), 0, 0);
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(caption_of(f, "Label6"), "2");
        tap_cell(grid_of(f, "g2"), 0, 0);
    });
    EXPECT_EQ(question, "Confirmez l'effacement de cette ligne ?");
    EXPECT_EQ(l, "");
}

TEST_F(sel_arti_test, detail_cells_open_the_picker_at_their_page) {
    std::vector<int> pages;
    for (int i = 0; i < 4; ++i)
        scripted_user::expect("sai_detail", [&](platform::form& f) {
            pages.push_back(page_detail);
            f.unload();
        });
    edite(entrecote, [](platform::form& f) {
        for (int c = 1; c <= 4; ++c) tap_cell(grid_of(f, "g2"), 0, c);
        EXPECT_EQ(grid_of(f, "g2")->text(0, 1), "A");
        EXPECT_EQ(grid_of(f, "g2")->text(0, 4), "D");
        valide(f);
    });
    EXPECT_EQ(pages, (std::vector<int>{0, 2, 4, 6}));
}

TEST_F(sel_arti_test, three_hundred_complements_are_shown_and_a_301st_is_lost) {
    std::string ligne = entrecote + " ##QUA:001.00##";
    for (int i = 1; i <= 301; ++i) ligne += "{C" + std::to_string(i) + "}";
    const std::string l = edite(ligne, [](platform::form& f) {
        auto* g = grid_of(f, "g1");
        EXPECT_EQ(g->text(300, 0), "C300");
        g->set_top_row(298);
        EXPECT_FALSE(g->cell_rect(300, 0).isEmpty());
        valide(f);
    });
    EXPECT_EQ(l, ligne.substr(0, ligne.size() - std::string("{C301}").size()));
}

// Whether row r is drawn whole inside the grid.
bool shown(const platform::grid* g, int r) {
    const QRect c = g->cell_rect(r, 0);
    return !c.isEmpty() && g->rect().contains(c);
}

// At 800 x 600 the grid shows only a few rows: a finger on its scroll bar
// reaches every complement, and a row written or added comes into view.
TEST_F(sel_arti_test, every_complement_can_be_seen_and_reached_at_800_by_600) {
    scripted_user::expect("clavv", scripted_user::answer(129, "Sans sel"));
    scripted_user::expect("sai_detail", [](platform::form& f) {
        grille_complements::ajoute(*grid_of(sel_arti::instance(), "g1"), "Frites");
        f.unload();
    });
    const std::string l = edite(entrecote + " ##QUA:001.00##{A}{B}{C}{D}{E}", [](platform::form& f) {
        auto* g = grid_of(f, "g1");
        EXPECT_TRUE(shown(g, 1));
        ASSERT_FALSE(shown(g, 5)) << "more complements than rows shown are needed here";
        auto* barre = g->findChild<QScrollBar*>();
        ASSERT_NE(barre, nullptr);
        ASSERT_TRUE(barre->isVisible());
        EXPECT_TRUE(g->rect().contains(barre->geometry()));
        EXPECT_GE(barre->width(), 40) << "a finger must be able to use it";
        EXPECT_LE(platform::to_px(g->col_width(0)), barre->geometry().left())
            << "no complement under the bar";
        // Touches on the bar below its slider page down to the first blank row.
        const QPoint bas(barre->width() / 2, barre->height() * 3 / 4);
        for (int i = 0; i < 5 && !shown(g, 6); ++i) QTest::mouseClick(barre, Qt::LeftButton, {}, bas);
        ASSERT_TRUE(shown(g, 6));
        EXPECT_TRUE(shown(g, 5));
        EXPECT_EQ(g->text(5, 0), "E");
        tap_cell(g, 6, 0);
        EXPECT_EQ(g->text(6, 0), "Sans sel");
        EXPECT_TRUE(shown(g, 6));
        // Back to the top by the bar's upper arrow; a detail added from the
        // picker comes into view.
        const QPoint haut(barre->width() / 2, 3);
        for (int i = 0; i < 10 && !shown(g, 1); ++i) QTest::mouseClick(barre, Qt::LeftButton, {}, haut);
        ASSERT_TRUE(shown(g, 1));
        tap_cell(grid_of(f, "g2"), 0, 1);
        EXPECT_EQ(g->text(7, 0), "Frites");
        EXPECT_TRUE(shown(g, 7));
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##{A}{B}{C}{D}{E}{Sans sel}{Frites}");
}

// Where the style draws a part of the scroll bar now.
QRect partie(QScrollBar* barre, QStyle::SubControl sc) {
    QStyleOptionSlider opt;
    opt.initFrom(barre);
    opt.subControls = QStyle::SC_All;
    opt.orientation = barre->orientation();
    opt.minimum = barre->minimum();
    opt.maximum = barre->maximum();
    opt.sliderPosition = barre->sliderPosition();
    opt.sliderValue = barre->value();
    opt.singleStep = barre->singleStep();
    opt.pageStep = barre->pageStep();
    opt.upsideDown = barre->invertedAppearance();
    return barre->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, barre);
}

// At every screen format the complement grid's scroll bar, its arrows and
// its slider are a finger's size: at least 7 mm even on the smallest tablet
// (8 inches) that shows the format; and touches on it bring the 300th row
// into view, clear of the bar.
TEST_F(sel_arti_test, the_scroll_bar_is_a_touch_target_at_every_screen_format) {
    std::string ligne = entrecote + " ##QUA:001.00##";
    for (int i = 1; i <= 300; ++i) ligne += "{C" + std::to_string(i) + "}";
    struct format {
        int largeur, hauteur;
    };
    for (const format fm :
         {format{800, 600}, format{1024, 768}, format{1280, 800}, format{1920, 1080}, format{800, 1280}}) {
        largeur_ecran = static_cast<std::int16_t>(fm.largeur);
        hauteur_ecran = static_cast<std::int16_t>(fm.hauteur);
        Module1::dimensionne_fenetre(Form1::instance());
        const double px_par_mm = std::hypot(fm.largeur, fm.hauteur) / (8.0 * 25.4);
        const int cible = static_cast<int>(std::ceil(7 * px_par_mm));
        const std::string nom = std::to_string(fm.largeur) + "x" + std::to_string(fm.hauteur);
        const std::string l = edite(ligne, [&](platform::form& f) {
            auto* g = grid_of(f, "g1");
            auto* barre = g->findChild<QScrollBar*>();
            ASSERT_NE(barre, nullptr) << nom;
            ASSERT_TRUE(barre->isVisible()) << nom;
            EXPECT_TRUE(g->rect().contains(barre->geometry())) << nom;
            EXPECT_GE(barre->width(), cible) << nom;
            const QRect haut = partie(barre, QStyle::SC_ScrollBarSubLine),
                        bas = partie(barre, QStyle::SC_ScrollBarAddLine),
                        curseur = partie(barre, QStyle::SC_ScrollBarSlider);
            for (const QRect& r : {haut, bas, curseur}) {
                EXPECT_GE(r.height(), cible) << nom;
                EXPECT_GE(r.width(), cible) << nom;
            }
            EXPECT_LE(platform::to_px(g->col_width(0)), barre->geometry().left()) << nom;

            // One touch on the lower arrow: one row further.
            const int avant = g->top_row();
            QTest::mouseClick(barre, Qt::LeftButton, {}, bas.center());
            EXPECT_EQ(g->top_row(), avant + 1) << nom;
            // Touches on the bar under its slider, then on the arrow once the
            // slider is at the bottom, bring the last row into view.
            for (int i = 0; i < 400 && !shown(g, 300); ++i) {
                const QRect c = partie(barre, QStyle::SC_ScrollBarSlider),
                            b = partie(barre, QStyle::SC_ScrollBarAddLine);
                const QPoint sous((c.left() + c.right()) / 2, (c.bottom() + b.top()) / 2);
                QTest::mouseClick(barre, Qt::LeftButton, {}, b.top() - c.bottom() > 4 ? sous : b.center());
            }
            ASSERT_TRUE(shown(g, 300)) << nom;
            EXPECT_EQ(g->text(300, 0), "C300");
            EXPECT_LE(g->cell_rect(300, 0).right(), barre->geometry().left()) << nom;
            valide(f);
        });
        EXPECT_EQ(l, ligne) << nom;
    }
}

TEST_F(sel_arti_test, closing_the_window_by_other_means_does_not_hand_back_scratch) {
    const std::string l = edite(entrecote, [](platform::form& f) {
        ligne_travail = "Frites";  // what the detail picker leaves there
        f.window()->close();
        EXPECT_TRUE(f.loaded());
        valide(f);
    });
    EXPECT_EQ(l, entrecote + " ##QUA:001.00##");
}

}  // namespace
