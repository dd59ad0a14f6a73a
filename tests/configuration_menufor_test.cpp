// The menu-formula composer: its rules without a display (pages, the table of
// composed lines, the pointer modes), then the screen on a real window driven
// by touches, and its opening from the main screen for the demo restaurant's
// composed menu.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QRect>
#include <vector>

#include "configuration/menu_formula.h"
#include "configuration/menufor.h"
#include "main_screen/form1.h"
#include "main_screen_fixture.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/screen_layout.h"
#include "support/fixtures.h"

namespace {

namespace p = platform::pointer;
using scripted_user::tap;

// ---------------------------------------------------------------- rules

TEST(menu_formula, pages_stay_within_0_to_3) {
    struct cas {
        std::int16_t page, precedente, suivante;
    };
    for (const cas c : {cas{0, 0, 1}, cas{1, 0, 2}, cas{2, 1, 3}, cas{3, 2, 3}}) {
        EXPECT_EQ(formule::page_precedente(c.page), c.precedente) << c.page;
        EXPECT_EQ(formule::page_suivante(c.page), c.suivante) << c.page;
    }
}

TEST(menu_formula, each_line_is_kept_behind_its_characters_81_to_95) {
    const std::string longue = std::string(80, 'a') + "CLE-DE-TOUCHE-1" + "fin\xB5\xA6";
    EXPECT_EQ(formule::element(longue), "CLE-DE-TOUCHE-1" + longue);
    const std::string coupee = std::string(80, 'b') + "CLE";
    EXPECT_EQ(formule::element(coupee), "CLE" + coupee);
    EXPECT_EQ(formule::element("courte"), "courte");
    EXPECT_EQ(formule::element(""), "");
}

TEST(menu_formula, a_validation_writes_the_count_the_lines_and_an_empty_end) {
    std::array<std::string, 101> liste;
    liste.fill("ancien");
    const std::string l1 = std::string(80, '1') + "TOUCHE-ENTREE-1" + "Salade";
    const std::string l2 = "deux";
    formule::valide(liste, {l1, l2});
    EXPECT_EQ(liste[0], "2");
    EXPECT_EQ(liste[1], "TOUCHE-ENTREE-1" + l1);
    EXPECT_EQ(liste[2], "deux");
    EXPECT_EQ(liste[3], "");

    formule::valide(liste, {});
    EXPECT_EQ(liste[0], "0");
    EXPECT_EQ(liste[1], "");
}

TEST(menu_formula, more_lines_than_the_table_holds_keep_the_first_hundred) {
    std::array<std::string, 101> liste;
    std::vector<std::string> lignes;
    for (int i = 1; i <= 150; ++i) lignes.push_back("ligne " + txt::str(i));
    formule::valide(liste, lignes);
    EXPECT_EQ(liste[0], "100");
    EXPECT_EQ(liste[1], "ligne 1");
    EXPECT_EQ(liste[100], "ligne 100");

    lignes.resize(99);
    formule::valide(liste, lignes);
    EXPECT_EQ(liste[0], "99");
    EXPECT_EQ(liste[99], "ligne 99");
    EXPECT_EQ(liste[100], "");
}

TEST(menu_formula, cancel_empties_every_element) {
    std::array<std::string, 101> liste;
    liste.fill("x");
    formule::annule(liste);
    for (const std::string& e : liste) EXPECT_EQ(e, "");
}

TEST(menu_formula, a_mode_button_switches_its_mode_on_or_back_off) {
    struct cas {
        int actuel, mode, apres;
    };
    for (const cas c :
         {cas{p::normal, p::up_arrow, p::up_arrow}, cas{p::up_arrow, p::up_arrow, p::normal},
          cas{p::arrow, p::up_arrow, p::up_arrow}, cas{p::hourglass, p::arrow_question, p::arrow_question},
          cas{p::up_arrow, p::arrow_question, p::arrow_question},
          cas{p::arrow_question, p::arrow_question, p::normal},
          cas{p::arrow_question, p::up_arrow, p::up_arrow}})
        EXPECT_EQ(formule::bascule_mode(c.actuel, c.mode), c.apres) << c.actuel << " " << c.mode;
}

// ---------------------------------------------------------------- screen

class composer : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        liste_formule = {};
        page_formule = 0;
        platform::set_mouse_pointer(p::normal);
        taille(800, 600);
    }
    void TearDown() override {
        platform::set_mouse_pointer(p::normal);
        folder_test::TearDown();
    }
    // The configured screen, and the main window laid out over it, whose
    // place and size the composer takes.
    static void taille(int l, int h) {
        largeur_ecran = static_cast<std::int16_t>(l);
        hauteur_ecran = static_cast<std::int16_t>(h);
        Module1::dimensionne_fenetre(Form1::instance());
    }
    // The composer opened on `texte`; `a` is what the user does there.
    static void ouvre(const std::string& texte, std::function<void(menufor&)> a) {
        ligne_travail = texte;
        scripted_user::expect("menufor", [a](platform::form& f) { a(static_cast<menufor&>(f)); });
        platform::show_modal("menufor");
    }
    static platform::control* c(menufor& f, const char* nom, int index = -1) {
        platform::control* x = f.find(nom, index);
        EXPECT_NE(x, nullptr) << nom << " " << index;
        return x;
    }
    static platform::list_box* lignes(menufor& f) { return f.get<platform::list_box>("List2"); }
};

