// The order summary on a real window: header, lines and complements, editing
// a line again, paging, and sending with its checks, confirmation and notice.
#include <gtest/gtest.h>

#include <QTimer>
#include <filesystem>

#include "order/eta_com.h"
#include "order/order_file.h"
#include "order/order_line.h"
#include "order_fixture.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace {

using scripted_user::tap_cell;
using wvtest::caption_of;
using wvtest::grid_of;

const std::string entrecote = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";
const std::string cafe = "2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0|";
const std::string nom_attendu = "2026-12-09-12-34-56_03_012_004_.-A-";

class eta_com_test : public wvtest::order_screen_test {
  protected:
    wvtest::screen_double boite{"mini_97"}, editeur{"sel_arti"};

    void SetUp() override {
        order_screen_test::SetUp();
        parametres::ecrit(eta_com::enreg_identification, "0123456789" + std::string(10, '7'));
        num_serveur = 3;
    }
    static void commande(std::initializer_list<std::string> lignes) {
        nb_lignes = 0;
        for (const auto& l : lignes) lignes_commande[++nb_lignes] = l;
    }
    static void montre(scripted_user::action a) {
        scripted_user::expect("eta_com", std::move(a));
        eta_com::instance().show_modal();
    }
    static std::vector<std::string> ordre() {
        return {lignes_commande.begin() + 1, lignes_commande.begin() + 1 + nb_lignes};
    }
    int fichiers_commande() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(work))
            if (e.is_regular_file() && txt::ends_with_nocase(e.path().filename().string(), ".-A-")) ++n;
        return n;
    }
};

