// Loading the catalogue and probing the network folder.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/record_file.h"
#include "platform/text.h"
#include "shared/catalogue.h"
#include "shared/globals.h"
#include "support/fixtures.h"

namespace {

class catalogue : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        rep_reseau = rep_test = network_folder();
        num_enreg_test = 1;
    }
};

TEST_F(catalogue, lines_of_every_kind_and_their_edge_cases) {
    wvtest::write_bytes(net / "velmorin.wdo", "");
    std::filesystem::copy_file(wvtest::data_file("catalogue_edges.wdo"), net / "wvelmorin.wdo");
    Module1::charge_fichiers();
    EXPECT_TRUE(fichiers_charges);
    EXPECT_EQ(serveurs[5], "Comptoir") << "the later line for a number wins";
    EXPECT_EQ(serveurs[6], "") << "tags are compared in upper case only";
    EXPECT_EQ(familles[3], "Viandes|COU:3");
    EXPECT_EQ(nb_articles[3], 3);
    EXPECT_EQ(txt::left(articles[3][1], 15), "REF-3-A        ");
    EXPECT_EQ(txt::left(articles[3][2], 15), "REF-3-B        ");
    EXPECT_EQ(txt::left(articles[3][3], 8), "#SG#0001");
    EXPECT_EQ(txt::left(articles[0][1], 12), "SANS-FAMILLE") << "no |FA1: goes to family 0";
    EXPECT_EQ(nb_articles[31], 1) << "blanks before the family number are skipped";
    EXPECT_EQ(articles[3][0], "") << "position 0 is never filled";
    EXPECT_EQ(liste_tables, "xxx001|012|000|");
    EXPECT_EQ(texte_ccof, std::string(20, ' '));
    EXPECT_EQ(texte_ccou, "123" + std::string(20, ' '));
}

TEST_F(catalogue, articles_beyond_the_300th_of_a_family_are_dropped) {
    std::vector<std::string> lignes;
    for (int i = 1; i <= 301; ++i)
        lignes.push_back("#ARTI#00000" + txt::format(i, "000") + "|DES:x|PVE:1.00|FA1:7|FA2:0|");
    Module1::analyse_catalogue(lignes);
    EXPECT_EQ(txt::left(articles[7][300], 3), "300");
    EXPECT_EQ(nb_articles[7], 301);
}

TEST_F(catalogue, a_family_number_no_integer_holds_skips_its_line) {
    Module1::analyse_catalogue({
        "#ARTI#00000001|DES:a|PVE:1.00|FA1:1e19|FA2:0|",
        "#ARTI#00000002|DES:b|PVE:1.00|FA1:-1e19|FA2:0|",
        "#ARTI#00000003|DES:c|PVE:1.00|FA1:1e999|FA2:0|",
        "#ARTI#00000004|DES:d|PVE:1.00|FA1:9223372036854775808|FA2:0|",
        "#ARTI#00000005|DES:e|PVE:1e99|FA1:4|FA2:0|",
    });
    for (long f = 0; f <= nb_max_familles_article; ++f) {
        if (f != 4) {
            EXPECT_EQ(nb_articles[static_cast<std::size_t>(f)], 0) << f;
        }
    }
    EXPECT_EQ(nb_articles[4], 1);
    EXPECT_EQ(txt::left(articles[4][1], 3), "005");
}

TEST_F(catalogue, a_reachable_folder_is_copied_and_the_probe_dated) {
    copy_demo_to_network();
    wvtest::write_bytes(net / "w_styl72.wdo", "#INIT#network");
    Module1::charge_fichiers();
    EXPECT_EQ(wvtest::read_bytes("wvelmorin.wdo"), wvtest::read_bytes(net / "wvelmorin.wdo"));
    EXPECT_EQ(wvtest::read_bytes("w_styl72.wdo"), "#INIT#network");
    EXPECT_EQ(Module1::rep_dir, "/srv/velmorin/echange");
    EXPECT_FALSE(serveurs[1].empty());
    EXPECT_EQ(wvtest::read_bytes(net / "Test.res"), txt::pad("09-12-2026", 64));
}

TEST_F(catalogue, unreachable_folder_keeps_the_local_copies) {
    wvtest::write_bytes("wvelmorin.wdo", "#SERV#02 Local\r\n");
    rep_reseau = rep_test = (work / "absent").string();
    Module1::charge_fichiers();
    EXPECT_EQ(serveurs[2], "Local");
    EXPECT_TRUE(fichiers_charges);
}

TEST_F(catalogue, missing_local_files_give_an_empty_catalogue) {
    rep_reseau = rep_test = "";
    Module1::charge_fichiers();
    EXPECT_TRUE(fichiers_charges);
    EXPECT_EQ(liste_tables, "xxx");
    EXPECT_EQ(texte_ccou, "");
    EXPECT_EQ(Module1::nb_lignes_config, 0);
}

TEST_F(catalogue, a_folder_that_cannot_be_written_is_not_copied_from_but_the_details_are) {
    copy_demo_to_network();
    wvtest::write_bytes(net / "w_styl72.wdo", "#INIT#network");
    std::filesystem::create_directory(net / "Test.res");  // the probe cannot write its record
    Module1::charge_fichiers();
    EXPECT_FALSE(std::filesystem::exists("wvelmorin.wdo"));
    EXPECT_EQ(wvtest::read_bytes("w_styl72.wdo"), "#INIT#network");
}

