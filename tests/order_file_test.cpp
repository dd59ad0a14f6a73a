// The order file, byte for byte, and how it is written: whole or not at all,
// never over another order file.
#include "order/order_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixtures.h"

namespace fs = std::filesystem;

namespace {

const platform::date_time midi{2026, 12, 9, 12, 34, 56, 0};

fichier_commande::commande commande_de(std::vector<std::string> lignes, std::string tc = "#N0124 ") {
    return {"0123456789", 3, std::move(tc), std::move(lignes)};
}

TEST(order_file, name_carries_time_server_table_and_covers) {
    EXPECT_EQ(fichier_commande::nom({2024, 3, 15, 12, 30, 5, 0}, 3, "#N0124 "),
              "2024-03-15-12-30-05_03_012_004_.-A-");
    EXPECT_EQ(fichier_commande::nom(midi, 12, "#N9991 "), "2026-12-09-12-34-56_12_999_001_.-A-");
    EXPECT_EQ(fichier_commande::nom(midi, 1, "#N00711"), "2026-12-09-12-34-56_01_007_011_.-A-");
}

TEST(order_file, empty_order_is_the_five_header_lines) {
    EXPECT_EQ(fichier_commande::contenu(commande_de({})),
              "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#03\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n");
    EXPECT_EQ(fichier_commande::contenu({"01234567890123", 1, "#N9991 ", {}}),
              "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#01\r\n#TABLE#999\r\n#NBCOUVERT#1 \r\n");
}

TEST(order_file, lines_menus_and_components_byte_for_byte) {
    const std::string menu_marche =
        "2000900000016  |DES:Menu du March\xE9|PVE:22.50|FA1:9|FA2:99|COU:9|\xA4\xA4"
        "2000100000021   Soupe\xF0"
        "0.00\xF0"
        "1\xD0"
        "2000600000019   Cr\xE8me br\xFBl\xE9"
        "e\xF0"
        "1.50\xF0"
        "2\xD0| ##QUA:003.00##{pas envoy\xE9}";
    const std::string c = fichier_commande::contenu(commande_de({
        "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0| ##QUA:002.00##{Saignant}{Frites}",
        "2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0|",  // no quantity field, no complements
        menu_marche,
        "2000900000099  |DES:Menu vide|PVE:10.00|FA1:9|FA2:99| ##QUA:001.00##",  // no component list
        // the last component lacks its closing mark and is lost
        "2000900000023  |DES:Formule|PVE:18.90|FA1:9|FA2:99|\xA4\xA4"
        "2000100000021   X\xF0"
        "0\xF0"
        "1\xD0"
        "2000100000038   Y\xF0"
        "0\xF0"
        "1| ##QUA:001.00##",
    }));
    EXPECT_EQ(c, wvtest::read_bytes(wvtest::data_file("order_file_expected.txt")));
}

TEST(order_file, encoding_is_single_byte_with_crlf_everywhere_and_no_bom) {
    const std::string c = fichier_commande::contenu(commande_de({
        "2000900000016  |DES:M|PVE:1|FA1:9|FA2:99|\xA4\xA4"
        "2000100000021   S\xF0"
        "0\xF0"
        "1\xD0| ##QUA:001.00##",
    }));
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c.substr(0, 4), "#ID#");
    EXPECT_EQ(c.substr(c.size() - 2), "\r\n");
    for (std::size_t i = 0; i < c.size(); ++i)
        if (c[i] == '\n') {
            EXPECT_EQ(c[i - 1], '\r') << "bare line feed at " << i;
        }
    EXPECT_NE(c.find("}   + \xA4\xA4"
                     "999999|\xD0\xD0MENU\r\n"),
              std::string::npos);
    EXPECT_EQ(c.find("\xC2\xA4"), std::string::npos);
    EXPECT_EQ(c.find("\xC3\x90"), std::string::npos);
}

TEST(order_file, figures_beyond_single_precision_count_as_absent) {
    // The file holds quantities and component values in single precision:
    // one it cannot hold is written as if the line did not carry it.
    const auto composant = [](const std::string& premiere, const std::string& seconde) {
        return "2000100000021   S\xF0" + premiere + "\xF0" + seconde + "\xD0";
    };
    const std::string c = fichier_commande::contenu(commande_de({
        "2000200000013  |DES:E|PVE:1|FA1:3|FA2:0| ##QUA:1e39##",
        // Component values are digits only: 1e39, 1e99, 9.99...e39 and 3e38 written out.
        "2000900000016  |DES:M|PVE:1|FA1:9|FA2:99|\xA4\xA4" +
            composant("1" + std::string(39, '0'), "1" + std::string(99, '0')) +
            composant(std::string(40, '9'), "2") + composant("0", "3" + std::string(38, '0')) +
            "| ##QUA:999##",
        "2000200000013  |DES:E|PVE:1|FA1:3|FA2:0| ##QUA:3e38##",
    }));
    EXPECT_NE(c.find("#REF#2000200000013  {1.00}\r\n"), std::string::npos) << c;
    EXPECT_NE(c.find("#REF#2000900000016  {999.00}   + "), std::string::npos) << c;
    EXPECT_NE(c.find("{0.00)  \xA4\xA4"
                     "0.00|"),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("{1998.00)  \xA4\xA4"
                     "0.00|"),
              std::string::npos)
        << c;
    // 999 times 3e38 is beyond single precision as well.
    EXPECT_EQ(c.find("{inf"), std::string::npos);
    const auto grand = c.find("#REF#2000200000013  {3");
    ASSERT_NE(grand, std::string::npos) << c;
    // Within single precision the figure is kept whole: 39 digits and two decimals.
    const std::string figure = c.substr(grand + 21, c.find('}', grand) - grand - 21);
    EXPECT_EQ(figure.size(), 42u) << figure;
    EXPECT_EQ(figure.substr(0, 8), "30000000") << figure;
    EXPECT_EQ(figure.substr(39), ".00") << figure;
}

