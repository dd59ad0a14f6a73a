// The standard input box, the grid's keys and scroll bar, and the position
// of a press on a picture, on real windows with real input events.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "platform/input_box.h"
#include "platform/services.h"
#include "support/fixtures.h"

namespace {

using scripted_user::tap;

class input_box_test : public wvtest::folder_test {};

platform::text_box* line_of(platform::form& f) {
    return f.get<platform::text_box>("Text1");
}

TEST_F(input_box_test, offers_the_default_and_returns_what_is_typed_or_nothing_on_cancel) {
    scripted_user::expect("input_box", [](platform::form& f) {
        EXPECT_EQ(f.get<platform::label>("Label1")->caption(), "Modification");
        EXPECT_EQ(f.get<platform::label>("Label0")->caption(), " KVO");
        EXPECT_EQ(line_of(f)->text(), "ancien");
        // The default is selected: typing replaces it.
        scripted_user::type_text(line_of(f), "nouveau ");
        tap(f.find("bt_ok"));
    });
    EXPECT_EQ(platform::input_box("Modification", "KVO", "ancien"), "nouveau ");

    scripted_user::expect("input_box", [](platform::form& f) {
        scripted_user::type_text(line_of(f), "perdu");
        tap(f.find("bt_annule"));
    });
    EXPECT_EQ(platform::input_box("Modification", "KVO", "ancien"), "");

    // Enter validates, Escape cancels, closing the window cancels.
    scripted_user::expect("input_box",
                          [](platform::form& f) { QTest::keyClick(line_of(f), Qt::Key_Return); });
    EXPECT_EQ(platform::input_box("p", "t", "tel quel"), "tel quel");
    scripted_user::expect("input_box",
                          [](platform::form& f) { QTest::keyClick(line_of(f), Qt::Key_Escape); });
    EXPECT_EQ(platform::input_box("p", "t", "tel quel"), "");
    scripted_user::expect("input_box", [](platform::form& f) { f.window()->close(); });
    EXPECT_EQ(platform::input_box("p", "t", "tel quel"), "");
}

class hote : public platform::form {
  public:
    hote() : form("test_hote") {}
    platform::grid* g = nullptr;
    platform::picture* pic = nullptr;

  private:
    void design() override {
        move(0, 0, 9000, 6000);
        g = add<platform::grid>("g");
        g->move(0, 0, 6000, 3000);
        g->set_rows(41);
        g->set_cols(2);
        for (int r = 0; r < 41; ++r) g->set_row_height(r, 300);
        pic = add<platform::picture>("p");
        pic->move(6000, 0, 3000, 3000);
    }
};

TEST_F(input_box_test, grid_keys_reach_the_screen_once_the_grid_is_touched) {
    hote h;
    std::string typed;
    scripted_user::expect("test_hote", [&](platform::form& f) {
        h.g->on_key_press = [&](int& a) { typed += std::to_string(a) + " "; };
        scripted_user::tap_cell(h.g, 3, 1);
        QTest::keyClick(h.g, Qt::Key_Return);
        QTest::keyClick(h.g, Qt::Key_A);
        QTest::keyClick(h.g, Qt::Key_Escape);
        f.unload();
    });
    h.show_modal();
    EXPECT_EQ(typed, "13 97 27 ");
}

TEST_F(input_box_test, scroll_bar_pages_to_the_last_row_and_follows_the_first_shown_row) {
    hote h;
    scripted_user::expect("test_hote", [&](platform::form& f) {
        h.g->set_scroll_bar(true);
        auto* bar = h.g->findChild<QScrollBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        // 41 rows of 20 px in 200 px: one fixed row, nine rows below it.
        EXPECT_EQ(bar->minimum(), 1);
        EXPECT_EQ(bar->maximum(), 32);
        bar->setValue(32);
        EXPECT_EQ(h.g->top_row(), 32);
        EXPECT_FALSE(h.g->cell_rect(40, 0).isEmpty());
        EXPECT_LE(h.g->cell_rect(40, 0).bottom(), h.g->widget()->height());
        h.g->set_top_row(5);
        EXPECT_EQ(bar->value(), 5);
        // The bar covers the right 280 twips, not the cells' touches.
        EXPECT_EQ(bar->geometry().left(), h.g->widget()->width() - platform::to_px(280));
        f.unload();
    });
    h.show_modal();
}

TEST_F(input_box_test, a_press_on_a_picture_tells_where_in_twips) {
    hote h;
    double x = -1, y = -1;
    scripted_user::expect("test_hote", [&](platform::form& f) {
        h.pic->on_mouse_down = [&](double px, double py) {
            x = px;
            y = py;
        };
        QTest::mousePress(h.pic->widget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 40));
        QTest::mouseRelease(h.pic->widget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 40));
        f.unload();
    });
    h.show_modal();
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 600);
}

TEST_F(input_box_test, an_accent_typed_as_a_letter_and_its_mark_returns_the_code_page_letter) {
    scripted_user::expect("input_box", [](platform::form& f) {
        scripted_user::type_unicode(line_of(f), QString::fromUtf8("cafe\u0301 fini"));
        EXPECT_EQ(line_of(f)->sel_start(), 9);
        tap(f.find("bt_ok"));
    });
    EXPECT_EQ(platform::input_box("Nom", "KVO", ""), "caf\xE9 fini");
}

}  // namespace