TEST_F(eta_com_test, lines_and_complements_fill_the_grid_under_the_header) {
    table_couverts = "#N0124 ";
    commande({entrecote + " ##QUA:003.00##{Saignant}{Frites}", cafe, cafe + " ##QUA:002.00##"});
    montre([](platform::form& f) {
        auto* g = grid_of(f, "g1");
        EXPECT_EQ(g->text(0, 0), "Nb");
        EXPECT_EQ(g->text(0, 1), cp("Libellé"));
        EXPECT_EQ(g->text(1, 0), "3");
        EXPECT_EQ(g->text(1, 1), "Entrec\xF4te");
        EXPECT_EQ(g->text(2, 1), "   Saignant");
        EXPECT_EQ(g->text(3, 1), "   Frites");
        EXPECT_EQ(g->text(2, 0), "");
        for (int r : {1, 2, 3}) EXPECT_EQ(g->text(r, 4), "1");
        EXPECT_EQ(g->text(4, 0), "");  // no quantity field: nothing shown, nothing counted
        EXPECT_EQ(g->text(4, 1), "Caf\xE9");
        EXPECT_EQ(g->text(4, 4), "2");
        EXPECT_EQ(g->text(5, 0), "2");
        EXPECT_EQ(g->text(6, 1), "");
        auto* entete = grid_of(f, "g7");
        EXPECT_EQ(entete->text(0, 0), cp("N° Table"));
        EXPECT_EQ(entete->text(0, 1), "12");
        EXPECT_EQ(entete->text(0, 3), "4");
        EXPECT_EQ(entete->text(0, 5), "5");
        EXPECT_FALSE(f.find("label_haut")->visible());
        EXPECT_EQ(caption_of(f, "label_bas"), cp("Récapitulatif"));
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_EQ(nb_lignes, 3);
    EXPECT_EQ(parametres::lit(eta_com::enreg_taille), txt::pad("#I#20", 20));
}

TEST_F(eta_com_test, without_table_or_covers_sending_is_refused) {
    for (const char* tc : {"", "#N000  ", "#N012  ", "#N0000 "}) {
        table_couverts = tc;
        commande({cafe + " ##QUA:001.00##"});
        std::string texte;
        int type = -1;
        scripted_user::expect("mini_97", [&](platform::form& f) {
            texte = texte_message;
            type = type_message;
            scripted_user::answer(6)(f);
        });
        montre([](platform::form& f) {
            if (table_couverts.empty()) {
                EXPECT_EQ(grid_of(f, "g7")->text(0, 1), "0");
                EXPECT_EQ(grid_of(f, "g7")->text(0, 3), "0");
            }
            tap_cell(grid_of(f, "g2"), 0, 3);
            EXPECT_TRUE(f.loaded());
            tap_cell(grid_of(f, "g2"), 0, 5);
        });
        EXPECT_EQ(type, 0);
        EXPECT_EQ(texte, cp("Vous devez préciser un N° de table et un Nb de couverts !"));
        EXPECT_EQ(nb_lignes, 1);
        EXPECT_FALSE(commande_envoyee);
    }
    EXPECT_EQ(fichiers_commande(), 0);
}

TEST_F(eta_com_test, sending_asks_writes_the_file_empties_the_order_and_tells) {
    table_couverts = "#N0124 ";
    commande({entrecote + " ##QUA:002.00##{Saignant}{Frites}"});
    std::vector<std::string> textes;
    std::vector<int> types;
    auto note = [&](int reponse) {
        return [&, reponse](platform::form& f) {
            textes.push_back(texte_message);
            types.push_back(type_message);
            scripted_user::answer(reponse)(f);
        };
    };
    scripted_user::expect("mini_97", note(7));    // not confirmed
    scripted_user::expect("mini_97", note(6));    // confirmed
    scripted_user::expect("mini_97", note(225));  // the notice closes by itself
    montre([this](platform::form& f) {
        tap_cell(grid_of(f, "g2"), 0, 3);
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(fichiers_commande(), 0);
        tap_cell(grid_of(f, "g2"), 0, 3);
    });
    EXPECT_EQ(textes, (std::vector<std::string>{"Confimez l'envoi de la commande au serveur ?",
                                                "Confimez l'envoi de la commande au serveur ?",
                                                cp("La commande à été envoyée !")}));
    EXPECT_EQ(types, (std::vector<int>{4, 4, 225}));
    EXPECT_TRUE(commande_envoyee);
    EXPECT_EQ(nb_lignes, 0);
    EXPECT_EQ(lignes_commande[1], "");
    EXPECT_EQ(table_couverts, "");
    EXPECT_EQ(wvtest::read_bytes(work / nom_attendu),
              "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#03\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n"
              "#REF#2000200000013  {2.00}\r\n#COMP#Saignant|Frites|\r\n#NOTE#\r\n");
}

TEST_F(eta_com_test, a_failed_write_keeps_the_order_and_the_summary_open) {
    table_couverts = "#N0124 ";
    commande({cafe + " ##QUA:001.00##", entrecote + " ##QUA:002.00##"});
    const auto avant = ordre();
    // Something that is no order file squats the name the clock gives.
    fs::create_directory(work / nom_attendu);
    std::string message;
    scripted_user::expect("mini_97", scripted_user::answer(6));
    scripted_user::expect("mini_97", [&](platform::form& f) {
        message = texte_message;
        EXPECT_EQ(type_message, 0);
        scripted_user::answer(6)(f);
    });
    montre([](platform::form& f) {
        tap_cell(grid_of(f, "g2"), 0, 3);
        EXPECT_TRUE(f.loaded());
        EXPECT_EQ(grid_of(f, "g1")->text(1, 1), "Caf\xE9");
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_NE(message.find(cp("n'a pas pu être écrite")), std::string::npos);
    EXPECT_FALSE(commande_envoyee);
    EXPECT_EQ(ordre(), avant);
    EXPECT_EQ(table_couverts, "#N0124 ");
    EXPECT_EQ(fichiers_commande(), 0);
    for (const auto& e : fs::directory_iterator(work))
        EXPECT_FALSE(e.is_regular_file() && e.path().filename().string()[0] == '.');
}

TEST_F(eta_com_test, an_existing_order_file_is_never_replaced) {
    table_couverts = "#N0124 ";
    commande({cafe + " ##QUA:001.00##"});
    wvtest::write_bytes(work / nom_attendu, "commande d'avant");
    for (int reponse : {6, 225}) scripted_user::expect("mini_97", scripted_user::answer(reponse));
    montre([](platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 3); });
    EXPECT_EQ(wvtest::read_bytes(work / nom_attendu), "commande d'avant");
    const std::string suivant = "2026-12-09-12-34-57_03_012_004_.-A-";
    EXPECT_EQ(wvtest::read_bytes(work / suivant).substr(0, 4), "#ID#");
    EXPECT_TRUE(commande_envoyee);
}

// The order of the same second already waits for the router in the network
// folder: this one takes the next second, so that it never waits behind it
// under a name that is taken there (nor is taken for it). Offline, the
// network folder is not looked at.
TEST_F(eta_com_test, a_name_taken_in_the_network_folder_is_not_free) {
    fs::create_directories(net);
    wvtest::write_bytes(net / "2026-12-09-12-34-56_03_012_004_.txt", "commande d'avant");
    rep_reseau = net.string();
    for (const bool hors : {false, true}) {
        SCOPED_TRACE(hors ? "offline" : "online");
        hors_ligne = hors;
        table_couverts = "#N0124 ";
        commande({cafe + " ##QUA:001.00##"});
        for (int reponse : {6, 225}) scripted_user::expect("mini_97", scripted_user::answer(reponse));
        montre([](platform::form& f) { tap_cell(grid_of(f, "g2"), 0, 3); });
        EXPECT_TRUE(commande_envoyee);
        EXPECT_EQ(fichiers_commande(), hors ? 2 : 1);
        // Online the second of the waiting order is taken; offline the
        // name is free in the tablet folder.
        EXPECT_TRUE(fs::exists(work / (hors ? nom_attendu : "2026-12-09-12-34-57_03_012_004_.-A-")));
    }
    hors_ligne = false;
}

TEST_F(eta_com_test, a_touched_row_reopens_its_line_and_an_emptied_line_goes) {
    table_couverts = "#N0124 ";
    commande({cafe + " ##QUA:001.00##", entrecote + " ##QUA:001.00##{Bleu}", cafe + " ##QUA:004.00##"});
    std::vector<std::string> recues;
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        recues.push_back(ligne_travail);
        ligne_travail = entrecote + " ##QUA:002.00##{Bleu}{Frites}";
        f.unload();
    });
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        recues.push_back(ligne_travail);
        ligne_travail = "";
        f.unload();
    });
    montre([](platform::form& f) {
        auto* g = grid_of(f, "g1");
        tap_cell(g, 0, 1);  // the header: nothing
        tap_cell(g, 3, 1);  // the complement row of line 2 opens line 2
        EXPECT_EQ(g->text(2, 0), "2");
        EXPECT_EQ(g->text(4, 1), "   Frites");
        EXPECT_EQ(grid_of(f, "g7")->text(0, 5), "7");
        tap_cell(g, 1, 0);  // line 1, deleted in the editor
        EXPECT_EQ(g->text(1, 1), "Entrec\xF4te");
        EXPECT_EQ(g->text(1, 4), "1");
        EXPECT_EQ(g->text(4, 4), "2");
        EXPECT_EQ(g->text(5, 1), "");
        tap_cell(g, 7, 0);  // an empty row: nothing
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_EQ(recues,
              (std::vector<std::string>{entrecote + " ##QUA:001.00##{Bleu}", cafe + " ##QUA:001.00##"}));
    EXPECT_EQ(ordre(), (std::vector<std::string>{entrecote + " ##QUA:002.00##{Bleu}{Frites}",
                                                 cafe + " ##QUA:004.00##"}));
}

TEST_F(eta_com_test, the_returned_line_is_stored_before_other_touches_run) {
    commande({cafe + " ##QUA:001.00##"});
    std::string vu_pendant;
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ligne_travail = cafe + " ##QUA:005.00##";
        f.unload();
        // A touch waiting in the queue when the editor closes.
        QTimer::singleShot(0, [&] { vu_pendant = lignes_commande[1]; });
    });
    montre([](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 1, 1);
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_EQ(vu_pendant, cafe + " ##QUA:005.00##");
}