TEST(order_file, only_the_article_text_makes_a_menu_and_holds_its_components) {
    // Complements are the waiter's text: one reading "FA2:99" or holding the
    // marks of a component list is sent as a complement or not at all, never
    // read as a menu or a component.
    const std::string c = fichier_commande::contenu(commande_de({
        "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0| ##QUA:002.00##{FA2:99}{Saignant}",
        "2000200000013  |DES:E|PVE:1|FA1:3|FA2:0| ##QUA:001.00##{|\xA4\xA4"
        "2000100000021   S\xF0"
        "0\xF0"
        "1\xD0}",
        "2000900000016  |DES:M|PVE:9|FA1:9|FA2:99|\xA4\xA4"
        "2000100000021   S\xF0"
        "0\xF0"
        "1\xD0| ##QUA:002.00##{x\xD0y}{\xF0"
        "5\xF0"
        "5\xD0}",
    }));
    EXPECT_EQ(c,
              "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#03\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n"
              "#REF#2000200000013  {2.00}\r\n#COMP#FA2:99|Saignant|\r\n#NOTE#\r\n"
              "#REF#2000200000013  {1.00}\r\n#COMP#|\xA4\xA4"
              "2000100000021   S\xF0"
              "0\xF0"
              "1\xD0|\r\n#NOTE#\r\n"
              "#REF#2000900000016  {2.00}   + \xA4\xA4"
              "999999|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n"
              "#REF#2000100000021  {2.00)  \xA4\xA4"
              "0.00|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n");
}

TEST(order_file, component_values_are_digits_a_point_and_decimals) {
    // Each value is read up to the first character that is neither a digit
    // nor the one decimal point: a blank, a sign or an exponent ends it.
    struct {
        std::string valeur;
        const char* premiere;  // as written, quantity 2 and second value 1
        const char* seconde;   // the same text as second value, quantity 2
    } cas[] = {
        {"1 5", "1.00", "2.00"},
        {"2e3", "2.00", "4.00"},
        {"1.5e1", "1.50", "3.00"},
        {"-5", "0.00", "0.00"},
        {"+5", "0.00", "0.00"},
        {" 7", "0.00", "0.00"},
        {"1e99", "1.00", "2.00"},
        {"0.5", "0.50", "1.00"},
        {"2.5", "2.50", "5.00"},
        {"7.", "7.00", "14.00"},
        {".5", "0.50", "1.00"},
        {"1.2.3", "1.20", "2.40"},
        {"", "0.00", "0.00"},
        // Held in single precision, as every figure of the file.
        {"99999999999.999", "99999997952.00", "199999995904.00"},
        // Beyond single precision, or beyond any figure: absent, 0.
        {"1" + std::string(39, '0'), "0.00", "0.00"},
        {"9" + std::string(400, '9'), "0.00", "0.00"},
    };
    for (const auto& k : cas) {
        const auto menu = [](const std::string& premiere, const std::string& seconde) {
            return "2000900000016  |DES:M|PVE:9|FA1:9|FA2:99|\xA4\xA4"
                   "2000100000021   S\xF0" +
                   premiere + "\xF0" + seconde + "\xD0| ##QUA:002.00##";
        };
        const std::string a = fichier_commande::contenu(commande_de({menu(k.valeur, "1")}));
        const std::string b = fichier_commande::contenu(commande_de({menu("0", k.valeur)}));
        const auto composant = [](const std::string& c) { return c.substr(c.rfind("#REF#")); };
        EXPECT_EQ(composant(a), std::string("#REF#2000100000021  {2.00)  \xA4\xA4") + k.premiere +
                                    "|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n")
            << k.valeur;
        EXPECT_EQ(composant(b), std::string("#REF#2000100000021  {") + k.seconde +
                                    ")  \xA4\xA4"
                                    "0.00|\xD0\xD0MENU\r\n#COMP#\r\n#NOTE#\r\n")
            << k.valeur;
    }
}

