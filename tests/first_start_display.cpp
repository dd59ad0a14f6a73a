// The first start of a new tablet on a display of one size (CTest runs this
// program once per supported size, Qt's offscreen platform given that
// display): every screen that opens before the main window is sized lies
// wholly on the display, each of its keys too, and the user goes through the
// whole first start with touches at display positions only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <sstream>

#include "main_screen/form1.h"
#include "platform/cp1252.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

QRect ecran() {
    return QGuiApplication::primaryScreen()->geometry();
}

std::string texte(const QRect& r) {
    std::ostringstream s;
    s << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
    return s.str();
}

// The screen's window and every control shown on it lie on the display (and
// inside the window, where nothing is cut off); so does every filled cell of
// its grids, the keys of the keypads.
void sur_l_ecran(platform::form& f) {
    ASSERT_TRUE(f.loaded()) << f.name();
    const QRect e = ecran();
    const QRect w = f.window()->geometry();
    EXPECT_TRUE(e.contains(w)) << f.name() << ": window " << texte(w) << " off the display " << texte(e);
    for (platform::control* c : f.controls()) {
        QWidget* x = c->widget();
        if (!x || !x->isVisibleTo(f.window()) || x->width() <= 0 || x->height() <= 0) continue;
        const QRect r(x->mapTo(f.window(), QPoint(0, 0)) + w.topLeft(), x->size());
        EXPECT_TRUE(w.contains(r) && e.contains(r))
            << f.name() << ": " << c->name() << "(" << c->index() << ") at " << texte(r) << ", window "
            << texte(w) << ", display " << texte(e);
        auto* g = dynamic_cast<platform::grid*>(c);
        if (!g) continue;
        for (int i = 0; i < g->rows(); ++i)
            for (int j = 0; j < g->cols(); ++j) {
                if (g->text(i, j).empty() && g->cell_picture(i, j).isNull()) continue;
                const QRect k = g->cell_rect(i, j);
                if (k.isEmpty()) continue;
                // Rows and columns are rounded to pixels one by one: a few
                // pixels may pass the grid's edge, never the display's.
                EXPECT_TRUE(g->rect().adjusted(-4, -4, 4, 4).contains(k) &&
                            e.contains(k.translated(r.topLeft())))
                    << f.name() << ": cell " << i << "," << j << " of " << c->name() << " at "
                    << texte(k.translated(r.topLeft()));
            }
    }
}

// A finger on the display at a global position: whatever window lies there
// gets the touch.
void touche_ecran(QPoint p, QWidget* attendu) {
    ASSERT_TRUE(ecran().contains(p)) << "touch off the display at " << p.x() << "," << p.y();
    QWidget* w = QApplication::widgetAt(p);
    ASSERT_NE(w, nullptr) << "nothing on the display at " << p.x() << "," << p.y();
    ASSERT_TRUE(w == attendu || attendu->isAncestorOf(w))
        << "the touch at " << p.x() << "," << p.y() << " lands on " << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->mapFromGlobal(p));
}

void touche(platform::control* c) {
    ASSERT_NE(c, nullptr);
    QWidget* w = c->widget();
    touche_ecran(w->mapToGlobal(w->rect().center()), w);
}

void touche_cellule(platform::grid* g, int r, int c) {
    ASSERT_NE(g, nullptr);
    touche_ecran(g->mapToGlobal(g->cell_rect(r, c).center()), g);
}

// Types a number on the numeric keypad and validates it.
void tape_au_pave(platform::form& f, long n) {
    scripted_user::wait_for_touches(f);  // the keypad is deaf for its first moments
    auto* pave = f.get<platform::grid>("g3");
    auto* barre = f.get<platform::grid>("g2");
    touche_cellule(barre, 0, 0);  // clears the value shown
    for (char d : std::to_string(n)) {
        if (d == '0')
            touche_cellule(pave, 3, 1);
        else
            touche_cellule(pave, (d - '1') / 3, (d - '1') % 3);
    }
    EXPECT_EQ(f.get<platform::label>("Label5")->caption(), std::to_string(n));
    touche_cellule(barre, 0, 5);
}

