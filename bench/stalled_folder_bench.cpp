// How long the screen waits on a network folder that does not answer: the
// main screen's redraw while the exchange folder is a FUSE folder (bindfs)
// whose daemon is stopped, as a server that no longer answers leaves a share's
// client. The first drawing after the server stops waits for the probe's
// bound; the drawings after it, while the call is still stuck, do not wait.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <fstream>
#include <thread>

#include "bench_tablet.h"
#include "largest_catalogue.h"
#include "main_screen/form1.h"
#include "platform/folder_worker.h"
#include "platform/record_file.h"
#include "shared/globals.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

dev_t device_of(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_dev : 0;
}

// A started tablet whose exchange folder is a FUSE folder over a folder
// holding the largest catalogue.
class partage_fuse {
  public:
    partage_fuse() {
        avant_ = fs::current_path();
        const fs::path work = bench::temporary_folder("stalled");
        const fs::path net = work / "reseau";
        partage_ = work / "partage";
        fs::create_directories(net);
        fs::create_directories(partage_);
        bench::write_largest_catalogue(net);
        std::vector<std::string> args = {"/usr/bin/bindfs", "-f", net.string(), partage_.string()};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::geteuid() != 0 ||
            ::posix_spawn(&daemon_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            daemon_ = -1;
            return;
        }
        for (int i = 0; i < 500 && device_of(partage_) == device_of(work); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (device_of(partage_) == device_of(work)) return;
        monte_ = true;
        bench::start_tablet(work, partage_);
    }
    ~partage_fuse() {
        if (daemon_ > 0) {
            ::kill(daemon_, SIGCONT);
            platform::folder_worker::wait_idle(std::chrono::seconds(30));
            ::umount2(partage_.c_str(), MNT_DETACH);
            ::kill(daemon_, SIGTERM);
            ::waitpid(daemon_, nullptr, 0);
        }
        if (monte_) {
            Form1::instance().unload();
            platform::record_file::close_all();
        }
        fs::current_path(avant_);
    }
    bool pret() const { return monte_; }
    void arrete() { ::kill(daemon_, SIGSTOP); }
    void reprend() {
        ::kill(daemon_, SIGCONT);
        platform::folder_worker::wait_idle(std::chrono::seconds(30));
    }

  private:
    fs::path avant_, partage_;
    pid_t daemon_ = -1;
    bool monte_ = false;
};

void redraw(bool deja_bloque, benchmark::State& state) {
    partage_fuse p;
    if (!p.pret()) {
        state.SkipWithError("needs root, /dev/fuse and bindfs");
        return;
    }
    if (deja_bloque) {
        p.arrete();
        Form1::instance().Form_Load();
    }
    for (auto _ : state) {
        if (!deja_bloque) {
            state.PauseTiming();
            p.reprend();
            Form1::instance().Form_Load();
            p.arrete();
            state.ResumeTiming();
        }
        Form1::instance().Form_Load();
        QCoreApplication::processEvents();
    }
}

void main_screen_redraw_when_the_server_stops_answering(benchmark::State& state) {
    redraw(false, state);
}
BENCHMARK(main_screen_redraw_when_the_server_stops_answering)->Iterations(5)->Unit(benchmark::kMillisecond);

void main_screen_redraw_while_the_server_still_does_not_answer(benchmark::State& state) {
    redraw(true, state);
}
BENCHMARK(main_screen_redraw_while_the_server_still_does_not_answer)->Unit(benchmark::kMillisecond);

}  // namespace
