// The network listing and the mapping of network paths to local folders,
// from an injected mounts table.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <filesystem>

#include "platform/network.h"
#include "platform/network_discovery.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;

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

// Found by fuzzing: an NFS source with empty brackets named a computer
// without a name, listed as a bare "\\" that no touch could open.
TEST(network_mounts, a_mount_without_a_server_name_is_no_computer) {
    for (const char* t : {"[]:/v / nfs rw 0 0\n", ":/v / nfs rw 0 0\n", "///quarnel /mnt/q cifs rw 0 0\n"}) {
        EXPECT_TRUE(platform::parse_mounts(t).empty()) << t;
        EXPECT_EQ(platform::network_listing(platform::parse_mounts(t)).find("\\\\"), std::string::npos) << t;
    }
}

TEST(network_mounts, names_longer_than_sixteen_characters_are_written_whole) {
    const auto m = platform::parse_mounts("//serveur.restaurant.lan/quarnel /mnt/q cifs rw 0 0\n");
    const std::string text = platform::network_listing(
        m, {"CAISSESALLE0001", "nas-de-la-cuisine.restaurant.lan", "SERVEUR.RESTAURANT.LAN"});
    EXPECT_NE(text.find("\r\n\\\\serveur.restaurant.lan   partag"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n\\\\CAISSESALLE0001\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n\\\\nas-de-la-cuisine.restaurant.lan\r\n"), std::string::npos) << text;
    // The same computer found again is listed once.
    EXPECT_EQ(text.find("SERVEUR.RESTAURANT.LAN"), std::string::npos) << text;
}

TEST(network_mounts, gvfs_folders_name_their_server_and_share) {
    const fs::path g = "/run/user/1000/gvfs";
    struct row {
        const char* entry;
        const char* server;
        const char* share;
    };
    const row rows[] = {
        {"smb-share:server=serveur,share=quarnel", "serveur", "quarnel"},
        {"smb-share:domain=RESTAU,server=nas.local,share=donn%C3%A9es,user=invite", "nas.local",
         "donn\xC3\xA9"
         "es"},
        {"smb-share:port=44545,server=127.0.0.1,share=quarnel", "127.0.0.1", "quarnel"},
        {"smb-share:server=serveur", nullptr, nullptr},
        {"sftp:host=serveur", nullptr, nullptr},
        {"smb-server:server=serveur", nullptr, nullptr},
    };
    for (const auto& r : rows) {
        const auto m = platform::parse_gvfs_entry(r.entry, g);
        if (!r.server) {
            EXPECT_FALSE(m) << r.entry;
            continue;
        }
        ASSERT_TRUE(m) << r.entry;
        EXPECT_EQ(m->server, r.server);
        EXPECT_EQ(m->share, std::vector<std::string>{r.share});
        EXPECT_EQ(m->mount_point, g / r.entry);
    }
}

TEST(network_mounts, automounter_maps_give_their_shares_under_their_folder) {
    const auto maps = platform::parse_autofs_master(
        "# master\n/mnt/auto /etc/auto.restau --timeout=60\n/net -hosts\n+auto.master\n"
        "/- file:/etc/auto.direct\n/misc auto.misc\n");
    ASSERT_EQ(maps.size(), 2u);
    EXPECT_EQ(maps[0].first, "/mnt/auto");
    EXPECT_EQ(maps[0].second, "/etc/auto.restau");
    EXPECT_EQ(maps[1].first, "/-");
    EXPECT_EQ(maps[1].second, "/etc/auto.direct");

    const auto m = platform::parse_autofs_map(
        "# restaurant\nsalle -fstype=cifs,guest ://SERVEUR/quarnel\nnas -rw "
        "nas.restaurant.lan:/export/quarnel\n"
        "v6 -fstype=nfs4 [fd00::25]:/quarnel\n* -fstype=nfs &:/home\nmulti / srv:/a /b srv:/b\n",
        "/mnt/auto");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].server, "SERVEUR");
    EXPECT_EQ(m[0].share, std::vector<std::string>{"quarnel"});
    EXPECT_EQ(m[0].mount_point, "/mnt/auto/salle");
    EXPECT_EQ(m[1].server, "nas.restaurant.lan");
    EXPECT_TRUE(m[1].nfs);
    EXPECT_EQ(m[1].mount_point, "/mnt/auto/nas");
    EXPECT_EQ(m[2].server, "fd00::25");
    // An automounted share is reached through its folder: the first access mounts it.
    EXPECT_EQ(platform::local_path_of(m, "\\\\serveur\\quarnel\\velmorin"),
              fs::path("/mnt/auto/salle/velmorin"));
    EXPECT_EQ(platform::parse_autofs_map("/srv/q -fstype=cifs ://caisse/quarnel\n", "/-")[0].mount_point,
              "/srv/q");
}