TEST(order_file, next_second_carries_into_minutes_days_and_years) {
    struct {
        platform::date_time d, attendu;
    } cas[] = {
        {{2026, 12, 9, 12, 34, 56, 0}, {2026, 12, 9, 12, 34, 57, 0}},
        {{2026, 12, 9, 12, 34, 59, 0}, {2026, 12, 9, 12, 35, 0, 0}},
        {{2026, 2, 28, 23, 59, 59, 0}, {2026, 3, 1, 0, 0, 0, 0}},
        {{2028, 2, 28, 23, 59, 59, 0}, {2028, 2, 29, 0, 0, 0, 0}},
        {{2026, 12, 31, 23, 59, 59, 0}, {2027, 1, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cas) {
        const auto r = fichier_commande::seconde_suivante(c.d);
        EXPECT_EQ(fichier_commande::nom(r, 1, ""), fichier_commande::nom(c.attendu, 1, ""));
    }
}

class order_file_writing : public wvtest::folder_test {};

TEST_F(order_file_writing, a_taken_name_moves_on_to_the_next_free_second) {
    const auto c1 = commande_de({"2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0| ##QUA:001.00##"});
    const auto c2 = commande_de({"2000700000025  |DES:Th\xE9|PVE:3.00|FA1:7|FA2:0| ##QUA:002.00##"});
    wvtest::write_bytes(work / "2026-12-09-12-34-57_03_012_004_.-A-", "autre commande");

    const auto n1 = fichier_commande::ecrit(work, c1, midi);
    const auto n2 = fichier_commande::ecrit(work, c2, midi);
    ASSERT_TRUE(n1 && n2);
    EXPECT_EQ(*n1, "2026-12-09-12-34-56_03_012_004_.-A-");
    EXPECT_EQ(*n2, "2026-12-09-12-34-58_03_012_004_.-A-");
    EXPECT_EQ(wvtest::read_bytes(work / *n1), fichier_commande::contenu(c1));
    EXPECT_EQ(wvtest::read_bytes(work / *n2), fichier_commande::contenu(c2));
    EXPECT_EQ(wvtest::read_bytes(work / "2026-12-09-12-34-57_03_012_004_.-A-"), "autre commande");
    // Written later, named later: the queue hands them over in that order.
    EXPECT_LT(*n1, *n2);
}

// A name is free only when the tablet folder holds neither the order file nor
// a note of its hand-over, and the network folder (when asked) has no ".txt"
// of that name.
TEST_F(order_file_writing, a_name_is_free_only_when_free_on_the_tablet_and_as_txt_on_the_network_folder) {
    const auto c = commande_de({"2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0| ##QUA:001.00##"});
    wvtest::write_bytes(work / fichier_commande::nom_note("2026-12-09-12-34-56_03_012_004_.-A-"), "note");
    std::vector<std::string> demandes;
    const auto n = fichier_commande::ecrit(work, c, midi, [&](const std::string& nom_txt) {
        demandes.push_back(nom_txt);
        return nom_txt == "2026-12-09-12-34-57_03_012_004_.txt";
    });
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, "2026-12-09-12-34-58_03_012_004_.-A-");
    EXPECT_EQ(demandes, (std::vector<std::string>{"2026-12-09-12-34-57_03_012_004_.txt",
                                                  "2026-12-09-12-34-58_03_012_004_.txt"}));
}

TEST(order_file, the_next_seconds_name_keeps_everything_but_the_time) {
    EXPECT_EQ(fichier_commande::nom_seconde_suivante("2026-12-31-23-59-59_03_012_004_.-A-"),
              std::optional<std::string>("2027-01-01-00-00-00_03_012_004_.-A-"));
    EXPECT_EQ(fichier_commande::nom_seconde_suivante("2026-12-09-12-34-56_03_012_004_.txt"),
              std::optional<std::string>("2026-12-09-12-34-57_03_012_004_.txt"));
    for (const char* sans_date :
         {"5_.-A-", "2026-12-09-12-34_03_012_004_.-A-", "2026-13-09-12-34-56_.-A-", ""})
        EXPECT_FALSE(fichier_commande::nom_seconde_suivante(sans_date).has_value()) << sans_date;
}

TEST_F(order_file_writing, a_failed_write_leaves_nothing_behind) {
    const auto c = commande_de({"2000700000018  |DES:Caf\xE9|PVE:1.80|FA1:7|FA2:0|"});
    EXPECT_FALSE(fichier_commande::ecrit(work / "absent", c, midi).has_value());

    // A folder squatting the name: the write cannot take it, and no temporary
    // or half-written file stays.
    fs::create_directory(work / "2026-12-09-12-34-56_03_012_004_.-A-");
    EXPECT_FALSE(fichier_commande::ecrit(work, c, midi).has_value());
    int fichiers = 0;
    for (const auto& e : fs::directory_iterator(work))
        if (e.is_regular_file()) ++fichiers;
    EXPECT_EQ(fichiers, 0);
}

}  // namespace
