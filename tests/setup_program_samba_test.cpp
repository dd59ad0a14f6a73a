// The set-up program against a real SMB server on the loopback: Samba's smbd
// on 127.0.0.1 (a free port, a private configuration, its own lock, state and
// pid folders) sharing "quarnel" to guests, with "velmorin/velmorin.wdo" in
// it. The share is mounted as the user's GVfs does (a private session bus,
// gvfsd and its FUSE folder), or by the kernel's CIFS client when the test
// runs as root on a kernel that has one. Skipped, with the reason, where the
// machine cannot run it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/folder_list.h"
#include "platform/network.h"
#include "platform/network_discovery.h"
#include "platform/services.h"
#include "setup_program/form1.h"
#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;
using Ostrevane::Form1;

std::string find_program(const char* name) {
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin", "/usr/libexec"})
        .toStdString();
}

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A port of 127.0.0.1 that nothing listens on now.
int free_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    if (fd >= 0) ::close(fd);
    return port;
}

bool port_answers(int port, int within_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(within_ms);
    while (std::chrono::steady_clock::now() < end) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in a = loopback(port);
        const bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
        if (fd >= 0) ::close(fd);
        if (ok) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

class samba_server : public wvtest::folder_test {
  protected:
    void SetUp() override {
        folder_test::SetUp();
        if (::geteuid() != 0) GTEST_SKIP() << "smbd needs root to serve guests here; the test runs as a user";
        smbd = find_program("smbd");
        if (smbd.empty()) GTEST_SKIP() << "no smbd (Debian package samba) on this machine";
        port = free_port();
        ASSERT_GT(port, 0);
        // smbd serves guests as "nobody", which must reach the share.
        fs::permissions(work, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        const fs::path s = work / "samba";
        for (const char* d : {"lock", "state", "cache", "pid", "private", "ncalrpc", "log"})
            fs::create_directories(s / d);
        fs::create_directories(s / "quarnel" / "velmorin");
        wvtest::write_bytes(s / "quarnel" / "velmorin" / "velmorin.wdo", "catalogue");
        for (const auto& p : {s, s / "quarnel", s / "quarnel" / "velmorin"})
            fs::permissions(p, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
        fs::permissions(s / "quarnel" / "velmorin" / "velmorin.wdo", fs::perms::others_read,
                        fs::perm_options::add);
        std::ofstream conf(s / "smb.conf");
        conf << "[global]\n"
                "  netbios name = SERVEURTEST\n"
                "  workgroup = RESTAU\n"
                "  interfaces = 127.0.0.1\n"
                "  bind interfaces only = yes\n"
                "  smb ports = "
             << port << "\n"
             << "  lock directory = " << (s / "lock").string() << "\n"
             << "  state directory = " << (s / "state").string() << "\n"
             << "  cache directory = " << (s / "cache").string() << "\n"
             << "  pid directory = " << (s / "pid").string() << "\n"
             << "  private dir = " << (s / "private").string() << "\n"
             << "  ncalrpc dir = " << (s / "ncalrpc").string() << "\n"
             << "  log file = " << (s / "log" / "log.%m").string() << "\n"
             << "  map to guest = Bad User\n"
                "  server role = standalone server\n"
                "  load printers = no\n"
                "  printcap name = /dev/null\n"
                "  disable spoolss = yes\n"
                "  disable netbios = yes\n"
                "  multicast dns register = no\n"
                "[quarnel]\n"
                "  path = "
             << (s / "quarnel").string() << "\n"
             << "  guest ok = yes\n"
                "  read only = yes\n";
        conf.close();
        server.setProgram(QString::fromStdString(smbd));
        // In a process group of its own: smbd ends its whole group when it ends.
        server.setArguments(
            {"--foreground", "--debug-stdout", "-s", QString::fromStdString((s / "smb.conf").string())});
        server.setStandardOutputFile(QString::fromStdString((s / "log" / "smbd.out").string()));
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start();
        ASSERT_TRUE(server.waitForStarted(3000));
        if (!port_answers(port, 5000)) GTEST_SKIP() << "smbd did not answer on 127.0.0.1:" << port;
        platform::set_smb_port(port);
        platform::set_mounts_file(work / "no-mounts");
        platform::set_autofs_master(work / "no-master");
        Form1::dossier_programme = work / "prog";
        fs::create_directories(work / "prog");
    }
    void TearDown() override {
        if (Form1::instance().loaded()) Form1::instance().unload();
        platform::cancel_discovery();
        platform::set_discovery_programs(nullptr);
        if (bus.state() != QProcess::NotRunning) {
            // The share is let go, then the bus: gvfsd and its FUSE folder end with it.
            platform::run_program(
                "gio", {"mount", "-u", "smb://127.0.0.1:" + std::to_string(port) + "/quarnel"}, 3000);
            platform::run_program("fusermount3", {"-u", "-z", (work / "xdg" / "gvfs").string()}, 3000);
            bus.terminate();
            bus.waitForFinished(3000);
        }
        if (!kernel_mount.empty()) platform::run_program("umount", {"-l", kernel_mount.string()}, 3000);
        if (server.state() != QProcess::NotRunning) {
            // Its connections' processes with it.
            ::kill(-static_cast<pid_t>(server.processId()), SIGTERM);
            server.terminate();
            if (!server.waitForFinished(3000)) server.kill();
        }
        for (const auto& [name, value] : saved_env) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
        platform::set_smb_port(0);
        platform::set_mounts_file("");
        platform::set_autofs_master("");
        platform::set_gvfs_folder("");
        platform::set_share_mounting({});
        Form1::dossier_programme.clear();
        platform::set_mouse_pointer(platform::pointer::normal);
        folder_test::TearDown();
    }
    void set_env(const char* name, const std::string& value) {
        saved_env.emplace_back(name,
                               qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, QByteArray::fromStdString(value));
    }
    // A session bus of the test's own, on which gvfsd is started on demand.
    void start_session_bus() {
        for (const char* p : {"gio", "dbus-daemon"})
            if (find_program(p).empty()) GTEST_SKIP() << "no " << p << " on this machine";
        if (find_program("gvfsd-fuse").empty() && !fs::exists("/usr/libexec/gvfsd-fuse"))
            GTEST_SKIP() << "no gvfsd-fuse (Debian package gvfs-fuse): GVfs shares have no folder";
        if (!fs::exists("/dev/fuse")) GTEST_SKIP() << "no /dev/fuse in this container";
        const fs::path xdg = work / "xdg";
        fs::create_directories(xdg);
        fs::permissions(xdg, fs::perms::owner_all);
        const std::string address = "unix:path=" + (xdg / "bus").string();
        // gvfsd, started by the bus, puts its FUSE folder in the runtime folder
        // of the bus's environment.
        set_env("DBUS_SESSION_BUS_ADDRESS", address);
        set_env("XDG_RUNTIME_DIR", xdg.string());
        bus.start(QString::fromStdString(find_program("dbus-daemon")),
                  {"--session", "--nofork", "--nopidfile", "--address", QString::fromStdString(address)});
        ASSERT_TRUE(bus.waitForStarted(3000));
        for (int i = 0; i < 100 && !fs::exists(xdg / "bus"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(fs::exists(xdg / "bus"));
        platform::set_gvfs_folder("");
    }
    // The network's answer as avahi-browse gives it, for this server (an
    // mDNS name that does not resolve here, at its address) and for one
    // where nothing answers.
    void announce() {
        const std::string p = std::to_string(port);
        discovery = {{"echo",
                      {"=;lo;IPv4;SERVEURTEST;_smb._tcp;local;serveurtest.local;127.0.0.1;" + p +
                       ";\n=;lo;IPv4;MUET;_smb._tcp;local;127.0.0.2;127.0.0.2;" + p + ";"},
                      platform::discovery_format::avahi_browse}};
        platform::set_discovery_programs(&discovery);
    }
    void scan() {
        Form1::instance().get<platform::timer>("Timer2")->on_timer();
        for (int i = 0; i < 150 && platform::discovery_running(); ++i) scripted_user::wait(20);
        Form1::instance().get<platform::timer>("Timer1")->on_timer();
    }
    void double_tap_computer(const std::string& name) {
        auto* list = Form1::instance().get<platform::list_box>("List1");
        for (int i = 0; i < list->list_count(); ++i)
            if (list->list(i) == name) {
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                                   list->visualItemRect(list->item(i)).center());
                return;
            }
        ADD_FAILURE() << "no computer " << name;
    }
    std::string text(const char* label) { return Form1::instance().get<platform::label>(label)->caption(); }

    std::string smbd;
    int port = 0;
    QProcess server, bus;
    fs::path kernel_mount;
    std::vector<platform::discovery_program> discovery;
    std::vector<std::pair<std::string, std::optional<QByteArray>>> saved_env;
};

TEST_F(samba_server, a_guest_share_is_mounted_by_gvfs_and_its_folder_recorded) {
    start_session_bus();
    announce();
    platform::set_share_mounting({true, false, work / "kernel"});
    Form1::instance().show();
    scan();
    auto* list = Form1::instance().get<platform::list_box>("List1");
    ASSERT_EQ(list->list_count(), 2);
    EXPECT_EQ(list->list(0), "\\\\serveurtest.local");

    // Nothing answers there: told, and the folder stays where it was.
    double_tap_computer("\\\\127.0.0.2");
    EXPECT_EQ(text("Label13"), Form1::texte_disque);

    double_tap_computer("\\\\serveurtest.local");
    const fs::path expected = work / "xdg" / "gvfs" /
                              ("smb-share:port=" + std::to_string(port) + ",server=127.0.0.1,share=quarnel") /
                              "velmorin";
    EXPECT_EQ(text("Label1"), expected.string());
    EXPECT_EQ(text("Label13"), Form1::texte_correct);
    EXPECT_EQ(text("Label2"), expected.string() + "/");
    EXPECT_NE(platform::mouse_pointer(), platform::pointer::hourglass);
    // The folder is the server's: the catalogue is read through it.
    EXPECT_EQ(wvtest::read_bytes(expected / "velmorin.wdo"), "catalogue");

    // Valider records it and starts the main program.
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string line1 = expected.string() + "/\r\n";
    EXPECT_EXIT(
        {
            platform::set_start_hook([line1](const std::string& what) {
                const bool ok = wvtest::read_bytes("wfichdir.wdo").substr(0, line1.size()) == line1;
                std::fprintf(stderr, "started %s, line 1 %s\n", what.c_str(), ok ? "as expected" : "WRONG");
                return true;
            });
            scripted_user::tap(Form1::instance().get<platform::control>("Command1"));
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "started wvelmorin, line 1 as expected");
}

TEST_F(samba_server, a_guest_share_is_mounted_by_the_kernel_when_the_program_runs_as_root) {
    std::ifstream filesystems("/proc/filesystems");
    std::string all((std::istreambuf_iterator<char>(filesystems)), std::istreambuf_iterator<char>());
    if (all.find("\tcifs\n") == std::string::npos && all.find("\tsmb3\n") == std::string::npos)
        GTEST_SKIP()
            << "the kernel has no CIFS client here (no cifs in /proc/filesystems), so no share can be "
               "mounted by it";
    if (find_program("mount.cifs").empty()) GTEST_SKIP() << "no mount.cifs (Debian package cifs-utils)";
    announce();
    platform::set_gvfs_folder(work / "no-gvfs");
    platform::set_share_mounting({false, true, work / "kernel"});
    kernel_mount = work / "kernel" / "serveurtest.local" / "quarnel";
    Form1::instance().show();
    scan();
    double_tap_computer("\\\\serveurtest.local");
    if (text("Label13") == Form1::texte_disque)
        GTEST_SKIP() << "mount -t cifs is not permitted in this container";
    EXPECT_EQ(text("Label1"), (kernel_mount / "velmorin").string());
    EXPECT_EQ(text("Label13"), Form1::texte_correct);
}

}  // namespace