class live_mounts : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        platform::set_discovery_programs(&none);
        platform::set_autofs_master(work / "absent");
        platform::set_gvfs_folder(work / "absent");
        platform::set_share_mounting({false, false, work / "mnt"});
    }
    void TearDown() override {
        platform::cancel_discovery();
        platform::set_discovery_programs(nullptr);
        platform::set_mounts_file("");
        platform::set_autofs_master("");
        platform::set_gvfs_folder("");
        platform::set_share_mounting({});
        folder_test::TearDown();
    }
    const std::vector<platform::discovery_program> none;
};

TEST_F(live_mounts, gvfs_and_automounter_shares_are_listed_and_opened_beside_the_mounts_table) {
    wvtest::write_bytes(work / "mounts", "//CAISSE/quarnel /mnt/caisse cifs rw 0 0\n");
    platform::set_mounts_file(work / "mounts");
    const fs::path g = work / "gvfs";
    fs::create_directories(g / "smb-share:server=serveur,share=quarnel" / "velmorin");
    fs::create_directories(g / "sftp:host=ailleurs");
    platform::set_gvfs_folder(g);
    wvtest::write_bytes(work / "auto.master", "/mnt/auto " + (work / "auto.restau").string() + "\n");
    wvtest::write_bytes(work / "auto.restau", "nas -fstype=cifs,guest ://NAS/quarnel\n");
    platform::set_autofs_master(work / "auto.master");

    ASSERT_TRUE(platform::start_network_listing(work / "listres.txt"));
    std::vector<std::string> names;
    const auto lues = platform::read_lines(work / "listres.txt");
    ASSERT_TRUE(lues);
    for (const auto& l : *lues)
        if (l.compare(0, 2, "\\\\") == 0) names.push_back(l.substr(0, l.find(' ')));
    EXPECT_EQ(names, (std::vector<std::string>{"\\\\CAISSE", "\\\\NAS", "\\\\serveur"}));

    EXPECT_EQ(platform::open_network_path("\\\\SERVEUR\\quarnel\\velmorin"),
              g / "smb-share:server=serveur,share=quarnel" / "velmorin");
    EXPECT_EQ(platform::open_network_path("\\\\nas\\quarnel\\velmorin"), fs::path("/mnt/auto/nas/velmorin"));
    // Not mounted, and no way to mount it allowed here: nothing, at once.
    EXPECT_FALSE(platform::open_network_path("\\\\inconnu\\quarnel\\velmorin"));
    // Names that a mount program would read as options or paths are refused.
    platform::set_share_mounting({true, true, work / "mnt"});
    for (const char* bad : {"\\\\-o\\quarnel", "\\\\..\\..\\velmorin", "\\\\a b\\quarnel", "\\\\x\\q,uid=0"})
        EXPECT_FALSE(platform::open_network_path(bad)) << bad;
    EXPECT_FALSE(fs::exists(work / "mnt"));
}

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

// gvfsd-fuse shows a new mount's folder on its own time, after "gio mount"
// has said it worked: the folder is waited for, within the mount's bound.
// A "gio" of the test's own stands for GVfs: it answers at once and makes
// the folder a moment later, or fails as when the share is mounted already.
TEST_F(live_mounts, a_gvfs_mount_that_worked_is_waited_for_until_its_folder_is_there) {
    const fs::path g = work / "gvfs", bin = work / "bin";
    fs::create_directories(g);
    fs::create_directories(bin);
    platform::set_gvfs_folder(g);
    platform::set_share_mounting({true, false, work / "mnt"});
    const fs::path dossier = g / "smb-share:server=serveur,share=quarnel" / "velmorin";
    struct cas {
        const char* quoi;
        int code;  // gio's exit code
        bool attendu;
    };
    for (const cas& k : {cas{"mounted now", 0, true}, cas{"an answer of failure", 2, false}}) {
        SCOPED_TRACE(k.quoi);
        fs::remove_all(g / "smb-share:server=serveur,share=quarnel");
        wvtest::write_bytes(bin / "gio", "#!/bin/sh\n(sleep 0.4; mkdir -p '" + dossier.string() +
                                             "') </dev/null >/dev/null 2>&1 &\nexit " +
                                             std::to_string(k.code) + "\n");
        fs::permissions(bin / "gio", fs::perms::owner_all);
        const std::string path = qEnvironmentVariable("PATH").toStdString();
        qputenv("PATH", QByteArray::fromStdString(bin.string() + ":" + path));
        const auto local = platform::open_network_path("\\\\serveur\\quarnel\\velmorin");
        qputenv("PATH", QByteArray::fromStdString(path));
        if (k.attendu) {
            EXPECT_EQ(local, dossier);
        } else {
            EXPECT_FALSE(local);
        }
        // The stand-in's late folder lands before the next case starts.
        EXPECT_TRUE(scripted_user::wait_until([&dossier] { return fs::exists(dossier); }));
    }
}

}  // namespace
