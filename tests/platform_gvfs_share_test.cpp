// A GVfs share folder recorded in an earlier session: its mount's name read
// back, the share found again in this session, and mounted again by a "gio"
// of the test's own when it is nowhere.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/gvfs_share.h"
#include "platform/network.h"
#include "platform/services.h"
#include "platform/text.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::gvfs_share;

struct name_case {
    const char* name;
    bool ok;
    const char* server;
    const char* share;
    int port;
    const char* user;
};

TEST(gvfs_share_names, the_share_is_read_from_the_mount_name_in_any_order_with_its_escapes_undone) {
    const name_case cases[] = {
        {"smb-share:server=10.77.4.1,share=quarnel", true, "10.77.4.1", "quarnel", 0, ""},
        {"smb-share:port=4455,server=127.0.0.1,share=quarnel", true, "127.0.0.1", "quarnel", 4455, ""},
        {"smb-share:share=quarnel,port=139,server=serveur.local", true, "serveur.local", "quarnel", 139, ""},
        {"smb-share:domain=RESTAU,server=serveur,share=quarnel,user=caisse", true, "serveur", "quarnel", 0,
         "caisse"},
        // GVfs escapes what would end a value or a pair.
        {"smb-share:server=serveur,share=mon%20partage%2Cbis%3Dx", true, "serveur", "mon partage,bis=x", 0,
         ""},
        {"smb-share:server=serveur,share=caf%C3%A9", true, "serveur", "caf\xC3\xA9", 0, ""},
        {"smb-share:server=serveur,share=caf\xC3\xA9", true, "serveur", "caf\xC3\xA9", 0, ""},
        {"smb-share:server=fe80%3A%3A1,share=quarnel", true, "fe80::1", "quarnel", 0, ""},
        // Not a share, or not one that can be named again.
        {"smb-server:server=serveur", false, "", "", 0, ""},
        {"sftp:host=serveur,user=root", false, "", "", 0, ""},
        {"smb-share:server=serveur", false, "", "", 0, ""},
        {"smb-share:share=quarnel", false, "", "", 0, ""},
        {"smb-share:server=,share=quarnel", false, "", "", 0, ""},
        {"smb-share:server=serveur,share=quarnel,port=0", false, "", "", 0, ""},
        {"smb-share:server=serveur,share=quarnel,port=70000", false, "", "", 0, ""},
        {"smb-share:server=serveur,share=quarnel,port=44a", false, "", "", 0, ""},
        {"smb-share:server=serveur,share=quarnel%2", false, "", "", 0, ""},
        {"smb-share:server=serveur,share=quarnel,junk", false, "", "", 0, ""},
        {"", false, "", "", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto s = parse_mount_name(c.name);
        ASSERT_EQ(s.has_value(), c.ok);
        if (!s) continue;
        EXPECT_EQ(s->server, c.server);
        EXPECT_EQ(s->name, c.share);
        EXPECT_EQ(s->port, c.port);
        EXPECT_EQ(s->user, c.user);
    }
}

TEST(gvfs_share_names, a_folder_is_a_share_folder_only_inside_a_gvfs_folder) {
    struct folder_case {
        const char* folder;
        bool ok;
        const char* root;
        const char* mount;
        const char* rest;
    };
    const folder_case cases[] = {
        {"/run/user/0/gvfs/smb-share:server=10.77.4.1,share=quarnel/velmorin/", true, "/run/user/0/gvfs",
         "smb-share:server=10.77.4.1,share=quarnel", "velmorin"},
        {"/run/user/1000/gvfs/smb-share:port=4455,server=serveur,share=quarnel/a/b", true,
         "/run/user/1000/gvfs", "smb-share:port=4455,server=serveur,share=quarnel", "a/b"},
        {"/root/.cache/gvfs/smb-share:server=serveur,share=quarnel//velmorin", true, "/root/.cache/gvfs",
         "smb-share:server=serveur,share=quarnel", "velmorin"},
        {"/home/caisse/.gvfs/smb-share:server=serveur,share=quarnel/velmorin", true, "/home/caisse/.gvfs",
         "smb-share:server=serveur,share=quarnel", "velmorin"},
        {"/run/user/0/gvfs/smb-share:server=serveur,share=quarnel", true, "/run/user/0/gvfs",
         "smb-share:server=serveur,share=quarnel", ""},
        // Other folders.
        {"/mnt/velmorin/", false, "", "", ""},
        {"/run/user/0/gvfs/sftp:host=serveur/velmorin", false, "", "", ""},
        {"/tmp/smb-share:server=serveur,share=quarnel/velmorin", false, "", "", ""},
        {"\\\\serveur\\quarnel\\velmorin\\", false, "", "", ""},
        {"velmorin", false, "", "", ""},
        {"", false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const auto f = parse_folder(c.folder);
        ASSERT_EQ(f.has_value(), c.ok);
        if (!f) continue;
        EXPECT_EQ(f->gvfs_root, fs::path(c.root));
        EXPECT_EQ(f->mount_name, c.mount);
        EXPECT_EQ(f->rest, fs::path(c.rest));
    }
}

share smb(const char* server, const char* name, int port = 0) {
    share s;
    s.server = server;
    s.name = name;
    s.port = port;
    return s;
}

TEST(gvfs_share_names, the_mount_address_names_the_server_as_recorded_and_its_port) {
    struct uri_case {
        share s;
        const char* uri;
    };
    const uri_case cases[] = {
        {smb("10.77.4.1", "quarnel"), "smb://10.77.4.1/quarnel"},
        {smb("127.0.0.1", "quarnel", 4455), "smb://127.0.0.1:4455/quarnel"},
        {smb("serveur.local", "quarnel"), "smb://serveur.local/quarnel"},
        {smb("fe80::1", "quarnel"), "smb://[fe80::1]/quarnel"},
        {smb("::1", "quarnel", 4455), "smb://[::1]:4455/quarnel"},
        {smb("serveur", "mon partage"), "smb://serveur/mon%20partage"},
    };
    for (const auto& c : cases) EXPECT_EQ(mount_uri(c.s), c.uri);
}

TEST(gvfs_share_names, the_recorded_share_is_found_among_the_mounts_of_another_session) {
    const auto f =
        *parse_folder("/run/user/0/gvfs/smb-share:port=4455,server=serveur,share=quarnel/velmorin/");
    struct map_case {
        const char* what;
        std::vector<fs::path> mounts;
        const char* found;  // "" = none
    };
    const map_case cases[] = {
        {"the recorded mount, among others",
         {"/run/user/0/gvfs/smb-share:server=autre,share=quarnel",
          "/run/user/0/gvfs/smb-share:port=4455,server=serveur,share=quarnel",
          "/x/gvfs/smb-share:port=4455,server=serveur,share=quarnel"},
         "/run/user/0/gvfs/smb-share:port=4455,server=serveur,share=quarnel/velmorin"},
        {"another runtime folder, another order of keys",
         {"/tmp/xdg/gvfs/smb-share:server=serveur,share=quarnel,port=4455"},
         "/tmp/xdg/gvfs/smb-share:server=serveur,share=quarnel,port=4455/velmorin"},
        {"names in another case, mounted with an account",
         {"/root/.cache/gvfs/smb-share:port=4455,server=SERVEUR,share=Quarnel,user=caisse"},
         "/root/.cache/gvfs/smb-share:port=4455,server=SERVEUR,share=Quarnel,user=caisse/velmorin"},
        {"another port", {"/run/user/0/gvfs/smb-share:server=serveur,share=quarnel"}, ""},
        {"another share", {"/run/user/0/gvfs/smb-share:port=4455,server=serveur,share=photos"}, ""},
        {"another server", {"/run/user/0/gvfs/smb-share:port=4455,server=serveur2,share=quarnel"}, ""},
        {"not a share", {"/run/user/0/gvfs/sftp:host=serveur", "/run/user/0/gvfs/velmorin"}, ""},
        {"nothing mounted", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto found = find_among(f, c.mounts);
        if (*c.found) {
            EXPECT_EQ(found, fs::path(c.found));
        } else {
            EXPECT_FALSE(found) << *found;
        }
    }
}

// Real folders: an earlier session's GVfs folder (gone) and this session's.
// "gio" is a script of the test's own that logs its arguments, then makes
// the share's folder in this session and ends with the code asked, or waits
// to be let go.
class gvfs_share_reach : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        session = work / "session" / "gvfs";
        bin = work / "bin";
        fs::create_directories(session);
        fs::create_directories(bin);
        platform::set_gvfs_folder(session);
        forget_attempts();
        path = qEnvironmentVariable("PATH").toStdString();
        qputenv("PATH", QByteArray::fromStdString(bin.string() + ":" + path));
        recorded = (work / "old" / "gvfs" / mount / "velmorin").string() + "/";
    }
    void TearDown() override {
        qputenv("PATH", QByteArray::fromStdString(path));
        platform::set_gvfs_folder("");
        set_retry_spacing(retry_spacing);
        forget_attempts();
        folder_test::TearDown();
    }
    // A gio that makes the folder (when `makes`) and ends with `code`; with
    // `waits`, it first waits for the file "release".
    void gio(bool makes, int code, bool waits = false) {
        std::string script = "#!/bin/sh\necho \"$@\" >> '" + (work / "gio.log").string() + "'\n";
        if (waits) script += "while [ ! -e '" + (work / "release").string() + "' ]; do sleep 0.02; done\n";
        if (makes) script += "mkdir -p '" + (session / mount / "velmorin").string() + "'\n";
        script += "exit " + std::to_string(code) + "\n";
        wvtest::write_bytes(bin / "gio", script);
        fs::permissions(bin / "gio", fs::perms::owner_all);
    }
    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::string all = wvtest::read_bytes(work / "gio.log"), line;
        for (char c : all) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return lines;
    }
    std::string here() const { return (session / mount / "velmorin").string() + "/"; }

    const std::string mount = "smb-share:port=4455,server=serveur,share=quarnel";
    fs::path session, bin;
    std::string path, recorded;
};