TEST_F(composer, opens_with_its_texts_an_empty_list_and_a_copy_of_the_article) {
    const std::string article =
        "2000900000030  |DES:Menu D\xE9"
        "couverte|PVE:29.00|FA1:9|FA2:98|{{}}";
    ouvre(article, [&](menufor& f) {
        EXPECT_EQ(f.window()->windowTitle(), "Composition forfaitaire");
        EXPECT_EQ(f.ligne_recue(), article);
        EXPECT_EQ(lignes(f)->list_count(), 0);
        EXPECT_EQ(f.get<platform::list_box>("List1")->list_count(), 0);
        struct texte {
            const char* nom;
            int index;
            const char* utf8;
        };
        for (const texte t :
             {texte{"Frame1", -1, "Mode paramétrage"}, texte{"Frame2", -1, "Saisie du détail"},
              texte{"Frame3", -1, "Menu Détaillé"},
              texte{"Label5", -1, "Cliquez sur l'Article et déposez le sur les boutons à droite"},
              texte{"Label6", -1,
                    "Cliquez sur la couleur puis cliquez sur les boutons choisis, recliquez sur une "
                    "couleur pour annuler le mode couleur des boutons."},
              texte{"Label12", -1,
                    "Pour annuler une touche cliquez sur effacer puis sur la touche à effacer "},
              texte{"Label11", -1, " Nb de points"}, texte{"Label1", -1, " T.T.C."},
              texte{"Label2", 0, " Référence"}, texte{"Label2", 1, " Code Alpha "},
              texte{"Label2", 2, " Famille"}, texte{"Label4", 0, "Entrées"}, texte{"Label4", 1, "Plats"},
              texte{"Label4", 2, "Desserts"}, texte{"Label3", -1, "X"}, texte{"Label7", -1, ""},
              texte{"btrap", 0, "Label2"}}) {
            auto* l = f.get<platform::label>(t.nom, t.index);
            ASSERT_NE(l, nullptr) << t.nom;
            EXPECT_EQ(l->caption(), cp(t.utf8)) << t.nom << " " << t.index;
        }
        struct bulle {
            const char* nom;
            const char* utf8;
        };
        for (const bulle b :
             {bulle{"Image6", "Saisir une informations"}, bulle{"Image5", "Annuler toutes les lignes"},
              bulle{"Image3", "Annuler le dernier article"}, bulle{"picture5", "Lister tous les Articles"},
              bulle{"bt_rech", "Recherche un article par nom ou une partie du nom"},
              bulle{"Image2", "Effacer une touche"}, bulle{"Image4", "Annuler"}})
            EXPECT_EQ(cp1252::from_qt(c(f, b.nom)->widget()->toolTip()), cp(b.utf8)) << b.nom;
        for (const char* nom : {"Text1", "Text2", "Text3", "Text100"}) c(f, nom);
        tap(c(f, "Image1"));
    });
    EXPECT_EQ(ligne_travail, article);
}

