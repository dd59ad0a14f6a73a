// Atomic writes under faults, their temporary names, and the removal of what
// writes killed half-way left behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "order/order_file.h"
#include "platform/text_file.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

class text_file : public wvtest::folder_test {
  protected:
    std::vector<std::string> fichiers(const fs::path& dossier) {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(dossier)) noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        return noms;
    }
    // The temporary name a write of `chemin` takes on this tablet, learnt by
    // refusing the write before its file is created.
    std::string temporaire_de(const fs::path& chemin) {
        std::string nom;
        platform::set_file_fault_hook([&](platform::file_op op, const fs::path& p) {
            if (op != platform::file_op::create) return 0;
            nom = p.filename().string();
            return EROFS;
        });
        EXPECT_FALSE(platform::write_file_atomic(chemin, "x"));
        platform::set_file_fault_hook(nullptr);
        return nom;
    }
};

// Notes on tablets hold their network folder in this spelling and are known
// by it: however the folder file, the start or the hand-over writes a folder,
// it comes out as those notes hold it.
TEST_F(text_file, a_folder_has_one_spelling_however_it_is_written) {
    const std::string ici = fs::current_path().string();
    const std::vector<std::pair<std::string, std::string>> cas = {
        {"reseau", ici + "/reseau"},
        {"./reseau/", ici + "/reseau"},
        {"reseau//", ici + "/reseau"},
        {"a/../reseau/.", ici + "/reseau"},
        {ici + "/reseau", ici + "/reseau"},
        {ici + "//reseau/./", ici + "/reseau"},
        {"/mnt/quarnel/velmorin/", "/mnt/quarnel/velmorin"},
        {"/", "/"},
        {"", ""},
    };
    for (const auto& [ecrit, epele] : cas) EXPECT_EQ(platform::folder_spelling(ecrit), epele) << ecrit;
}

TEST_F(text_file, temporary_names_are_never_a_readers_name_and_tell_their_tablet) {
    const std::string a = temporaire_de(work / "2026-12-09-12-30-00_01_001_004_.-A-");
    const std::string b = temporaire_de(work / "2026-12-09-12-30-00_01_001_004_.-A-");
    EXPECT_NE(a, b) << "two writes of one name in one process";
    for (const std::string& n : {a, b}) {
        EXPECT_EQ(n.front(), '.');
        EXPECT_TRUE(n.ends_with(".part")) << n;
        EXPECT_TRUE(platform::is_temporary_name(n)) << n;
        EXPECT_TRUE(platform::is_own_temporary_name(n)) << n;
    }
    // Another tablet's, and an earlier version's, are temporary names but not ours.
    EXPECT_TRUE(platform::is_temporary_name(".x.txt.0123456789ab~42~00000000000000ff.part"));
    if (a.find(".0123456789ab~") == std::string::npos) {
        EXPECT_FALSE(platform::is_own_temporary_name(".x.txt.0123456789ab~42~00000000000000ff.part"));
    }
    EXPECT_TRUE(platform::is_temporary_name(".x.txt.4242-7.part"));
    EXPECT_FALSE(platform::is_own_temporary_name(".x.txt.4242-7.part"));
    for (const char* pas_temporaire :
         {"2026-12-09-12-30-00_01_001_004_.-A-", "2026-12-09-12-30-00_01_001_004_.txt", "velmorin.wdo",
          ".part", "..part", ".x.part", ".x.abc.part", "x.txt.4242-7.part", ".x.txt.4242-7.part.txt"})
        EXPECT_FALSE(platform::is_temporary_name(pas_temporaire)) << pas_temporaire;
}

TEST_F(text_file, leftovers_go_and_nothing_else_in_the_tablet_and_the_shared_folder) {
    const std::string mien_local = temporaire_de(work / "1_.-A-");
    const std::string mien_reseau = temporaire_de(net / "1_.txt");
    const std::string autre_tablette = ".2_.txt.0123456789ab~42~00000000000000ff.part";
    ASSERT_FALSE(platform::is_own_temporary_name(autre_tablette));
    const std::string ancien = ".3_.txt.4242-7.part";
    for (const fs::path& d : {work, net}) {
        for (const std::string& n : {mien_local, mien_reseau, autre_tablette, ancien})
            wvtest::write_bytes(d / n, "half");
        wvtest::write_bytes(d / "1_.-A-", "order");
        wvtest::write_bytes(d / "1_.txt", "order");
        wvtest::write_bytes(d / ".cache", "kept");
    }

    EXPECT_EQ(platform::remove_temporary_leftovers(work, /*shared=*/false), 4);
    EXPECT_EQ(platform::remove_temporary_leftovers(net, /*shared=*/true), 2);

    EXPECT_EQ(fichiers(work), (std::vector<std::string>{".cache", "1_.-A-", "1_.txt", "reseau"}));
    std::vector<std::string> reste_reseau = {".cache", autre_tablette, ancien, "1_.-A-", "1_.txt"};
    std::sort(reste_reseau.begin(), reste_reseau.end());
    EXPECT_EQ(fichiers(net), reste_reseau);
}

// Full, refused or failing folders: the final name is never taken by a part
// of the bytes, and no temporary file stays.
TEST_F(text_file, a_failing_write_leaves_neither_a_partial_file_nor_a_temporary_one) {
    const std::vector<std::pair<platform::file_op, int>> pannes = {{platform::file_op::create, EROFS},
                                                                   {platform::file_op::write, ENOSPC},
                                                                   {platform::file_op::write, EIO},
                                                                   {platform::file_op::sync, EIO},
                                                                   {platform::file_op::rename, EXDEV}};
    const std::string octets(100000, 'z');
    for (const auto& [op, err] : pannes) {
        SCOPED_TRACE(static_cast<int>(op));
        SCOPED_TRACE(err);
        platform::set_file_fault_hook(
            [op = op, err = err](platform::file_op o, const fs::path&) { return o == op ? err : 0; });
        EXPECT_FALSE(platform::write_file_atomic(net / "1_.txt", octets, false));
        EXPECT_FALSE(platform::write_file_atomic(net / "2_.txt", octets, true));
        platform::set_file_fault_hook(nullptr);
        EXPECT_TRUE(fs::is_empty(net));
    }
}

// The tablet folder full when the order is written: no order file, whole or
// partial, and nothing for the queue to pick up; the caller keeps the order.
TEST_F(text_file, an_order_written_into_a_full_tablet_folder_leaves_nothing) {
    fichier_commande::commande c;
    c.id_tablette = "0123456789";
    c.num_serveur = 1;
    c.table_couverts = "#N0124 ";
    for (int i = 0; i < 500; ++i)
        c.lignes.push_back("000142000200000|DES:Steak|PVE:18.50|FA1:3|FA2:0| ##QUA:001.00##");
    platform::set_file_fault_hook(
        [](platform::file_op op, const fs::path&) { return op == platform::file_op::write ? ENOSPC : 0; });
    EXPECT_FALSE(
        fichier_commande::ecrit(work, c, platform::date_time{2026, 12, 9, 12, 30, 0, 0}).has_value());
    platform::set_file_fault_hook(nullptr);
    EXPECT_EQ(fichiers(work), (std::vector<std::string>{"reseau"}));
}

}  // namespace
