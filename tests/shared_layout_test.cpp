// The shared screen helpers: bars, frame, laying a screen over the main
// window, colour classes; and the picture store.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/colors.h"
#include "platform/form.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "shared/screen_layout.h"
#include "support/fixtures.h"

namespace {

class ecran_test : public platform::form {
  public:
    ecran_test() : form("ecran_test") {}
    std::function<void(ecran_test&)> au_chargement;

  private:
    void design() override {
        move(1000, 500, 6000, 4500);
        add<platform::label>("label_haut");
        add<platform::label>("label_bas");
        for (int i = 0; i < 8; ++i) {
            auto* p = add<platform::picture>("ccb", i);
            p->move(0, 0, 180, 180);
            p->set_stretch(i >= 4);
        }
        const char* tags[] = {"", "1", "2", "3.6", "9", "10"};
        for (int i = 0; i < 6; ++i) add<platform::label>("lb", i)->tag = tags[i];
        add<platform::grid>("g1")->tag = "8";
    }
    void form_load() override {
        if (au_chargement) au_chargement(*this);
        unload();
    }
};

class layout : public wvtest::folder_test {};

TEST_F(layout, colour_classes_follow_the_tag) {
    coul_texte.fill(0);
    coul_fond.fill(0);
    coul_texte[1] = 0x0000FF;
    coul_fond[1] = 0x00FF00;
    coul_texte[2] = -1;  // back colour set, text colour not: the class is unset
    coul_fond[2] = 0x123456;
    coul_texte[4] = 0x111111;
    coul_fond[4] = 0x444444;
    coul_texte[8] = 0x888888;
    coul_fond[8] = 0x080808;
    coul_texte[9] = 0x999999;
    coul_fond[9] = 0x090909;
    ecran_test e;
    std::vector<std::int64_t> back, fore;
    std::int64_t grid_back = 0;
    e.au_chargement = [&](ecran_test& f) {
        Module1::applique_couleurs(f);
        for (int i = 0; i < 6; ++i) {
            back.push_back(f.find("lb", i)->back_color());
            fore.push_back(f.find("lb", i)->fore_color());
        }
        grid_back = f.find("g1")->back_color();
    };
    e.show_modal();
    EXPECT_EQ(back, (std::vector<std::int64_t>{-1, 0x00FF00, -1, 0x444444, 0x090909, 0}));
    EXPECT_EQ(fore, (std::vector<std::int64_t>{-1, 0x0000FF, -1, 0x111111, -1, -1}));
    EXPECT_EQ(grid_back, 0xFFFFFF) << "a grid of class 8 keeps its normal cells' colours";
}

TEST_F(layout, before_the_settings_are_read_every_control_keeps_its_own_colours) {
    ecran_test e;
    std::vector<std::int64_t> back;
    e.au_chargement = [&](ecran_test& f) {
        Module1::applique_couleurs(f);
        for (int i = 1; i <= 4; ++i) back.push_back(f.find("lb", i)->back_color());
    };
    e.show_modal();
    EXPECT_EQ(back, (std::vector<std::int64_t>{-1, -1, -1, -1})) << "no class may paint black on black";
}

TEST_F(layout, bars_frame_and_screen_over_the_main_window) {
    largeur_ecran = 1024;
    hauteur_ecran = 768;
    ecran_test e;
    e.au_chargement = [&](ecran_test& f) {
        moduclav::place_bandeaux(f, "Haut", "");
        const auto* h = f.find("label_haut");
        const auto* b = f.find("label_bas");
        EXPECT_EQ((std::vector<double>{h->left(), h->top(), h->width(), h->height()}),
                  (std::vector<double>{0, 0, 15360, 390}));
        EXPECT_EQ((std::vector<double>{b->left(), b->top(), b->width(), b->height()}),
                  (std::vector<double>{0, 11520 - 390, 15360, 390}));
        EXPECT_EQ(dynamic_cast<const platform::label*>(b)->caption(), "");

        Module1::dessine_cadre(f);
        const double W = 6000, H = 4500;
        const double expected[8][4] = {{0, 0, 180, 180},
                                       {W - 180, 0, 180, 180},
                                       {W - 180, H - 180, 180, 180},
                                       {0, H - 180, 180, 180},
                                       {0, 180, 180, H - 360},
                                       {180, 0, W - 360, 180},
                                       {W - 180, 180, 180, H - 360},
                                       {180, H - 180, W - 360, 180}};
        for (int i = 0; i < 8; ++i) {
            const auto* p = dynamic_cast<const platform::picture*>(f.find("ccb", i));
            EXPECT_EQ((std::vector<double>{p->left(), p->top(), p->width(), p->height()}),
                      (std::vector<double>(expected[i], expected[i] + 4)))
                << "piece " << i;
            EXPECT_FALSE(p->pixmap().isNull());
        }
    };
    e.show_modal();
}

TEST_F(layout, picture_store_holds_every_numbered_picture_and_writes_a_contact_sheet) {
    std::vector<std::pair<std::string, QPixmap>> all;
    for (int n = 0; n <= 32; ++n) all.emplace_back("bt_coul " + std::to_string(n), icc::bt_coul(n));
    for (int n = 60; n <= 82; ++n) all.emplace_back("bt_coul " + std::to_string(n), icc::bt_coul(n));
    for (int i = 0; i < 8; ++i) all.emplace_back("ccbm " + std::to_string(i), icc::ccbm(i));
    all.emplace_back("iclogo", icc::iclogo());
    all.emplace_back("logo", icc::logo());
    all.emplace_back("valid", icc::valid());
    all.emplace_back("vide", icc::vide());
    all.emplace_back("oui 0", icc::oui(0));
    all.emplace_back("oui 1", icc::oui(1));
    for (const char* f : {"clavier.png", "clav_num_keys.png", "ch_numtab_shade.png", "mini97_image1.png"})
        all.emplace_back(f, icc::image(f));
    for (const auto& [name, pic] : all) EXPECT_FALSE(pic.isNull()) << name;
    EXPECT_FALSE(icc::has_bt_coul(40));
    EXPECT_EQ(icc::bt_coul_count(), 83);

    const int cell = 140, per_row = 10;
    const int rows = (static_cast<int>(all.size()) + per_row - 1) / per_row;
    QImage sheet(cell * per_row, (cell + 20) * rows, QImage::Format_RGB32);
    sheet.fill(QColor(235, 235, 235));
    QPainter p(&sheet);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const int x = static_cast<int>(i % per_row) * cell, y = static_cast<int>(i / per_row) * (cell + 20);
        QPixmap pic = all[i].second;
        if (pic.width() > cell - 10 || pic.height() > cell - 10)
            pic = pic.scaled(cell - 10, cell - 10, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(x + (cell - pic.width()) / 2, y + (cell - pic.height()) / 2, pic);
        p.drawText(QRect(x, y + cell, cell, 20), Qt::AlignCenter, QString::fromStdString(all[i].first));
    }
    p.end();
    const std::string out = std::string(WV_BUILD_DIR) + "/icc_contact_sheet.png";
    EXPECT_TRUE(sheet.save(QString::fromStdString(out)));
}

}  // namespace
