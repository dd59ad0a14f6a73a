// The main screen under test: every screen it opens is a bare double whose
// behaviour is the scripted user's, and a tablet's files can be laid out
// before the start. Death-test children run in the parent's folder (see
// folder_test), so that the parent can look at what they left behind.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "main_screen/form1.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/icc.h"
#include "support/fixtures.h"

namespace wvtest {

class main_screen_test : public folder_test {
  protected:
    main_screen_test() { death_test_child_shares_the_folder = true; }
    void SetUp() override {
        folder_test::SetUp();
        for (const char* nom : {"mini_97", "clavv", "clav_num", "ch_numtab", "sel_arti", "eta_com", "menufor",
                                "ch_outils", "w_prog", "sai_menu"})
            doubles_.push_back(std::make_unique<screen_double>(nom));
    }
    void TearDown() override {
        Form1::instance().unload();
        folder_test::TearDown();
    }

    // A tablet that knows its screen format and its network folder.
    void tablette(int largeur = 800, int hauteur = 600) {
        std::string parametres(40000, ' ');
        const std::string r2 = "#I#0:" + txt::format(largeur, "00000") + ":" + txt::format(hauteur, "00000");
        parametres.replace(20, r2.size(), r2);
        write_bytes(work / "wfenzo42.wdo", parametres);
        write_bytes(work / "wfichdir.wdo", net.string() + "\r\n");
    }

    Form1& demarre() {
        Form1& f = Form1::instance();
        f.show();
        return f;
    }
    // Started on the demo restaurant, server 1 chosen on its key.
    Form1& demarre_avec_serveur() {
        copy_demo_to_network();
        tablette();
        Form1& f = demarre();
        scripted_user::tap(touche(1));
        return f;
    }

    static Form1& ecran() { return Form1::instance(); }
    static platform::label* touche(int i) { return ecran().get<platform::label>("btx", i); }
    static platform::picture* fond(int i) { return ecran().get<platform::picture>("btt", i); }
    static platform::grid* barre() { return ecran().get<platform::grid>("g2"); }
    static platform::label* etiquette(const std::string& nom) { return ecran().get<platform::label>(nom); }
    static std::string haut() { return etiquette("label_haut")->caption(); }
    // Whether the home view is what the screen shows.
    static bool accueil() { return ecran().find("logo")->visible() && !ecran().has("btx", 1); }
    static bool meme_image(const QPixmap& a, const QPixmap& b) {
        return !a.isNull() && a.cacheKey() == b.cacheKey();
    }
    static int touches_chargees() {
        int n = 0;
        for (int i = 1; i <= 100; ++i) n += ecran().has("btx", i) ? 1 : 0;
        return n;
    }
    // Taps the function bar's cell.
    static void cellule(int c) { scripted_user::tap_cell(barre(), 0, c); }

    // A screen double that records its showing and closes.
    static scripted_user::action ferme(int* compte = nullptr) {
        return [compte](platform::form& f) {
            if (compte) ++*compte;
            f.unload();
        };
    }

  private:
    std::vector<std::unique_ptr<screen_double>> doubles_;
};

}  // namespace wvtest