TEST_F(catalogue, probe_reports_offline_unreachable_and_reachable) {
    hors_ligne = true;
    EXPECT_FALSE(atdend_res::teste_reseau());
    EXPECT_FALSE(std::filesystem::exists(net / "Test.res")) << "offline never touches the folder";
    hors_ligne = false;
    rep_test = (work / "absent").string();
    EXPECT_FALSE(atdend_res::teste_reseau());
    wvtest::write_bytes(net / "velmorin.wdo", "");
    rep_test = network_folder() + "/";  // a trailing separator is not doubled
    EXPECT_TRUE(atdend_res::teste_reseau());
    EXPECT_EQ(wvtest::read_bytes(net / "Test.res"), txt::pad("09-12-2026", 64));
}

// The mount point of a share that is not mounted (yet) is an empty folder of
// the tablet's own disk, as writable as any: without the catalogue that the
// exchange folder always holds, it is never taken for the exchange folder.
TEST_F(catalogue, a_folder_without_the_catalogue_is_unreachable_whatever_it_holds) {
    for (const char* autre : {"", "wvelmorin.wdo", "Test.res", "2026-12-09-12-30-00_01_001_004_.txt"}) {
        SCOPED_TRACE(autre);
        std::filesystem::remove_all(net);
        std::filesystem::create_directories(net);
        if (*autre) wvtest::write_bytes(net / autre, "x");
        rep_test = network_folder();
        EXPECT_FALSE(atdend_res::teste_reseau());
        if (std::string(autre) != "Test.res") {
            EXPECT_FALSE(std::filesystem::exists(net / "Test.res"));
        }
    }
    std::filesystem::create_directories(net / "velmorin.wdo");  // a folder of that name is no catalogue
    EXPECT_FALSE(atdend_res::teste_reseau());
    std::filesystem::remove(net / "velmorin.wdo");
    wvtest::write_bytes(net / "velmorin.wdo", "");
    EXPECT_TRUE(atdend_res::teste_reseau());
}

// Other tablets write their records into the same "Test.res": whichever way
// the folder allows, the probe sets its own record and nothing else.
TEST_F(catalogue, the_probe_sets_its_record_and_keeps_every_other_byte) {
    const std::string date = "10-12-2026";
    const std::string a = txt::pad("autre tablette A", 64), c = txt::pad("autre tablette C", 64);
    struct cas {
        const char* quoi;
        std::optional<std::string> avant;
        int n;
        std::string apres;
    };
    const std::vector<cas> cas_ = {
        {"no file yet", std::nullopt, 1, txt::pad(date, 64)},
        {"no file yet, record 3", std::nullopt, 3, std::string(128, ' ') + txt::pad(date, 64)},
        {"records of other tablets", a + txt::pad("hier", 64) + c, 2, a + txt::pad(date, 64) + c},
        {"an empty file", std::string(), 1, txt::pad(date, 64)},
        {"a short file under the record", std::string("0123456789"), 1, txt::pad(date, 64)},
        {"a short file before the record", std::string("0123456789"), 2,
         txt::pad("0123456789", 64) + txt::pad(date, 64)},
        {"bytes past the record", a + "reste", 1, txt::pad(date, 64) + "reste"},
    };
    using ecrit = std::function<bool(const std::filesystem::path&, int)>;
    const std::vector<std::pair<const char*, ecrit>> facons = {
        {"probe",
         [&](const std::filesystem::path& d, int n) { return atdend_res::sonde(d.string(), n, date); }},
        {"in place", [&](const std::filesystem::path& d,
                         int n) { return platform::write_record_in_place(d / "Test.res", 64, n, date); }},
        {"whole file", [&](const std::filesystem::path& d,
                           int n) { return platform::write_record_whole(d / "Test.res", 64, n, date); }},
    };
    for (const auto& [facon, ecrit_] : facons) {
        for (const cas& k : cas_) {
            SCOPED_TRACE(std::string(facon) + ": " + k.quoi);
            std::filesystem::remove_all(net);
            std::filesystem::create_directories(net);
            wvtest::write_bytes(net / "velmorin.wdo", "catalogue");
            if (k.avant) wvtest::write_bytes(net / "Test.res", *k.avant);
            EXPECT_TRUE(ecrit_(net, k.n));
            EXPECT_EQ(wvtest::read_bytes(net / "Test.res"), k.apres);
            // No temporary file is left beside it.
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(net), {}), 2);
        }
    }
}

TEST_F(catalogue, the_probe_writes_nothing_where_no_plain_file_can_take_its_record) {
    wvtest::write_bytes(net / "velmorin.wdo", "catalogue");
    std::filesystem::create_directories(net / "Test.res" / "dedans");
    EXPECT_FALSE(atdend_res::sonde(network_folder(), 1, "10-12-2026"));
    EXPECT_FALSE(platform::write_record_whole(net / "Test.res", 64, 1, "10-12-2026"));
    EXPECT_TRUE(std::filesystem::is_directory(net / "Test.res" / "dedans"));
    // No record 0: nothing is written.
    std::filesystem::remove_all(net / "Test.res");
    EXPECT_FALSE(atdend_res::sonde(network_folder(), 0, "10-12-2026"));
    EXPECT_FALSE(std::filesystem::exists(net / "Test.res"));
}

}  // namespace
