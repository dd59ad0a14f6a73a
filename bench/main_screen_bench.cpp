// The main screen with the largest catalogue: a redraw (the load routine of a
// started program, painted), the drawing of a key page of 10 and of 100 keys
// (painted), and the hand-over of 1000 queued orders beside a plain
// copy-and-remove of the same files.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <fstream>

#include "largest_catalogue.h"
#include "main_screen/form1.h"
#include "main_screen/order_queue.h"
#include "platform/record_file.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"

namespace {

namespace fs = std::filesystem;

// A tablet at 1024 x 768 whose network folder holds the largest catalogue,
// started and with a server chosen.
class tablette_mesuree {
  public:
    tablette_mesuree() {
        avant_ = fs::current_path();
        const fs::path work = bench::temporary_folder("main-screen");
        net_ = work / "reseau";
        fs::create_directories(net_);
        bench::write_largest_catalogue(net_);
        std::string parametres(40000, ' ');
        parametres.replace(20, 16, "#I#0:01024:00768");
        std::ofstream(work / "wfenzo42.wdo", std::ios::binary) << parametres;
        std::ofstream(work / "wfichdir.wdo", std::ios::binary) << net_.string() << "\r\n";
        fs::current_path(work);
        reset_globals();
        Form1::instance().show();
        code_force = "#SERV#01";
        Form1::instance().btx_Click(0);
        table_couverts = "#N0124 ";
    }
    ~tablette_mesuree() {
        Form1::instance().unload();
        platform::record_file::close_all();
        fs::current_path(avant_);
    }
    const fs::path& net() const { return net_; }

  private:
    fs::path avant_, net_;
};

void peint() {
    Form1::instance().window()->repaint();
    QCoreApplication::processEvents();
}

void main_screen_redraw(benchmark::State& state) {
    tablette_mesuree t;
    for (auto _ : state) {
        Form1::instance().Form_Load();
        peint();
    }
}
BENCHMARK(main_screen_redraw)->Unit(benchmark::kMillisecond);

void key_page_draw(benchmark::State& state) {
    tablette_mesuree t;
    parametres::ecrit(8, "#I#" + txt::str(state.range(0)));
    num_famille = 120;
    page_liste = 0;
    for (auto _ : state) {
        Form1::instance().affiche_articles();
        peint();
    }
    state.SetLabel(txt::str(state.range(0)) + " keys");
}
BENCHMARK(key_page_draw)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// 1000 order files of about 2 KB in a fresh local folder and a network folder
// that holds only the catalogue.
struct file_de_mille {
    fs::path local, reseau;
    explicit file_de_mille(const std::string& tag) {
        local = bench::temporary_folder(tag);
        reseau = local / "reseau";
    }
    void remplit() {
        fs::remove_all(reseau);
        fs::create_directories(reseau);
        std::ofstream(reseau / "velmorin.wdo", std::ios::binary) << "#SERV#01 Marie\r\n";
        std::string commande =
            "#ID#0123456789\r\n#VERSION#2.1\r\n#SERVEUR#01\r\n#TABLE#012\r\n#NBCOUVERT#4 \r\n";
        for (int l = 0; l < 30; ++l)
            commande += "#REF#200200100000000  {2.00}\r\n#COMP#Saignant|Frites|\r\n#NOTE#\r\n";
        for (int i = 0; i < 1000; ++i)
            std::ofstream(
                local / ("2026-12-09-12-" + txt::format(i / 60, "00") + "-" + txt::format(i % 60, "00") +
                         "_01_" + txt::format(i % 999 + 1, "000") + "_004_.-A-"),
                std::ios::binary)
                << commande;
    }
};

void queue_hand_over_of_1000_orders(benchmark::State& state) {
    file_de_mille f("queue");
    for (auto _ : state) {
        state.PauseTiming();
        f.remplit();
        state.ResumeTiming();
        const auto b = file_attente::transmet(f.local, f.reseau.string());
        if (b.transmis != 1000) state.SkipWithError("not every order was handed over");
    }
}
BENCHMARK(queue_hand_over_of_1000_orders)->Unit(benchmark::kMillisecond);

void plain_copy_and_remove_of_1000_files(benchmark::State& state) {
    file_de_mille f("plain");
    for (auto _ : state) {
        state.PauseTiming();
        f.remplit();
        state.ResumeTiming();
        for (const std::string& nom : file_attente::en_attente(f.local)) {
            fs::copy_file(f.local / nom, f.reseau / file_attente::nom_transmis(nom));
            fs::remove(f.local / nom);
        }
    }
}
BENCHMARK(plain_copy_and_remove_of_1000_files)->Unit(benchmark::kMillisecond);

}  // namespace
