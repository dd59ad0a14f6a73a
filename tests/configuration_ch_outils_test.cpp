// The tools screen ch_outils on a real window: its list built from the
// settings file, the arming delay, every kind of row, the actions that end
// the program, and the toolbar. The dialogs it opens are doubles answered by
// the scripted user.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <functional>

#include "configuration/ch_outils.h"
#include "configuration/tools_actions.h"
#include "configuration/tools_settings_list.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/icc.h"

namespace {

namespace fs = std::filesystem;

class outils : public wvtest::order_screen_test {
  protected:
    outils() { death_test_child_shares_the_folder = true; }
    // Runs `a` on the opened tools screen; closes it afterwards if still open.
    void sur_outils(std::function<void(platform::form&)> a) {
        scripted_user::expect("ch_outils", [a](platform::form& f) {
            a(f);
            if (f.loaded()) f.unload();
        });
        ch_outils::instance().show_modal();
    }
    static platform::grid* liste(platform::form& f) { return f.get<platform::grid>("g1"); }
    static platform::grid* barre(platform::form& f) { return f.get<platform::grid>("g2"); }
    // The arming timer's tick, without waiting for it.
    static void arme(platform::form& f) { f.get<platform::timer>("Timer1")->on_timer(); }
    // A touch on a row of the list, scrolled into view first as the user would.
    static void touche(platform::form& f, int r) {
        platform::grid* g = liste(f);
        const QRect c = g->cell_rect(r, 0);
        if (c.isEmpty() || c.bottom() >= g->QWidget::height()) g->set_top_row(r);
        scripted_user::tap_cell(g, r, 0);
    }
    static std::string valeur(platform::form& f, int r) { return liste(f)->text(r, 1); }
    static std::string enreg(long n) { return parametres::lit(n); }
    std::string enreg_sur_disque(long n) {
        return wvtest::read_bytes(work / parametres::nom_fichier)
            .substr(static_cast<std::size_t>((n - 1) * 20), 20);
    }

    // What a dialog was asked.
    struct demande {
        int type = -1;
        std::string texte, ligne;
        int fois = 0;
    };
    // A keypad or keyboard that returns `saisie`.
    static scripted_user::action saisit(const std::string& saisie, demande* vu = nullptr) {
        return [saisie, vu](platform::form& f) {
            if (vu) *vu = {type_message, texte_message, ligne_travail, vu->fois + 1};
            texte_message = saisie;
            f.unload();
        };
    }
    // A message box answered `reponse` (4 = closed without an answer).
    static scripted_user::action repond(int reponse, demande* vu = nullptr) {
        return [reponse, vu](platform::form& f) {
            if (vu) *vu = {type_message, texte_message, ligne_travail, vu->fois + 1};
            type_message = reponse;
            f.unload();
        };
    }