// The keys of "reseau" on the keyboard in lower case, then Enter.
void tape_reseau(platform::form& f) {
    for (int i : {18, 17, 28, 17, 15, 21}) touche(f.find("ttoc", i));
    EXPECT_EQ(f.get<platform::text_box>("Text1")->text(), "reseau");
    touche(f.find("ttoc", 38));
}

class premier_demarrage : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        copy_demo_to_network();
        if (const char* voulu = std::getenv("WV_DISPLAY")) {
            ASSERT_EQ(std::to_string(ecran().width()) + "x" + std::to_string(ecran().height()), voulu)
                << "the offscreen platform did not take the display size";
        }
    }
    void TearDown() override {
        Form1::instance().unload();
        folder_test::TearDown();
    }
    int W() const { return ecran().width(); }
    int H() const { return ecran().height(); }

    // The server-search question, answered No on the display.
    void attend_question(std::vector<std::string>& vus) {
        scripted_user::expect("mini_97", [&vus](platform::form& f) {
            vus.push_back("mini_97");
            EXPECT_EQ(texte_message, "Voulez vous effectuer une recherche du serveur ?");
            sur_l_ecran(f);
            touche(f.find("btc", 3));
        });
        scripted_user::expect("clavv", [&vus](platform::form& f) {
            vus.push_back("clavv");
            sur_l_ecran(f);
            tape_reseau(f);
        });
    }
    // After the first start: the main window on the display, the server keys on it.
    void fin_sur_les_serveurs() {
        Form1& f = Form1::instance();
        ASSERT_TRUE(f.loaded());
        EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo").substr(0, 8), "reseau\r\n");
        EXPECT_TRUE(ecran().contains(f.window()->geometry())) << texte(f.window()->geometry());
        auto* serveur = f.get<platform::label>("btx", 1);
        ASSERT_NE(serveur, nullptr);
        EXPECT_EQ(serveur->caption(), "Julien");
        touche(serveur);
        EXPECT_EQ(nom_serveur, "Julien");
    }
};

TEST_F(premier_demarrage, resolution_typed_on_the_keypad) {
    std::vector<std::string> vus;
    scripted_user::expect("porpay", [&](platform::form& f) {
        vus.push_back("porpay");
        sur_l_ecran(f);
        touche(f.find("bt_coul"));
    });
    scripted_user::expect("clav_num", [&](platform::form& f) {
        vus.push_back("clav_num");
        EXPECT_EQ(texte_message, cp("Entrez la résolution Horizontale ?"));
        sur_l_ecran(f);
        tape_au_pave(f, W());
    });
    scripted_user::expect("clav_num", [&](platform::form& f) {
        vus.push_back("clav_num");
        sur_l_ecran(f);
        tape_au_pave(f, H());
    });
    attend_question(vus);
    Form1::instance().show();
    EXPECT_EQ(vus, (std::vector<std::string>{"porpay", "clav_num", "clav_num", "mini_97", "clavv"}));
    EXPECT_EQ(parametres::lit(2),
              txt::pad("#I#0:" + txt::format(W(), "00000") + ":" + txt::format(H(), "00000"), 20));
    fin_sur_les_serveurs();
}

TEST_F(premier_demarrage, tablet_picture_then_the_folder_on_a_narrow_keyboard) {
    std::vector<std::string> vus;
    scripted_user::expect("porpay", [&](platform::form& f) {
        vus.push_back("porpay");
        sur_l_ecran(f);
        touche(f.find("Image1"));
    });
    attend_question(vus);
    Form1::instance().show();
    EXPECT_EQ(vus, (std::vector<std::string>{"porpay", "mini_97", "clavv"}));
    fin_sur_les_serveurs();
}

// The format was recorded at an earlier start; only the folder file is missing.
TEST_F(premier_demarrage, format_recorded_before_and_the_folder_file_missing) {
    std::string parametres(40000, ' ');
    const std::string r2 = "#I#0:" + txt::format(W(), "00000") + ":" + txt::format(H(), "00000");
    parametres.replace(20, r2.size(), r2);
    wvtest::write_bytes(work / "wfenzo42.wdo", parametres);
    std::vector<std::string> vus;
    attend_question(vus);
    Form1::instance().show();
    EXPECT_EQ(vus, (std::vector<std::string>{"mini_97", "clavv"}));
    fin_sur_les_serveurs();
}

}  // namespace