TEST_F(gvfs_share_reach, a_folder_that_is_there_or_no_share_folder_is_used_as_recorded_without_a_mount) {
    gio(true, 0);
    fs::create_directories(work / "old" / "gvfs" / mount / "velmorin");
    EXPECT_EQ(reach(recorded).folder, recorded);
    const std::string local = (work / "missing" / "velmorin").string() + "/";
    EXPECT_EQ(reach(local).folder, local);
    EXPECT_FALSE(reach(local).mounted);
    EXPECT_TRUE(calls().empty());
}

TEST_F(gvfs_share_reach, a_share_this_session_mounted_elsewhere_is_used_there) {
    gio(false, 1);
    fs::create_directories(session / "smb-share:server=SERVEUR,share=quarnel,port=4455" / "velmorin");
    const auto r = reach(recorded);
    EXPECT_EQ(r.folder,
              (session / "smb-share:server=SERVEUR,share=quarnel,port=4455" / "velmorin").string() + "/");
    EXPECT_FALSE(r.mounted);
    EXPECT_TRUE(calls().empty());
}

TEST_F(gvfs_share_reach, a_share_mounted_nowhere_is_mounted_again_as_a_guest_and_used) {
    gio(true, 0);
    const auto r = reach(recorded);
    EXPECT_EQ(r.folder, here());
    EXPECT_TRUE(r.mounted);
    EXPECT_EQ(calls(), std::vector<std::string>{"mount -a smb://serveur:4455/quarnel"});
    // Mounted: later calls find it without mounting.
    EXPECT_EQ(reach(recorded).folder, here());
    EXPECT_FALSE(reach(recorded).mounted);
    EXPECT_EQ(calls().size(), 1u);
}

