#include "support/gvfs_share.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QStandardPaths>
#include <chrono>
#include <fstream>
#include <thread>

namespace wvtest {

namespace {

namespace fs = std::filesystem;

bool run(const std::string& program, const QStringList& args, const QProcessEnvironment& env, int ms) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QString::fromStdString(program), args);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace

std::string find_program(const char* name) {
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin", "/usr/libexec"})
        .toStdString();
}

namespace {
sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

}  // namespace

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

gvfs_share::gvfs_share(const fs::path& work) : work_(work) {
    if (::geteuid() != 0) {
        why_not_ = "smbd needs root to serve guests here; this runs as a user";
        return;
    }
    const std::string smbd = find_program("smbd");
    for (const auto& [name, path] : {std::pair{"smbd (Debian package samba)", smbd},
                                     {"gio", find_program("gio")},
                                     {"dbus-daemon", find_program("dbus-daemon")}})
        if (path.empty()) {
            why_not_ = std::string("no ") + name + " on this machine";
            return;
        }
    if (find_program("gvfsd-fuse").empty() && !fs::exists("/usr/libexec/gvfsd-fuse")) {
        why_not_ = "no gvfsd-fuse (Debian package gvfs-fuse): GVfs shares have no folder";
        return;
    }
    if (!fs::exists("/dev/fuse")) {
        why_not_ = "no /dev/fuse on this machine";
        return;
    }
    port_ = free_port();
    const fs::path s = work / "samba";
    for (const char* d : {"lock", "state", "cache", "pid", "private", "ncalrpc", "log"})
        fs::create_directories(s / d);
    on_server_ = s / "quarnel" / "velmorin";
    fs::create_directories(on_server_);
    std::ofstream(on_server_ / "velmorin.wdo", std::ios::binary) << "#DIR#catalogue\r\n";
    // smbd serves guests as "nobody", who must reach the share and write into it.
    for (const auto& p : {work, s, s / "quarnel"})
        fs::permissions(p, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(on_server_, fs::perms::all);
    fs::permissions(on_server_ / "velmorin.wdo", fs::perms::all);
    std::ofstream conf(s / "smb.conf");
    conf << "[global]\n  netbios name = SERVEURTEST\n  workgroup = RESTAU\n  interfaces = 127.0.0.1\n"
            "  bind interfaces only = yes\n  smb ports = "
         << port_ << "\n";
    for (const char* d : {"lock", "state", "cache", "pid", "ncalrpc"})
        conf << "  " << d << " directory = " << (s / d).string() << "\n";
    conf << "  private dir = " << (s / "private").string() << "\n"
         << "  log file = " << (s / "log" / "log.%m").string() << "\n"
         << "  map to guest = Bad User\n  server role = standalone server\n  load printers = no\n"
            "  printcap name = /dev/null\n  disable spoolss = yes\n  disable netbios = yes\n"
            "  multicast dns register = no\n[quarnel]\n  path = "
         << (s / "quarnel").string() << "\n  guest ok = yes\n  read only = no\n";
    conf.close();
    server_.setProgram(QString::fromStdString(smbd));
    server_.setArguments(
        {"--foreground", "--debug-stdout", "-s", QString::fromStdString((s / "smb.conf").string())});
    server_.setStandardOutputFile(QString::fromStdString((s / "log" / "smbd.out").string()));
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start();
    if (!server_.waitForStarted(3000) || !port_answers(port_, 5000)) {
        why_not_ = "smbd did not answer on 127.0.0.1:" + std::to_string(port_);
        return;
    }

    // A session bus of our own: gvfsd, started by it, puts its FUSE folder
    // in the runtime folder of the bus's environment.
    const fs::path xdg = work / "xdg";
    fs::create_directories(xdg);
    fs::permissions(xdg, fs::perms::owner_all);
    const std::string address = "unix:path=" + (xdg / "bus").string();
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString(address));
    env_.insert("XDG_RUNTIME_DIR", QString::fromStdString(xdg.string()));
    bus_.setProcessEnvironment(env_);
    bus_.start(QString::fromStdString(find_program("dbus-daemon")),
               {"--session", "--nofork", "--nopidfile", "--address", QString::fromStdString(address)});
    for (int i = 0; i < 150 && !fs::exists(xdg / "bus"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!bus_.waitForStarted(3000) || !fs::exists(xdg / "bus")) {
        why_not_ = "no private session bus could be started";
        return;
    }
    const QString url = QString::fromStdString("smb://127.0.0.1:" + std::to_string(port_) + "/quarnel");
    if (!run("gio", {"mount", "-a", url}, env_, 15000)) {
        why_not_ = "gio mount of the loopback share failed";
        return;
    }
    folder_ = xdg / "gvfs" / ("smb-share:port=" + std::to_string(port_) + ",server=127.0.0.1,share=quarnel") /
              "velmorin";
    std::error_code ec;
    for (int i = 0; i < 200 && !fs::is_directory(folder_, ec); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    if (!fs::is_directory(folder_, ec)) why_not_ = "GVfs gave the share no FUSE folder";
}

gvfs_share::~gvfs_share() {
    if (bus_.state() != QProcess::NotRunning) {
        // The share is let go, then the bus: gvfsd and its FUSE folder end with it.
        run("gio",
            {"mount", "-u", QString::fromStdString("smb://127.0.0.1:" + std::to_string(port_) + "/quarnel")},
            env_, 3000);
        run("fusermount3", {"-u", "-z", QString::fromStdString((work_ / "xdg" / "gvfs").string())}, env_,
            3000);
        bus_.terminate();
        if (!bus_.waitForFinished(3000)) bus_.kill();
    }
    if (server_.state() != QProcess::NotRunning) {
        // Its connections' processes with it: smbd leads a process group of its own.
        ::kill(-static_cast<pid_t>(server_.processId()), SIGTERM);
        server_.terminate();
        if (!server_.waitForFinished(3000)) server_.kill();
        server_.waitForFinished(3000);
    }
}

}  // namespace wvtest