TEST_F(eta_com_test, a_send_touched_while_the_editor_closes_never_sees_a_deleted_line) {
    table_couverts = "#N0124 ";
    commande({cafe + " ##QUA:001.00##", entrecote + " ##QUA:002.00##{Saignant}"});
    for (int reponse : {6, 225}) scripted_user::expect("mini_97", scripted_user::answer(reponse));
    scripted_user::expect("sel_arti", [](platform::form& f) {
        ligne_travail = "";
        // The waiter touches the send cell while the editor's window goes.
        scripted_user::post_tap_cell(grid_of(eta_com::instance(), "g2"), 0, 3);
        f.unload();
    });
    montre([](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 1, 1);
        scripted_user::wait(50);
        if (f.loaded()) tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_EQ(scripted_user::pending(), 0) << "the queued send was not handled";
    EXPECT_TRUE(commande_envoyee);
    EXPECT_EQ(nb_lignes, 0);
    fichier_commande::commande attendue;
    attendue.id_tablette = "0123456789";
    attendue.num_serveur = 3;
    attendue.table_couverts = "#N0124 ";
    attendue.lignes = {entrecote + " ##QUA:002.00##{Saignant}"};
    const std::string ecrit = wvtest::read_bytes(work / nom_attendu);
    EXPECT_EQ(ecrit.find("#REF#{"), std::string::npos) << ecrit;
    EXPECT_EQ(ecrit, fichier_commande::contenu(attendue));
}

// The waiter deletes the coffee and, while the editor's window goes, touches
// the row that shows the entrecôte: that is the line that opens, because the
// grid already shows the order as it is when the touch is handled.
TEST_F(eta_com_test, a_row_touched_while_the_editor_closes_opens_the_line_it_shows) {
    table_couverts = "#N0124 ";
    const std::string the = "2000700000025  |DES:Th\xE9|PVE:2.50|FA1:7|FA2:0|";
    commande({cafe + " ##QUA:001.00##", entrecote + " ##QUA:002.00##{Saignant}", the + " ##QUA:001.00##"});
    std::vector<std::string> decalees;
    std::string ouverte;
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ligne_travail = "";
        f.unload();
        QTimer::singleShot(0, [&] {
            auto* g = grid_of(eta_com::instance(), "g1");
            int touchee = 0;
            for (int r = 1; r < g->rows(); ++r) {
                const int i = static_cast<int>(txt::val(g->text(r, 4)));
                if (i < 1 || txt::left(g->text(r, 1), 3) == "   ") continue;
                if (i > nb_lignes || ligne_commande::designation(lignes_commande[i]) != g->text(r, 1))
                    decalees.push_back(g->text(r, 1) + " -> " + std::to_string(i));
                if (g->text(r, 1) == "Entrec\xF4te" && touchee == 0) touchee = r;
            }
            ASSERT_NE(touchee, 0);
            tap_cell(g, touchee, 1);
        });
    });
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ouverte = ligne_travail;
        f.unload();
    });
    montre([](platform::form& f) {
        tap_cell(grid_of(f, "g1"), 1, 1);
        scripted_user::wait(50);
        tap_cell(grid_of(f, "g2"), 0, 5);
    });
    EXPECT_EQ(scripted_user::pending(), 0) << "the queued touch was not handled";
    EXPECT_EQ(decalees, std::vector<std::string>{}) << "rows out of step with the order";
    EXPECT_EQ(ouverte, entrecote + " ##QUA:002.00##{Saignant}");
    EXPECT_EQ(ordre(),
              (std::vector<std::string>{entrecote + " ##QUA:002.00##{Saignant}", the + " ##QUA:001.00##"}));
}