    wvtest::screen_double pave{"clav_num"}, clavier{"clavv"}, boite{"mini_97"}, couleurs{"ggcoul"},
        format{"porpay"};
};

// Row numbers of the list.
constexpr int r_colonnes = 1, r_largeur_serveur = 5, r_ecriture_articles = 14, r_lignes_tables = 27,
              r_plan_tables = 28, r_boite = 30, r_couleurs = 32, r_resolution = 33, r_reconnexion = 34,
              r_icone = 35, r_mot_de_passe = 36, r_test_table = 37, r_identification = 39, r_maj = 41;

TEST(liste_reglages, rows_codes_and_prompts_in_list_order) {
    const auto& l = liste_reglages::lignes();
    ASSERT_EQ(l.size(), 42u);
    int titres = 0;
    for (const auto& x : l) titres += x.code.empty();
    EXPECT_EQ(titres, 10);
    struct cas {
        int r;
        const char *libelle, *code, *invite;
    };
    for (const cas c :
         {cas{0, "Grille générale d'affichage", "", ""},
          cas{1, "Nb de colonnes", "#SW42#25", "Entrez le nb de colonnes"},
          cas{2, "Nb de lignes", "#SW42#26", "Entrez le nb de lignes"},
          cas{14, "Grosseur ecriture Articles", "#SX42#5", ""},
          cas{15, "Largeur touches Serveur", "#SW42#6", ""}, cas{20, "Paramètres Détail article", "", ""},
          cas{27, "Nb de lignes affichées", "#SW42#62", ""},
          cas{28, "Vérification du N° de table", "#ON42#55", ""},
          cas{30, "Taille boite dialogue (1 à 10)", "#SW42#50", ""},
          cas{33, "Résolution de l'écran", "#RESO#", ""},
          cas{37, "Mode test Table T:001 C:01", "#ON42#202", ""}, cas{40, "Mise à jour", "", ""},
          cas{41, "Mise à jour Win_Velmorin", "#MAJJ#", ""}}) {
        EXPECT_EQ(l[static_cast<std::size_t>(c.r)].libelle, cp(c.libelle)) << c.r;
        EXPECT_EQ(l[static_cast<std::size_t>(c.r)].code, c.code) << c.r;
        EXPECT_EQ(l[static_cast<std::size_t>(c.r)].invite, cp(c.invite)) << c.r;
    }
}

TEST(liste_reglages, a_code_names_its_kind_and_record) {
    using liste_reglages::genre;
    struct cas {
        const char* code;
        genre g;
        long n;
    };
    for (const cas c :
         {cas{"#SW42#25", genre::nombre, 25}, cas{"#SX42#5", genre::taille, 5},
          cas{"#ON42#201", genre::interrupteur, 201}, cas{"#CH42#70", genre::texte, 70},
          cas{"#NTAB#", genre::plan_tables, 0}, cas{"#COUL#", genre::couleurs, 0},
          cas{"#RESO#", genre::resolution, 0}, cas{"#RCOC#", genre::reconnexion, 0},
          cas{"#IDEN#", genre::identification, 0}, cas{"#MAJJ#", genre::mise_a_jour, 0},
          cas{"", genre::aucun, 0}, cas{"#SW42", genre::aucun, 0}, cas{"#XX42#3", genre::aucun, 3}}) {
        EXPECT_EQ(liste_reglages::genre_du_code(c.code), c.g) << c.code;
        EXPECT_EQ(liste_reglages::enregistrement(c.code), c.n) << c.code;
    }
}

TEST(liste_reglages, entries_are_stored_as_typed_within_the_record) {
    EXPECT_EQ(liste_reglages::enreg_saisi("12"), "#I#12");
    EXPECT_EQ(liste_reglages::enreg_saisi(""), "#I#");
    EXPECT_EQ(liste_reglages::enreg_saisi("123456789012345678901234"), "#I#12345678901234567");
    EXPECT_EQ(liste_reglages::valeur_nombre("#I#014              "), "014");
    EXPECT_EQ(liste_reglages::valeur_nombre("#I#                 "), "");
    EXPECT_EQ(liste_reglages::valeur_interrupteur("  NON               "), "NON");
    EXPECT_EQ(liste_reglages::invite("", " Nb de touches par page"), "valeur :  Nb de touches par page");
    EXPECT_EQ(liste_reglages::invite("Entrez le nb de lignes", " Nb de lignes"), "Entrez le nb de lignes");
}

TEST(actions_outils, a_typed_side_replaces_its_five_digits_only) {
    using namespace actions_outils;
    EXPECT_EQ(pose_cote("#I#0:00800:00600 xy ", position_largeur, 1024), "#I#0:01024:00600 xy ");
    EXPECT_EQ(pose_cote("#I#0:00800:00600 xy ", position_hauteur, 768), "#I#0:00800:00768 xy ");
    // A record without a format becomes a whole one, which its reader takes.
    EXPECT_EQ(pose_cote(std::string(20, ' '), position_largeur, 1024), "#I#0:01024:00000    ");
    EXPECT_EQ(cote_actuel("#I#0:00800:00600    ", position_largeur), "00800");
    EXPECT_EQ(cote_actuel("#I#0:00800:00600    ", position_hauteur), "00600");
    struct cas {
        const char* saisie;
        std::optional<long> cote;
    };
    for (const cas c :
         {cas{"1024", 1024}, cas{"00800", 800}, cas{"3000", 3000}, cas{"", {}}, cas{"0", {}},
          cas{"00000", {}}, cas{"abc", {}}, cas{"-768", {}}, cas{"123456", {}}, cas{"     ", {}}})
        EXPECT_EQ(cote_saisi(c.saisie), c.cote) << c.saisie;
}

TEST(actions_outils, identification_file_name_and_line) {
    const platform::date_time t{2026, 12, 9, 8, 58, 3, 0};
    EXPECT_EQ(actions_outils::nom_identification(t), "00_00_0_09-12-2026-08-58-03.txt");
    EXPECT_EQ(actions_outils::nom_identification({2027, 1, 31, 23, 5, 59, 999}),
              "00_00_0_31-01-2027-23-05-59.txt");
    EXPECT_EQ(actions_outils::contenu_identification("0123456789ABCDEFGHIJ"), "#ID#0123456789\r\n");
}

TEST(actions_outils, text_size_moves_by_two_only_inside_its_limits) {
    using namespace actions_outils;
    struct cas {
        double taille, plus_petite, plus_grande;
    };
    for (const cas c : {cas{20, 20, 22}, cas{22, 20, 24}, cas{60, 58, 60}, cas{58, 56, 60}, cas{70, 68, 70},
                        cas{10, 10, 12}, cas{21, 19, 23}}) {
        EXPECT_EQ(taille_plus_petite(c.taille), c.plus_petite) << c.taille;
        EXPECT_EQ(taille_plus_grande(c.taille), c.plus_grande) << c.taille;
    }
    EXPECT_EQ(taille_liste(70), 70);
    EXPECT_EQ(taille_liste(0), 20);
    EXPECT_EQ(taille_liste(-4), 20);
}

TEST_F(outils, identification_file_goes_whole_into_the_network_folder_or_not_at_all) {
    const platform::date_time t{2026, 12, 9, 8, 58, 3, 0};
    EXPECT_TRUE(actions_outils::ecrit_identification(net.string(), t, "0123456789ABCDEFGHIJ"));
    EXPECT_EQ(wvtest::read_bytes(net / "00_00_0_09-12-2026-08-58-03.txt"), "#ID#0123456789\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(net), fs::directory_iterator()), 1);
    EXPECT_FALSE(actions_outils::ecrit_identification((net / "absent").string(), t, "0123456789"));
    EXPECT_FALSE(actions_outils::ecrit_identification("", t, "0123456789"));
    EXPECT_FALSE(fs::exists("/00_00_0_09-12-2026-08-58-03.txt"));
}

TEST_F(outils, developer_dump_lists_the_first_thousand_records) {
    parametres::ecrit(25, "#I#006");
    parametres::ecrit(1000, "98765432109876543210");
    const std::string d = actions_outils::vidage_parametres();
    EXPECT_EQ(d.size(), 1000u * (4 + 3 + 20 + 2));
    EXPECT_EQ(d.substr(0, 29), "0001 : " + std::string(20, ' ') + "\r\n");
    EXPECT_NE(d.find("\r\n0025 : #I#006              \r\n"), std::string::npos);
    EXPECT_TRUE(d.ends_with("1000 : 98765432109876543210\r\n"));
}

TEST_F(outils, the_list_and_toolbar_are_laid_out_from_the_configured_screen) {
    struct cas {
        std::int16_t w, h, decalage;
    };
    for (const cas c : {cas{800, 600, 0}, cas{1024, 768, 50}}) {
        largeur_ecran = c.w;
        hauteur_ecran = c.h;
        decalage_images = c.decalage;
        Module1::dimensionne_fenetre(Form1::instance());
        sur_outils([&](platform::form& f) {
            const double W = c.w * 15.0, H = c.h * 15.0;
            EXPECT_EQ(f.get<platform::label>("label_haut")->caption(), cp("Boite à Outils"));
            EXPECT_EQ(f.get<platform::label>("label_bas")->caption(), cp("Manier avec précautions"));
            EXPECT_EQ(f.get<platform::label>("label_bas")->top(), H - 390);
            EXPECT_EQ(f.width(), Form1::instance().width());
            EXPECT_EQ(f.left(), Form1::instance().left());

            platform::grid* b = barre(f);
            EXPECT_EQ(b->left(), 200);
            EXPECT_EQ(b->width(), W - 400);
            EXPECT_EQ(b->top(), H - 1440 - 500);
            EXPECT_EQ(b->height(), 1440);
            EXPECT_EQ(b->rows(), 1);
            const int images[6] = {28, 17, 18, 21, 20, 12};
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(b->col_width(i), txt::round_even((W - 400) / 6)) << i;
                EXPECT_EQ(b->cell_picture(0, i).cacheKey(), icc::bt_coul(images[i] + c.decalage).cacheKey())
                    << i;
            }

            platform::grid* g = liste(f);
            EXPECT_EQ(g->left(), 200);
            EXPECT_EQ(g->top(), 700);
            EXPECT_EQ(g->width(), W - 400);
            EXPECT_EQ(g->height(), H - 3000);
            EXPECT_EQ(g->rows(), 51);
            EXPECT_EQ(g->cols(), 10);
            EXPECT_EQ(g->col_width(1), txt::round_even((W - 400) * 0.25));
            EXPECT_EQ(g->col_width(0), W - 400 - g->col_width(1) - 280);
            for (int col = 2; col < 10; ++col) EXPECT_EQ(g->col_width(col), 0) << col;
            EXPECT_FALSE(f.find("Label1")->visible());
            EXPECT_FALSE(f.find("Command111")->visible());
            EXPECT_EQ(f.get<platform::picture_button>("Command111")->caption(), "#42");
        });
    }
}

TEST_F(outils, the_list_shows_each_setting_from_its_own_record) {
    parametres::ecrit(25, "#I#014");
    parametres::ecrit(10, "#I# 18 ");
    parametres::ecrit(55, "  NON ");
    parametres::ecrit(201, "OUI");
    parametres::ecrit(2, "#I#0:01024:00768");
    sur_outils([](platform::form& f) {
        platform::grid* g = liste(f);
        EXPECT_EQ(g->font_size(), 20);
        EXPECT_EQ(g->text(0, 0), cp(" Grille générale d'affichage"));
        EXPECT_EQ(g->cell_back_color(0, 0), 0xC0E0FF);
        EXPECT_EQ(g->cell_back_color(1, 0), -1);
        EXPECT_EQ(g->text(r_colonnes, 0), " Nb de colonnes");
        EXPECT_EQ(g->text(r_colonnes, 4), "#SW42#25");
        EXPECT_EQ(g->text(r_colonnes, 5), "Entrez le nb de colonnes");
        EXPECT_EQ(valeur(f, r_colonnes), "014");
        EXPECT_EQ(valeur(f, 4), "18");
        EXPECT_EQ(valeur(f, r_plan_tables), "NON");
        EXPECT_EQ(valeur(f, r_icone), "OUI");
        EXPECT_EQ(valeur(f, r_mot_de_passe), "");  // blank switch
        EXPECT_EQ(valeur(f, r_largeur_serveur), "");
        EXPECT_EQ(valeur(f, r_resolution), "");  // an action has no value
        EXPECT_EQ(g->text(r_maj, 4), "#MAJJ#");
        for (int r = 42; r < 51; ++r)
            for (int col = 0; col < 10; ++col) EXPECT_EQ(g->text(r, col), "") << r << "," << col;
    });
    // Reading the list's size stored its default.
    EXPECT_EQ(enreg(3), "#I#20               ");
    EXPECT_EQ(enreg(11), std::string(20, ' '));  // showing a value writes nothing
}

TEST_F(outils, the_list_is_deaf_for_its_first_second_and_the_toolbar_is_not) {
    // The list's own second, not what the program holds.
    static constexpr qint64 une_seconde = 1000;
    QElapsedTimer since_shown;
    since_shown.start();
    sur_outils([&since_shown](platform::form& f) {
        auto* arme = f.get<platform::label>("Label1");
        // The touches run without the event loop turning: a list seen deaf
        // here stays deaf for them. A machine too busy to act within the
        // second still checks that the second was kept.
        if (arme->caption().empty()) {
            touche(f, r_colonnes);  // a keypad opening now would fail the test
            touche(f, r_icone);
        } else {
            EXPECT_GE(since_shown.elapsed(), une_seconde) << "armed early";
        }
        const int haut = liste(f)->top_row();
        scripted_user::tap_cell(barre(f), 0, 1);
        EXPECT_EQ(liste(f)->top_row(), haut + 10);
        EXPECT_TRUE(scripted_user::wait_until([arme] { return !arme->caption().empty(); }))
            << "the list never took touches";
        EXPECT_GE(since_shown.elapsed(), une_seconde) << "armed early";
        EXPECT_EQ(arme->caption(), "X");
        scripted_user::expect("clav_num", saisit("7"));
        touche(f, r_colonnes);
    });
    EXPECT_EQ(enreg(25), "#I#7                ");
}

TEST_F(outils, typed_numbers_and_sizes_are_stored_at_once_as_typed) {
    parametres::ecrit(25, "#I#006");
    parametres::ecrit(5, "#I#14");
    struct cas {
        int r;
        long n;
        const char* invite;  // what the keypad is asked, before "|" and the value shown
        bool taille;
        const char* saisie;
        const char* enreg;
        const char* montre;
    };
    const cas tous[] = {
        {r_colonnes, 25, "Entrez le nb de colonnes|006", false, "12", "#I#12", "12"},
        {r_largeur_serveur, 11, "valeur :  Largeur touches Serveur|", false, "3", "#I#3", "3"},
        {r_ecriture_articles, 5, "valeur :  Grosseur ecriture Articles|14", true, "22", "#I#22", "22"},
        {r_lignes_tables, 62, "valeur :  Nb de lignes affichées|", false, "", "#I#", ""},
        {r_colonnes, 25, "Entrez le nb de colonnes|12", false, "123456789012345678901234",
         "#I#12345678901234567", "12345678901234567"},
    };
    sur_outils([&](platform::form& f) {
        arme(f);
        for (const cas& c : tous) {
            demande vu;
            scripted_user::expect("clav_num", saisit(c.saisie, &vu));
            touche(f, c.r);
            EXPECT_EQ(vu.fois, 1) << c.r;
            EXPECT_EQ(vu.type, 129) << c.r;
            EXPECT_EQ(vu.texte, cp(c.invite)) << c.r;
            const std::string prompt = cp(c.invite).substr(0, cp(c.invite).find('|'));
            EXPECT_EQ(vu.ligne, c.taille ? "#SAISIZE" : prompt) << c.r;
            EXPECT_EQ(enreg_sur_disque(c.n), txt::pad(c.enreg, 20)) << c.r;
            EXPECT_EQ(valeur(f, c.r), c.montre) << c.r;
            EXPECT_TRUE(f.loaded());
        }
    });
}

TEST_F(outils, the_message_box_size_is_checked_in_a_box_of_the_new_size) {
    sur_outils([&](platform::form& f) {
        arme(f);
        scripted_user::expect("clav_num", saisit("4"));
        demande vu;
        std::string enreg50;
        scripted_user::expect("mini_97", [&](platform::form& boite) {
            enreg50 = enreg_sur_disque(50);
            repond(6, &vu)(boite);
        });
        touche(f, r_boite);
        EXPECT_EQ(vu.fois, 1);
        EXPECT_EQ(vu.type, 0);
        EXPECT_EQ(vu.texte, "Verification Boite de dialogue !");
        EXPECT_EQ(enreg50, txt::pad("#I#4", 20));
        EXPECT_EQ(valeur(f, r_boite), "4");
    });
}

TEST_F(outils, switches_store_oui_only_on_yes_and_show_the_answer) {
    sur_outils([&](platform::form& f) {
        arme(f);
        struct cas {
            int r;
            long n;
            int reponse;
            const char* enreg;
        };
        for (const cas c : {cas{r_icone, 201, 6, "OUI"}, cas{r_mot_de_passe, 200, 7, "NON"},
                            cas{r_plan_tables, 55, 4, "NON"}, cas{r_test_table, 202, 6, "OUI"},
                            cas{r_icone, 201, 7, "NON"}}) {
            demande vu;
            scripted_user::expect("mini_97", repond(c.reponse, &vu));
            touche(f, c.r);
            EXPECT_EQ(vu.type, 4) << c.r;
            EXPECT_EQ(vu.texte, liste(f)->text(c.r, 0)) << c.r;
            EXPECT_EQ(vu.texte[0], ' ');
            EXPECT_EQ(enreg_sur_disque(c.n), txt::pad(c.enreg, 20)) << c.r;
            EXPECT_EQ(valeur(f, c.r), c.enreg) << c.r;
        }
    });
    // The next showing reads them back.
    sur_outils([](platform::form& f) {
        EXPECT_EQ(valeur(f, r_icone), "NON");
        EXPECT_EQ(valeur(f, r_mot_de_passe), "NON");
        EXPECT_EQ(valeur(f, r_test_table), "OUI");
    });
}

TEST_F(outils, headings_empty_rows_and_the_colour_row) {
    sur_outils([&](platform::form& f) {
        arme(f);
        for (int r : {0, 3, 29, 38, 40, 42, 50}) touche(f, r);  // nothing opens
        int vu = 0;
        scripted_user::expect("ggcoul", [&vu](platform::form& c) {
            ++vu;
            c.unload();
        });
        touche(f, r_couleurs);
        EXPECT_EQ(vu, 1);
        EXPECT_TRUE(f.loaded());
    });
}

TEST_F(outils, the_codes_no_row_carries_still_edit_their_records) {
    sur_outils([&](platform::form& f) {
        arme(f);
        platform::grid* g = liste(f);
        g->set_text(45, 4, "#NTAB#");
        g->set_text(46, 0, " Texte libre");
        g->set_text(46, 1, "abc");
        g->set_text(46, 4, "#CH42#70");
        g->set_text(46, 5, "Entrez un texte");
        for (int reponse : {6, 7}) {
            demande vu;
            scripted_user::expect("mini_97", repond(reponse, &vu));
            touche(f, 45);
            EXPECT_EQ(vu.type, 4);
            EXPECT_EQ(vu.texte, cp("Vérifier le Numéro avec le plan de table ?"));
            EXPECT_EQ(enreg_sur_disque(55), txt::pad(reponse == 6 ? "OUI" : "NON", 20));
        }
        demande vu;
        scripted_user::expect("clavv", saisit("xyz", &vu));
        touche(f, 46);
        EXPECT_EQ(vu.type, 129);
        EXPECT_EQ(vu.texte, "Entrez un texte|abc");
        EXPECT_EQ(vu.ligne, "Entrez un texte");
        EXPECT_EQ(enreg_sur_disque(70), txt::pad("#I#xyz", 20));
        EXPECT_EQ(g->text(46, 1), "xyz");
    });
}

TEST_F(outils, resolution_asks_both_sides_and_an_empty_or_unusable_answer_writes_nothing) {
    parametres::ecrit(2, "#I#0:00800:00600");
    sur_outils([&](platform::form& f) {
        arme(f);
        demande largeur, hauteur;
        scripted_user::expect("clavv", saisit("1024", &largeur));
        scripted_user::expect("clavv", saisit("", &hauteur));
        touche(f, r_resolution);
        EXPECT_EQ(largeur.type, 129);
        EXPECT_EQ(largeur.texte, cp("Entrez la résolution horizontale ?|00800"));
        EXPECT_EQ(hauteur.texte, cp("Entrez la résolution verticale ?|00600"));
        EXPECT_EQ(enreg_sur_disque(2), "#I#0:00800:00600    ");
        EXPECT_TRUE(f.loaded());
        // Refused widths end the action before the height is asked.
        for (const char* refus : {"", "0", "abc", "123456"}) {
            scripted_user::expect("clavv", saisit(refus));
            touche(f, r_resolution);
            EXPECT_EQ(enreg_sur_disque(2), "#I#0:00800:00600    ") << refus;
        }
        EXPECT_TRUE(f.loaded());
    });
}

TEST_F(outils, resolution_typed_is_written_and_the_program_ends) {
    parametres::ecrit(2, "#I#0:00800:00600 xy");
    EXPECT_EXIT(
        {
            sur_outils([](platform::form& f) {
                arme(f);
                scripted_user::expect("clavv", saisit("1024"));
                scripted_user::expect("clavv", saisit("768"));
                touche(f, r_resolution);
            });
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();  // the expectations were used in the child only
    EXPECT_EQ(enreg_sur_disque(2), "#I#0:01024:00768 xy ");
}

TEST_F(outils, reconnection_starts_the_set_up_program_only_on_yes) {
    std::vector<std::string> lances;
    platform::set_start_hook([&lances](const std::string& quoi) {
        lances.push_back(quoi);
        return false;
    });
    sur_outils([&](platform::form& f) {
        arme(f);
        for (int reponse : {7, 4}) {
            demande vu;
            scripted_user::expect("mini_97", repond(reponse, &vu));
            touche(f, r_reconnexion);
            EXPECT_EQ(vu.type, 4);
            EXPECT_EQ(vu.texte, cp("Confirmez la reconnexion de la tablette au réseau serveur ?"));
        }
        EXPECT_TRUE(lances.empty());
        // A set-up program that cannot start leaves the program running, and says so.
        demande avis;
        scripted_user::expect("mini_97", repond(6));
        scripted_user::expect("mini_97", repond(6, &avis));
        touche(f, r_reconnexion);
        EXPECT_EQ(lances, std::vector<std::string>{"ostrevane"});
        EXPECT_EQ(avis.type, 0);
        EXPECT_EQ(avis.texte,
                  cp("Impossible de lancer le programme de reconnexion, le logiciel reste ouvert !"));
        EXPECT_TRUE(f.loaded());
    });
}

TEST_F(outils, reconnection_confirmed_starts_the_set_up_program_and_ends) {
    EXPECT_EXIT(
        {
            platform::set_start_hook([](const std::string& quoi) {
                std::fprintf(stderr, "started %s\n", quoi.c_str());
                return true;
            });
            sur_outils([](platform::form& f) {
                arme(f);
                scripted_user::expect("mini_97", repond(6));
                touche(f, r_reconnexion);
            });
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "started ostrevane\n");
    scripted_user::clear();
}

TEST_F(outils, identification_renews_record_1087_and_sends_the_file) {
    platform::set_clock([] { return platform::date_time{2026, 12, 9, 8, 58, 3, 0}; });
    rep_reseau = net.string();
    parametres::ecrit(1087, "ABCDEFGHIJ1234567890");
    const std::string code = Module1::code_tablette();
    const fs::path fichier = net / "00_00_0_09-12-2026-08-58-03.txt";
    sur_outils([&](platform::form& f) {
        arme(f);
        demande avant, apres;
        bool ecrit_avant_avis = false;
        scripted_user::expect("mini_97", [&](platform::form& b) {
            EXPECT_FALSE(fs::exists(fichier));  // the router is put in its mode first
            repond(6, &avant)(b);
        });
        scripted_user::expect("mini_97", [&](platform::form& b) {
            ecrit_avant_avis = fs::exists(fichier);
            repond(6, &apres)(b);
        });
        touche(f, r_identification);
        EXPECT_EQ(avant.type, 0);
        EXPECT_EQ(avant.texte, "Lancez le routeur Velmorin en mode identification tablette cliquez sur 'OK'");
        EXPECT_EQ(apres.type, 0);
        EXPECT_EQ(apres.texte, cp("Envoi du code d'identification effectué !"));
        EXPECT_TRUE(ecrit_avant_avis);
        EXPECT_TRUE(f.loaded());
    });
    EXPECT_EQ(id_tablette, code);
    EXPECT_EQ(enreg_sur_disque(1087), code + "1234567890");
    EXPECT_EQ(wvtest::read_bytes(fichier), "#ID#" + code + "\r\n");
}

TEST_F(outils, identification_that_cannot_reach_the_network_folder_says_so) {
    parametres::ecrit(1087, "ABCDEFGHIJ1234567890");
    for (const std::string& dossier : {(net / "absent").string(), std::string()}) {
        rep_reseau = dossier;
        sur_outils([&](platform::form& f) {
            arme(f);
            demande avis;
            scripted_user::expect("mini_97", repond(6));
            scripted_user::expect("mini_97", repond(6, &avis));
            touche(f, r_identification);
            EXPECT_EQ(avis.fois, 1);
            EXPECT_EQ(avis.type, 0);
            EXPECT_EQ(avis.texte,
                      cp("Echec de l'envoi du code d'identification, vérifiez le répertoire réseau !"));
        });
        EXPECT_EQ(enreg_sur_disque(1087), Module1::code_tablette() + "1234567890");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(net), fs::directory_iterator()), 0);
}

TEST_F(outils, update_opens_the_browser_only_on_yes) {
    std::vector<std::string> ouverts;
    platform::set_start_hook([&ouverts](const std::string& quoi) {
        ouverts.push_back(quoi);
        return false;
    });
    sur_outils([&](platform::form& f) {
        arme(f);
        demande vu;
        scripted_user::expect("mini_97", repond(7, &vu));
        touche(f, r_maj);
        EXPECT_EQ(vu.type, 4);
        EXPECT_EQ(vu.texte, cp("Confirmez la mise à jour de Win_Velmorin,  le logiciel va être fermé et vous "
                               "devrez le relancer aprés la mise à jour ?"));
        EXPECT_TRUE(ouverts.empty());
        demande avis;
        scripted_user::expect("mini_97", repond(6));
        scripted_user::expect("mini_97", repond(6, &avis));
        touche(f, r_maj);
        ASSERT_EQ(ouverts.size(), 1u);
        EXPECT_TRUE(ouverts[0].starts_with("http://"));
        EXPECT_TRUE(ouverts[0].ends_with("/Velmorin/majqzon.exe"));
        EXPECT_EQ(avis.type, 0);
        EXPECT_EQ(avis.texte,
                  cp("Impossible d'ouvrir le navigateur pour la mise à jour, le logiciel reste ouvert !"));
        EXPECT_TRUE(f.loaded());
    });
}

TEST_F(outils, update_confirmed_opens_the_browser_and_ends) {
    EXPECT_EXIT(
        {
            platform::set_start_hook([](const std::string& quoi) {
                std::fprintf(stderr, "opened %s\n", quoi.c_str());
                return true;
            });
            sur_outils([](platform::form& f) {
                arme(f);
                scripted_user::expect("mini_97", repond(6));
                touche(f, r_maj);
            });
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "opened http://[^ ]*/Velmorin/majqzon.exe\n");
    scripted_user::clear();
}

TEST_F(outils, toolbar_scrolls_the_list_by_ten_rows) {
    sur_outils([](platform::form& f) {
        platform::grid* g = liste(f);
        scripted_user::tap_cell(barre(f), 0, 1);
        scripted_user::tap_cell(barre(f), 0, 1);
        EXPECT_EQ(g->top_row(), 20);
        scripted_user::tap_cell(barre(f), 0, 2);
        EXPECT_EQ(g->top_row(), 10);
        scripted_user::tap_cell(barre(f), 0, 2);
        EXPECT_EQ(g->top_row(), 0);
        g->set_top_row(5);
        scripted_user::tap_cell(barre(f), 0, 2);
        EXPECT_EQ(g->top_row(), 0);
        for (int i = 0; i < 8; ++i) scripted_user::tap_cell(barre(f), 0, 1);
        EXPECT_EQ(g->top_row(), 50);  // the last row
    });
}

TEST_F(outils, toolbar_sizes_the_text_and_keeps_it_in_record_3) {
    struct cas {
        const char* enreg3;
        int cellule, touches;
        double taille;
        const char* ecrit;
    };
    for (const cas c :
         {cas{"", 3, 1, 20, "#I#20"}, cas{"", 4, 25, 60, "#I#60"}, cas{"#I#70", 4, 1, 70, "#I#70"},
          cas{"#I#70", 3, 1, 68, "#I#68"}, cas{"#I#10", 3, 1, 10, "#I#10"}, cas{"#I#10", 4, 1, 12, "#I#12"},
          cas{"#I#", 4, 1, 22, "#I#22"}}) {
        parametres::ecrit(3, c.enreg3);
        sur_outils([&](platform::form& f) {
            const double avant = liste(f)->row_height(1), taille_avant = liste(f)->font_size();
            for (int i = 0; i < c.touches; ++i) scripted_user::tap_cell(barre(f), 0, c.cellule);
            EXPECT_EQ(liste(f)->font_size(), c.taille) << c.enreg3 << " " << c.cellule;
            // The rows follow the text.
            if (c.taille > taille_avant) {
                EXPECT_GT(liste(f)->row_height(1), avant);
            }
        });
        EXPECT_EQ(enreg_sur_disque(3), txt::pad(c.ecrit, 20)) << c.enreg3 << " " << c.cellule;
    }
    // The next showing opens at the stored size.
    sur_outils([](platform::form& f) { EXPECT_EQ(liste(f)->font_size(), 22); });
}

TEST_F(outils, toolbar_closes_directly_or_after_the_screen_format_chooser) {
    sur_outils([](platform::form& f) {
        scripted_user::tap_cell(barre(f), 0, 5);
        EXPECT_FALSE(f.loaded());
    });
    int choix = 0;
    scripted_user::expect("porpay", [&choix](platform::form& p) {
        ++choix;
        EXPECT_TRUE(ch_outils::instance().loaded());
        p.unload();
    });
    sur_outils([](platform::form& f) {
        scripted_user::tap_cell(barre(f), 0, 0);
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_EQ(choix, 1);
}

TEST_F(outils, the_bottom_bar_asks_for_the_reset_and_no_keeps_the_screen) {
    sur_outils([](platform::form& f) {
        demande vu;
        scripted_user::expect("mini_97", repond(7, &vu));
        scripted_user::double_tap(f.find("label_bas"));
        EXPECT_EQ(vu.type, 4);
        EXPECT_EQ(vu.texte,
                  cp("Confirmez la réinitialisation du logiciel, les données saisies seront perdues ?"));
        EXPECT_TRUE(f.loaded());
    });
    EXPECT_EXIT(
        {
            sur_outils([](platform::form& f) {
                scripted_user::expect("mini_97", repond(6));
                scripted_user::double_tap(f.find("label_bas"));
            });
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();
}

TEST_F(outils, the_hidden_dump_button_writes_the_records_and_ends) {
    parametres::ecrit(25, "#I#006");
    EXPECT_EXIT(
        {
            sur_outils([](platform::form& f) { f.find("Command111")->click(); });
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
    scripted_user::clear();
    const std::string d = wvtest::read_bytes(work / actions_outils::nom_vidage);
    EXPECT_EQ(d.size(), 1000u * 29);
    EXPECT_NE(d.find("\r\n0025 : #I#006              \r\n"), std::string::npos);
}

}  // namespace