// Every control lies on the screen, no two keys that act overlap and every
// picture is there, at both screen formats a tablet uses and with either
// picture set.
TEST_F(composer, its_controls_lie_on_the_screen_and_the_keys_do_not_overlap) {
    for (const auto& [l, h] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        taille(l, h);
        decalage_images = l == 800 ? 0 : 50;
        ouvre("", [l = l, h = h](menufor& f) {
            EXPECT_EQ(f.width(), l * 15.0);
            EXPECT_EQ(f.height(), h * 15.0);
            const QRect ecran(0, 0, l, h);
            std::vector<std::pair<std::string, QRect>> touches;
            for (platform::control* x : f.controls()) {
                const QRect r = x->widget()->geometry();
                EXPECT_TRUE(ecran.contains(r)) << x->name() << x->index() << " at " << l;
                EXPECT_GE(r.height(), 15) << x->name() << x->index();
                if (auto* i = dynamic_cast<platform::picture*>(x)) {
                    EXPECT_FALSE(i->pixmap().isNull()) << x->name() << x->index();
                }
                if (auto* b = dynamic_cast<platform::picture_button*>(x)) {
                    EXPECT_FALSE(b->pixmap().isNull()) << x->name() << x->index();
                }
                const bool agit = x->name() == "btrafff" || x->name() == "Image1" || x->name() == "Image2" ||
                                  x->name() == "Image3" || x->name() == "Image4" ||
                                  x->name() == "btc_retour" || x->name() == "btc_suite" ||
                                  x->name() == "List2";
                if (agit) touches.emplace_back(x->name() + txt::str(x->index()), r);
            }
            for (std::size_t i = 0; i < touches.size(); ++i)
                for (std::size_t j = i + 1; j < touches.size(); ++j)
                    EXPECT_FALSE(touches[i].second.intersects(touches[j].second))
                        << touches[i].first << " / " << touches[j].first << " at " << l;
            // A key a finger can hit.
            for (const char* nom : {"Image1", "Image4", "Image3", "Image2", "btc_retour", "btc_suite"})
                EXPECT_GE(f.find(nom)->widget()->height(), 36) << nom;
            tap(f.find("Image4"));
        });
    }
}

TEST_F(composer, the_page_buttons_hold_the_page_within_0_to_3_and_it_is_kept) {
    ouvre("", [](menufor& f) {
        tap(c(f, "btc_retour"));
        EXPECT_EQ(page_formule, 0);
        for (int i = 0; i < 4; ++i) tap(c(f, "btc_suite"));
        EXPECT_EQ(page_formule, 3);
        tap(c(f, "btc_retour"));
        EXPECT_EQ(page_formule, 2);
        tap(c(f, "Image4"));
    });
    ouvre("", [](menufor& f) {
        EXPECT_EQ(page_formule, 2);
        tap(c(f, "btc_retour"));
        EXPECT_EQ(page_formule, 1);
        tap(c(f, "Image1"));
    });
    EXPECT_EQ(page_formule, 1);
}

TEST_F(composer, the_colour_and_erase_keys_switch_the_pointer_modes) {
    ouvre("", [](menufor& f) {
        tap(c(f, "btrafff", 4));
        EXPECT_EQ(platform::mouse_pointer(), p::up_arrow);
        EXPECT_EQ(f.couleur_choisie(), 4);
        tap(c(f, "btrafff", 7));
        EXPECT_EQ(platform::mouse_pointer(), p::normal);
        EXPECT_EQ(f.couleur_choisie(), 4);

        tap(c(f, "btrafff", 2));
        tap(c(f, "Image2"));
        EXPECT_EQ(platform::mouse_pointer(), p::arrow_question);
        tap(c(f, "Image2"));
        EXPECT_EQ(platform::mouse_pointer(), p::normal);
        tap(c(f, "Image2"));
        tap(c(f, "btrafff", 9));
        EXPECT_EQ(platform::mouse_pointer(), p::up_arrow);
        EXPECT_EQ(f.couleur_choisie(), 9);
        tap(c(f, "Image1"));
    });
    EXPECT_EQ(platform::mouse_pointer(), p::normal);
}

TEST_F(composer, the_minus_key_drops_the_last_line_and_an_empty_list_stays_empty) {
    ouvre("", [](menufor& f) {
        tap(c(f, "Image3"));
        EXPECT_EQ(lignes(f)->list_count(), 0);
        lignes(f)->add_item("un");
        lignes(f)->add_item("deux");
        tap(c(f, "Image3"));
        ASSERT_EQ(lignes(f)->list_count(), 1);
        EXPECT_EQ(lignes(f)->list(0), "un");
        // The pictures that do nothing leave the lines alone.
        tap(c(f, "Image5"));
        tap(c(f, "Image6"));
        EXPECT_EQ(lignes(f)->list_count(), 1);
        tap(c(f, "Image3"));
        tap(c(f, "Image3"));
        EXPECT_EQ(lignes(f)->list_count(), 0);
        tap(c(f, "Image4"));
    });
}

