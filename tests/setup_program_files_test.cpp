// The set-up program's files: the seven lines of the folder file and the
// computers of the network listing.
#include <gtest/gtest.h>

#include <filesystem>

#include "setup_program/folder_file.h"
#include "setup_program/network_listing.h"
#include "support/fixtures.h"

namespace {

namespace fd = Ostrevane::fichier_dossier;
namespace fs = std::filesystem;

class folder_file : public wvtest::folder_test {};

TEST_F(folder_file, reads_the_first_seven_lines_of_whatever_file_it_finds) {
    struct row {
        const char* name;
        std::string bytes;
        fd::lignes expected;
    };
    const row rows[] = {
        {"as the main program writes it",
         "\\\\srv\\x\r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n",
         {"\\\\srv\\x", " ", " ", " ", " ", " ", " "}},
        {"as the set-up program writes it",
         "/mnt/q/velmorin/\r\n/maj/\r\na\r\nb\r\nc\r\nd\r\ne\r\n",
         {"/mnt/q/velmorin/", "/maj/", "a", "b", "c", "d", "e"}},
        {"short, LF only, no final line end", "/net/\nupdate", {"/net/", "update", "", "", "", "", ""}},
        {"empty", "", {"", "", "", "", "", "", ""}},
    };
    for (const auto& r : rows) {
        wvtest::write_bytes(work / "wfichdir.wdo", r.bytes);
        const auto l = fd::lit();
        EXPECT_EQ(l.resultat, fd::etat::lu) << r.name;
        EXPECT_EQ(l.texte, r.expected) << r.name;
    }
}

TEST_F(folder_file, an_absent_or_unreadable_file_gives_seven_empty_lines_and_says_which) {
    const fd::lignes vide{};
    auto l = fd::lit();
    EXPECT_EQ(l.resultat, fd::etat::absent);
    EXPECT_EQ(l.texte, vide);
    fs::create_directory(work / "wfichdir.wdo");
    l = fd::lit();
    EXPECT_EQ(l.resultat, fd::etat::illisible);
    EXPECT_EQ(l.texte, vide);
}

TEST_F(folder_file, writes_exactly_seven_crlf_lines_whole_and_reports_a_failure) {
    const fd::lignes texte{"/mnt/q/velmorin/", " ", "", "x", " ", " ", "\xE9t\xE9"};
    ASSERT_TRUE(fd::ecrit(texte));
    EXPECT_EQ(wvtest::read_bytes(work / "wfichdir.wdo"),
              "/mnt/q/velmorin/\r\n \r\n\r\nx\r\n \r\n \r\n\xE9t\xE9\r\n");
    EXPECT_EQ(fd::lit().texte, texte);
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 2);

    EXPECT_FALSE(fd::ecrit(texte, work / "absent" / "wfichdir.wdo"));
    EXPECT_FALSE(fs::exists(work / "absent"));
}

TEST(folder_file_line, the_exchange_folder_ends_with_exactly_one_separator) {
    EXPECT_EQ(fd::ligne_dossier("/mnt/q/velmorin"), "/mnt/q/velmorin/");
    EXPECT_EQ(fd::ligne_dossier("/mnt/q/velmorin/"), "/mnt/q/velmorin/");
    EXPECT_EQ(fd::ligne_dossier("/"), "/");
}

TEST(network_listing_lines, only_computer_lines_count_and_each_gives_its_name) {
    const std::vector<std::string> listing = {
        "Nom du serveur            Remarque",
        "",
        "-------------------------------------------------------------------------------",
        "\\\\SERVEUR                 Serveur de la salle",
        "\\\\CAISSE",
        "\\\\PC-BAR    ",
        "\\\\UN-NOM-BIEN-TROP-LONG   commentaire",
        "\\\\serveur.restaurant.lan",
        "\\\\nas-de-la-cuisine.restaurant.lan partag\xE9 : quarnel",
        "\\\\CAISSESALLE0001\tcaisse",
        "  \\\\DECALE                pas en tete",
        "\\ SIMPLE",
        "La commande s'est termin\xE9"
        "e correctement.",
    };
    EXPECT_EQ(Ostrevane::liste_reseau::ordinateurs(listing),
              (std::vector<std::string>{"\\\\SERVEUR", "\\\\CAISSE", "\\\\PC-BAR",
                                        "\\\\UN-NOM-BIEN-TROP-LONG", "\\\\serveur.restaurant.lan",
                                        "\\\\nas-de-la-cuisine.restaurant.lan", "\\\\CAISSESALLE0001"}));
    EXPECT_TRUE(Ostrevane::liste_reseau::ordinateurs({}).empty());
}

}  // namespace
