// The network listing and the mapping of network paths to local folders,
// from an injected mounts table.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/network.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "support/fixtures.h"

namespace {

const std::string table =
    "sysfs /sys sysfs rw,nosuid 0 0\n"
    "/dev/sda1 / ext4 rw,relatime 0 0\n"
    "//SERVEUR/quarnel /mnt/serveur/quarnel cifs rw,vers=3.0 0 0\n"
    "//serveur/photos /mnt/photos smb3 rw 0 0\n"
    "//caisse-2/Donn\\040es /mnt/caisse\\040deux cifs rw 0 0\n"
    "nas:/export/quarnel /srv/nas nfs4 rw 0 0\n"
    "[fe80::1]:/vol /srv/v6 nfs rw 0 0\n"
    "//broken /mnt/broken cifs rw 0 0\n"
    "tmpfs /run tmpfs rw 0 0\n";

TEST(network_mounts, only_network_shares_are_kept_with_their_escapes_undone) {
    const auto m = platform::parse_mounts(table);
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m[0].server, "SERVEUR");
    EXPECT_EQ(m[0].share, std::vector<std::string>{"quarnel"});
    EXPECT_EQ(m[0].mount_point, "/mnt/serveur/quarnel");
    EXPECT_EQ(m[1].server, "serveur");
    EXPECT_EQ(m[2].server, "caisse-2");
    EXPECT_EQ(m[2].share, std::vector<std::string>{"Donn es"});
    EXPECT_EQ(m[2].mount_point, "/mnt/caisse deux");
    EXPECT_EQ(m[3].server, "nas");
    EXPECT_TRUE(m[3].nfs);
    EXPECT_EQ(m[3].share, (std::vector<std::string>{"export", "quarnel"}));
    EXPECT_EQ(m[4].server, "fe80::1");
    EXPECT_EQ(m[4].share, std::vector<std::string>{"vol"});
}

TEST(network_mounts, listing_names_each_server_once_in_the_first_18_characters) {
    const std::string text = platform::network_listing(platform::parse_mounts(table));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t e; (e = text.find("\r\n", start)) != std::string::npos; start = e + 2)
        lines.push_back(text.substr(start, e - start));
    std::vector<std::string> names;
    for (const auto& l : lines)
        if (l.compare(0, 2, "\\\\") == 0) names.push_back(txt::trim(l.substr(0, 18)));
    // Same server in another case is the same computer on a Windows network.
    EXPECT_EQ(names, (std::vector<std::string>{"\\\\SERVEUR", "\\\\caisse-2", "\\\\nas", "\\\\fe80::1"}));
    // Header, separator and closing lines stand around the names.
    EXPECT_GT(lines.size(), names.size() + 2);
    EXPECT_NE(lines.front().compare(0, 2, "\\\\"), 0);
    EXPECT_NE(lines.back().compare(0, 2, "\\\\"), 0);
    // The comment follows after blanks.
    EXPECT_NE(lines[3].find("quarnel, photos"), std::string::npos);
}

TEST(network_mounts, network_paths_map_to_the_mounted_folder_or_to_nothing) {
    const auto m = platform::parse_mounts(table);
    struct row {
        const char* unc;
        std::optional<std::filesystem::path> local;
    };
    const row rows[] = {
        {"\\\\serveur\\quarnel\\velmorin", "/mnt/serveur/quarnel/velmorin"},
        {"\\\\SERVEUR\\QUARNEL", "/mnt/serveur/quarnel"},
        {"//serveur/photos/a/b", "/mnt/photos/a/b"},
        {"\\\\caisse-2\\Donn es\\x", "/mnt/caisse deux/x"},
        // An NFS export is named by its last folder, or by its whole path.
        {"\\\\nas\\quarnel\\velmorin", "/srv/nas/velmorin"},
        {"\\\\nas\\export\\quarnel\\velmorin", "/srv/nas/velmorin"},
        {"\\\\serveur\\autre\\velmorin", std::nullopt},
        {"\\\\inconnu\\quarnel\\velmorin", std::nullopt},
        {"\\\\serveur", std::nullopt},
        {"serveur\\quarnel", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(platform::local_path_of(m, r.unc), r.local) << r.unc;
}

class live_mounts : public wvtest::folder_test {};

TEST_F(live_mounts, the_listing_is_written_from_the_mounts_file_and_the_paths_follow_it) {
    wvtest::write_bytes(work / "mounts", table);
    platform::set_mounts_file(work / "mounts");
    ASSERT_TRUE(platform::start_network_listing(work / "listres.txt"));
    EXPECT_EQ(wvtest::read_bytes(work / "listres.txt"),
              platform::network_listing(platform::parse_mounts(table)));
    EXPECT_EQ(platform::local_path_of_network_path("\\\\serveur\\quarnel\\velmorin"),
              std::filesystem::path("/mnt/serveur/quarnel/velmorin"));

    // No mounts table at all: an empty list of computers, never a failure.
    platform::set_mounts_file(work / "absent");
    ASSERT_TRUE(platform::start_network_listing(work / "listres.txt"));
    EXPECT_EQ(wvtest::read_bytes(work / "listres.txt").find("\\\\"), std::string::npos);
    EXPECT_FALSE(platform::local_path_of_network_path("\\\\serveur\\quarnel\\velmorin"));
    EXPECT_FALSE(platform::start_network_listing(work / "absent" / "listres.txt"));
    platform::set_mounts_file("");
}

}  // namespace