TEST_F(gvfs_share_reach, a_mount_that_failed_is_tried_again_only_after_the_spacing) {
    gio(false, 2);
    EXPECT_EQ(reach(recorded).folder, recorded);
    EXPECT_EQ(reach(recorded).folder, recorded);
    EXPECT_EQ(calls().size(), 1u) << "tried again at once";
    set_retry_spacing(std::chrono::milliseconds(0));
    gio(true, 0);
    const auto r = reach(recorded);
    EXPECT_EQ(r.folder, here());
    EXPECT_TRUE(r.mounted);
    EXPECT_EQ(calls().size(), 2u);
}

// The mount runs on the network folder's worker, a thread without an event
// loop: the program's end is seen there too, not only its bound.
TEST(gvfs_share_mount_program, a_program_run_off_the_screens_thread_is_seen_to_end) {
    platform::process_result r;
    std::thread t([&] { r = platform::run_program("sh", {"-c", "echo vu; exit 3"}, 60000); });
    t.join();
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_EQ(r.output, "vu\n");
    platform::process_result late;
    std::thread u([&] { late = platform::run_program("sleep", {"30"}, 200); });
    u.join();
    EXPECT_TRUE(late.started);
    EXPECT_FALSE(late.finished) << "a program past its bound is stopped there";
}

TEST_F(gvfs_share_reach, a_mount_still_running_is_not_started_a_second_time) {
    set_retry_spacing(std::chrono::milliseconds(0));
    gio(true, 0, /*waits=*/true);
    reached first;
    std::thread t([&] { first = reach(recorded); });
    for (int i = 0; i < 500 && calls().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(calls().size(), 1u);
    // While the first waits for its mount, others look and go.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(reach(recorded).folder, recorded);
    EXPECT_EQ(calls().size(), 1u);
    wvtest::write_bytes(work / "release", "");
    t.join();
    EXPECT_EQ(first.folder, here());
    EXPECT_TRUE(first.mounted);
    EXPECT_EQ(calls().size(), 1u);
}

}  // namespace