TEST_F(composer, validate_keeps_the_composed_lines_and_closes) {
    liste_formule.fill("ancien");
    const std::string ligne = std::string(80, '.') + "PLAT-DU-JOUR-02" + "Blanquette \xA6\xB5";
    ouvre("", [&](menufor& f) {
        tap(c(f, "btrafff", 0));
        lignes(f)->add_item(ligne);
        lignes(f)->add_item("dessert");
        tap(c(f, "Image1"));
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_EQ(liste_formule[0], "2");
    EXPECT_EQ(liste_formule[1], "PLAT-DU-JOUR-02" + ligne);
    EXPECT_EQ(liste_formule[2], "dessert");
    EXPECT_EQ(liste_formule[3], "");
    EXPECT_EQ(platform::mouse_pointer(), p::normal);

    // The next opening starts from an empty list.
    ouvre("", [](menufor& f) {
        EXPECT_EQ(lignes(f)->list_count(), 0);
        tap(c(f, "Image1"));
    });
    EXPECT_EQ(liste_formule[0], "0");
    EXPECT_EQ(liste_formule[1], "");
}

TEST_F(composer, cancel_empties_the_table_and_the_message_and_leaves_no_mode) {
    liste_formule.fill("ancien");
    texte_message = "reste";
    ouvre("", [](menufor& f) {
        lignes(f)->add_item("perdue");
        tap(c(f, "Image2"));
        tap(c(f, "Image4"));
        EXPECT_FALSE(f.loaded());
    });
    for (const std::string& e : liste_formule) EXPECT_EQ(e, "");
    EXPECT_EQ(texte_message, "");
    EXPECT_EQ(platform::mouse_pointer(), p::normal);
}

TEST_F(composer, closing_the_window_by_the_desktop_is_a_cancel) {
    liste_formule.fill("ancien");
    texte_message = "reste";
    ouvre("", [](menufor& f) {
        tap(c(f, "btrafff", 1));
        f.window()->close();
        QCoreApplication::processEvents();
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_EQ(liste_formule[0], "");
    EXPECT_EQ(texte_message, "");
    EXPECT_EQ(platform::mouse_pointer(), p::normal);
}

// ---------------------------------------------------------------- from the main screen

class menu_article : public wvtest::main_screen_test {
  protected:
    void SetUp() override {
        main_screen_test::SetUp();
        // The composer itself, not a double.
        platform::register_form("menufor", []() -> platform::form& { return menufor::instance(); });
        liste_formule.fill("ancien");
        platform::set_mouse_pointer(p::normal);
    }
};

TEST_F(menu_article, the_demo_composed_menu_opens_the_composer_and_adds_no_line) {
    demarre_avec_serveur();
    table_couverts = "#N0124 ";
    code_force = "#FAMI#09";
    ecran().btx_Click(0);
    int cle = 0;
    for (int i = 1; i <= 100 && cle == 0; ++i)
        if (txt::instr(codes_touches[static_cast<std::size_t>(i)], "FA2:98") > 0) cle = i;
    ASSERT_GT(cle, 0) << "the demo restaurant has a composed menu";
    const std::string article = txt::mid(codes_touches[static_cast<std::size_t>(cle)], 7);
    ASSERT_NE(txt::instr(article,
                         "Menu D\xE9"
                         "couverte"),
              0);

    scripted_user::expect("menufor", [&](platform::form& f) {
        auto& m = static_cast<menufor&>(f);
        EXPECT_EQ(m.ligne_recue(), article);
        EXPECT_EQ(f.width(), ecran().width());
        EXPECT_EQ(f.height(), ecran().height());
        tap(f.find("Image1"));
    });
    tap(touche(cle));
    EXPECT_EQ(nb_lignes, 0);
    EXPECT_EQ(liste_formule[0], "0");
    EXPECT_EQ(liste_formule[1], "");
    EXPECT_EQ(liste_formule[2], "ancien");
}

}  // namespace