TEST_F(eta_com_test, paging_and_orders_longer_than_the_grid) {
    table_couverts = "#N0124 ";
    std::string ouverte;
    scripted_user::expect("sel_arti", [&](platform::form& f) {
        ouverte = ligne_travail;
        f.unload();
    });
    nb_lignes = 0;
    for (int i = 1; i <= 200; ++i)
        lignes_commande[++nb_lignes] = cafe + " ##QUA:001.00##{sucre " + std::to_string(i) + "}";
    montre([](platform::form& f) {
        auto* g = grid_of(f, "g1");
        auto* barre = grid_of(f, "g2");
        EXPECT_EQ(g->rows(), 401);
        EXPECT_EQ(g->text(400, 1), "   sucre 200");
        EXPECT_EQ(g->text(399, 4), "200");
        EXPECT_EQ(grid_of(f, "g7")->text(0, 5), "200");
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), 1);
        tap_cell(barre, 0, 0);
        EXPECT_EQ(g->top_row(), 11);
        for (int i = 0; i < 60; ++i) tap_cell(barre, 0, 0);
        const int fin = g->top_row();
        EXPECT_FALSE(g->cell_rect(400, 1).isEmpty());
        EXPECT_LE(g->cell_rect(400, 1).bottom(), g->widget()->height());
        tap_cell(barre, 0, 0);
        EXPECT_EQ(g->top_row(), fin);
        tap_cell(g, g->top_row(), 1);  // a row far down still opens its line
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), fin - 10);
        g->set_top_row(7);
        tap_cell(barre, 0, 1);
        EXPECT_EQ(g->top_row(), 1);
        tap_cell(barre, 0, 5);
    });
    EXPECT_NE(ouverte.find("{sucre "), std::string::npos);
}

}  // namespace
