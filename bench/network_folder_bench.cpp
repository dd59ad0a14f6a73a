// The drawing of the home view (the probe, the hand-over of an empty queue,
// the bar) and the probe alone, on a real GVfs share beside a folder of the
// local disk, in the same run: Samba's smbd on 127.0.0.1, a private session
// bus and "gio mount", as a tablet meets the restaurant's server. GVfs
// refuses to open an existing file for writing in place, so the probe takes
// the way that reads "Test.res" and puts it back whole. Skipped, saying why,
// where the machine cannot give the share (not root, a program missing).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <fstream>
#include <memory>

#include "bench_tablet.h"
#include "largest_catalogue.h"
#include "main_screen/form1.h"
#include "platform/folder_worker.h"
#include "platform/record_file.h"
#include "shared/catalogue.h"
#include "shared/globals.h"
#include "support/gvfs_share.h"

namespace {

namespace fs = std::filesystem;

// A started tablet at 1024 x 768, server 1 chosen, on the home view, whose
// exchange folder holds the largest catalogue: on the local disk, or on the
// share (the catalogue then written on the server's own disk).
class tablette {
  public:
    explicit tablette(bool sur_gvfs) {
        avant_ = fs::current_path();
        const fs::path work = bench::temporary_folder(sur_gvfs ? "gvfs" : "disk");
        fs::path dossier = work / "reseau";
        if (sur_gvfs) {
            share_ = std::make_unique<wvtest::gvfs_share>(work);
            if (!share_->ready()) {
                why_not_ = share_->why_not();
                return;
            }
            bench::write_largest_catalogue(share_->on_server());
            for (const auto& e : fs::directory_iterator(share_->on_server()))
                fs::permissions(e.path(), fs::perms::all);
            dossier = share_->folder();
        } else {
            fs::create_directories(dossier);
            bench::write_largest_catalogue(dossier);
        }
        const fs::path tab = work / "tablette";
        fs::create_directories(tab);
        bench::start_tablet(tab, dossier);
        pret_ = serveurs[1].size() > 0;
        if (!pret_) why_not_ = "the tablet did not take the catalogue from " + dossier.string();
    }
    ~tablette() {
        platform::folder_worker::wait_idle(std::chrono::seconds(30));
        if (Form1::instance().loaded()) Form1::instance().unload();
        platform::record_file::close_all();
        fs::current_path(avant_);
    }
    bool pret() const { return pret_; }
    const std::string& why_not() const { return why_not_; }

  private:
    fs::path avant_;
    std::unique_ptr<wvtest::gvfs_share> share_;
    bool pret_ = false;
    std::string why_not_;
};

// Runs `measure` on a started tablet, or says why there is none.
template <class Measure>
void on_a_tablet(benchmark::State& state, bool sur_gvfs, Measure measure) {
    tablette t(sur_gvfs);
    if (!t.pret()) {
        state.SkipWithError(t.why_not().c_str());
        return;
    }
    measure();
}

void home_view_redraw(benchmark::State& state, bool sur_gvfs) {
    on_a_tablet(state, sur_gvfs, [&state] {
        bool joignable = true;
        for (auto _ : state) {
            Form1::instance().affiche_menu();
            QCoreApplication::processEvents();
            joignable = joignable && Form1::instance().get<platform::grid>("g2")->text(0, 4).empty();
        }
        if (!joignable) state.SkipWithError("the folder was found unreachable during the drawings");
    });
}
BENCHMARK_CAPTURE(home_view_redraw, on_the_local_disk, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(home_view_redraw, on_a_gvfs_share, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

void probe(benchmark::State& state, bool sur_gvfs) {
    on_a_tablet(state, sur_gvfs, [&state] {
        for (auto _ : state)
            if (!atdend_res::teste_reseau()) state.SkipWithError("the probe found the folder unreachable");
    });
}
BENCHMARK_CAPTURE(probe, on_the_local_disk, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(probe, on_a_gvfs_share, true)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

}  // namespace
