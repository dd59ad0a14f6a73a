// The hand-over of queued order files to the network folder, without a
// display: order, names, bytes, failures and an interrupted hand-over.
#include <gtest/gtest.h>

#include "main_screen/order_queue.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

class queue : public wvtest::folder_test {
  protected:
    // An order file as the order summary writes it, with code page 1252 bytes.
    std::string commande(const std::string& table) {
        return "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#01\r\n#TABLE#" + table +
               "\r\n#NBCOUVERT#4 \r\n#REF#000142000200000013  {1.00}\r\n#COMP#Saignant|Frites \xE0 part|\r\n"
               "#NOTE#\r\n";
    }
    std::vector<std::string> fichiers(const fs::path& dossier) {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(dossier)) noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        return noms;
    }
};

TEST_F(queue, lists_queued_orders_in_name_order_whatever_their_case) {
    wvtest::write_bytes(work / "2026-12-09-12-40-00_01_012_004_.-A-", "b");
    wvtest::write_bytes(work / "2026-12-09-12-30-00_01_007_002_.-a-", "a");
    wvtest::write_bytes(work / "2026-12-09-12-50-00_01_003_001_.-A-", "c");
    wvtest::write_bytes(work / "2026-12-09-12-20-00_01_001_001_.txt", "not queued");
    wvtest::write_bytes(work / "2026-12-09-12-20-00_01_001_001_.-A-.bak", "not queued");
    fs::create_directories(work / "dossier.-A-");
    EXPECT_EQ(file_attente::en_attente(work),
              (std::vector<std::string>{"2026-12-09-12-30-00_01_007_002_.-a-",
                                        "2026-12-09-12-40-00_01_012_004_.-A-",
                                        "2026-12-09-12-50-00_01_003_001_.-A-"}));
}

TEST_F(queue, copy_name_replaces_the_last_three_characters) {
    EXPECT_EQ(file_attente::nom_transmis("2024-03-15-12-30-05_03_012_004_.-A-"),
              "2024-03-15-12-30-05_03_012_004_.txt");
    EXPECT_EQ(file_attente::nom_transmis("x.-a-"), "x.txt");
}

TEST_F(queue, three_orders_move_byte_for_byte_and_leave_the_tablet) {
    const std::string a = commande("001"), b = commande("002"), c = commande("003");
    wvtest::write_bytes(work / "2026-12-09-12-30-00_01_001_004_.-A-", a);
    wvtest::write_bytes(work / "2026-12-09-12-31-00_01_002_004_.-A-", b);
    wvtest::write_bytes(work / "2026-12-09-12-32-00_01_003_004_.-a-", c);

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 3);
    EXPECT_EQ(r.restants, 0);
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"2026-12-09-12-30-00_01_001_004_.txt",
                                                       "2026-12-09-12-31-00_01_002_004_.txt",
                                                       "2026-12-09-12-32-00_01_003_004_.txt"}));
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-30-00_01_001_004_.txt"), a);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-31-00_01_002_004_.txt"), b);
    EXPECT_EQ(wvtest::read_bytes(net / "2026-12-09-12-32-00_01_003_004_.txt"), c);
}

TEST_F(queue, failed_copy_leaves_that_order_and_the_later_ones_queued_and_no_temporary_file) {
    wvtest::write_bytes(work / "1_.-A-", commande("001"));
    wvtest::write_bytes(work / "2_.-A-", commande("002"));
    wvtest::write_bytes(work / "3_.-A-", commande("003"));
    // A name the network folder cannot take: the copy of order 2 fails.
    fs::create_directories(net / "2_.txt");

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 1);
    EXPECT_EQ(r.restants, 2);
    // The oldest went first; the move stops at the failure, so order 3 does
    // not overtake order 2.
    EXPECT_EQ(file_attente::en_attente(work), (std::vector<std::string>{"2_.-A-", "3_.-A-"}));
    EXPECT_EQ(wvtest::read_bytes(work / "2_.-A-"), commande("002"));
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt", "2_.txt"}));
    EXPECT_TRUE(fs::is_empty(net / "2_.txt"));
}

TEST_F(queue, hand_over_interrupted_after_its_rename_finishes_under_the_same_name) {
    const std::string bytes = commande("012");
    wvtest::write_bytes(work / "5_.-A-", bytes);
    wvtest::write_bytes(net / "5_.txt", bytes);

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 1);
    EXPECT_TRUE(file_attente::en_attente(work).empty());
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"5_.txt"}));
    EXPECT_EQ(wvtest::read_bytes(net / "5_.txt"), bytes);
}

TEST_F(queue, another_order_under_the_same_name_is_never_replaced) {
    wvtest::write_bytes(work / "5_.-A-", commande("012"));
    wvtest::write_bytes(net / "5_.txt", commande("044"));

    const file_attente::bilan r = file_attente::transmet(work, net.string());

    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(wvtest::read_bytes(net / "5_.txt"), commande("044"));
    EXPECT_EQ(wvtest::read_bytes(work / "5_.-A-"), commande("012"));
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"5_.txt"}));
}

TEST_F(queue, an_order_already_handed_over_is_not_handed_over_twice) {
    wvtest::write_bytes(work / "5_.-A-", commande("012"));
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 1);
    // The router takes the file; the next drawing finds nothing to send.
    fs::remove(net / "5_.txt");
    EXPECT_EQ(file_attente::transmet(work, net.string()).transmis, 0);
    EXPECT_TRUE(fs::is_empty(net));
}

TEST_F(queue, folder_with_or_without_trailing_separator_names_the_same_file) {
    wvtest::write_bytes(work / "1_.-A-", "a");
    wvtest::write_bytes(work / "2_.-A-", "b");
    ASSERT_EQ(file_attente::transmet(work, net.string() + "/").transmis, 2);
    EXPECT_EQ(fichiers(net), (std::vector<std::string>{"1_.txt", "2_.txt"}));
}

TEST_F(queue, no_network_folder_moves_nothing) {
    wvtest::write_bytes(work / "1_.-A-", "a");
    const file_attente::bilan r = file_attente::transmet(work, "");
    EXPECT_EQ(r.transmis, 0);
    EXPECT_EQ(r.restants, 1);
    EXPECT_TRUE(fs::exists(work / "1_.-A-"));
}

}  // namespace
