// The main screen's files and strings, without a display: the folder file,
// the provisional order "prov.txt" and the function bar's strings.
#include <gtest/gtest.h>

#include "main_screen/folder_file.h"
#include "main_screen/function_bar.h"
#include "main_screen/provisional_order.h"
#include "shared/globals.h"
#include "support/fixtures.h"

namespace {

class formats : public wvtest::folder_test {};

TEST_F(formats, folder_file_of_a_first_start_is_the_folder_as_typed_and_eleven_blank_lines) {
    ASSERT_TRUE(fichier_dossier::ecrit_premier_demarrage("//serveur/echange"));
    std::string attendu = "//serveur/echange\r\n";
    for (int i = 0; i < 11; ++i) attendu += " \r\n";
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo"), attendu);
    EXPECT_EQ(fichier_dossier::premiere_ligne(), "//serveur/echange");
}

TEST_F(formats, folder_file_first_line_as_stored_or_empty) {
    EXPECT_FALSE(fichier_dossier::existe());
    EXPECT_EQ(fichier_dossier::premiere_ligne(), "");
    wvtest::write_bytes(work / "wfichdir.wdo", "");
    EXPECT_TRUE(fichier_dossier::existe());
    EXPECT_EQ(fichier_dossier::premiere_ligne(), "");
    // Written by the set-up program: seven lines, line 1 ending with the separator.
    wvtest::write_bytes(work / "wfichdir.wdo", "/mnt/caisse/echange/\r\nCAISSE\r\n \r\n \r\n \r\n \r\n \r\n");
    EXPECT_EQ(fichier_dossier::premiere_ligne(), "/mnt/caisse/echange/");
    wvtest::write_bytes(work / "wfichdir.wdo", " /mnt/x \n");
    EXPECT_EQ(fichier_dossier::premiere_ligne(), " /mnt/x ");
}

TEST_F(formats, provisional_order_holds_server_table_and_lines_byte_for_byte) {
    num_serveur = 3;
    table_couverts = "#N0124 ";
    nb_lignes = 2;
    lignes_commande[1] =
        "000142000200000013  |DES:Entrec\xF4te|PVE:21.50|FA1:2|FA2:0| ##QUA:002.00##{Saignant}";
    lignes_commande[2] = "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##";
    lignes_commande[3] = "not part of the order";
    ASSERT_TRUE(commande_provisoire::ecrit());
    EXPECT_EQ(wvtest::read_bytes(work / "prov.txt"),
              "#SERV#03\r\n#TABL##N0124 \r\n"
              "000142000200000013  |DES:Entrec\xF4te|PVE:21.50|FA1:2|FA2:0| ##QUA:002.00##{Saignant}\r\n"
              "000012000000000015  |DES:Kir|PVE:4.50|FA1:0|FA2:0| ##QUA:001.00##\r\n");
}

TEST_F(formats, provisional_order_of_an_empty_order_without_table_is_two_lines) {
    num_serveur = 12;
    wvtest::write_bytes(work / "prov.txt", "an older provisional order, longer than the new one\r\n");
    ASSERT_TRUE(commande_provisoire::ecrit());
    EXPECT_EQ(wvtest::read_bytes(work / "prov.txt"), "#SERV#12\r\n#TABL#\r\n");
}

TEST_F(formats, provisional_order_of_a_full_order_has_1002_lines) {
    nb_lignes = 1000;
    for (int i = 1; i <= 1000; ++i) lignes_commande[static_cast<std::size_t>(i)] = "L" + std::to_string(i);
    const std::string c = commande_provisoire::contenu();
    EXPECT_EQ(std::count(c.begin(), c.end(), '\n'), 1002);
    EXPECT_TRUE(c.ends_with("\r\nL1000\r\n"));
}

TEST_F(formats, function_bar_pictures_and_codes) {
    const auto b =
        barre_fonctions::analyse("11xxx:13xxx:15xxx:22xxx:23xxx:12xxx:", barre_fonctions::codes_accueil, 0);
    EXPECT_EQ(b.images, (std::array<int, 6>{11, 13, 15, 22, 23, 12}));
    EXPECT_EQ(b.codes, (std::array<std::string, 6>{"#FONC#TABLE", "#LFAM#", "#FONC#SERVEUR", "#FONC#NOTE",
                                                   "#ENVO#", "#FONC#FIN"}));
    // The large picture set; an unreachable folder's send picture.
    const auto g =
        barre_fonctions::analyse(barre_fonctions::images_accueil(false), barre_fonctions::codes_accueil, 50);
    EXPECT_EQ(g.images, (std::array<int, 6>{61, 63, 65, 72, 80, 62}));
    // "00" and numbers up to 9 leave a cell empty; empty codes stay empty.
    const auto e =
        barre_fonctions::analyse("18xxx:00xxx:09xxx:00xxx:22xxx:24xxx:", "#RETO#||||#FONC#NOTE|#LFAM#|", 50);
    EXPECT_EQ(e.images, (std::array<int, 6>{68, -1, -1, -1, 72, 74}));
    EXPECT_EQ(e.codes, (std::array<std::string, 6>{"#RETO#", "", "", "", "#FONC#NOTE", "#LFAM#"}));
}

}  // namespace
