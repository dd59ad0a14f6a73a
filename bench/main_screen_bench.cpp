// The main screen with the largest catalogue: a redraw (the load routine of a
// started program, painted), the drawing of a key page of 10 and of 100 keys
// (painted), and the hand-over of 1000 queued orders beside the least a safe
// copy with its note must do, and a plain copy-and-remove of the same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <QCoreApplication>
#include <fstream>
#include <optional>
#include <set>

#include "bench_tablet.h"
#include "largest_catalogue.h"
#include "main_screen/form1.h"
#include "main_screen/order_queue.h"
#include "platform/record_file.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/settings_file.h"
#include "support/router.h"

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
        bench::start_tablet(work, net_);
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

// 1000 order files of about 2 KB in a fresh tablet folder and a network
// folder that holds only the catalogue, both on a disk (ext4 here: /tmp lies
// on the disk of the sources) or in memory (tmpfs: /dev/shm).
struct file_de_mille {
    fs::path local, reseau;
    file_de_mille(const std::string& tag, bool memoire) {
        if (memoire) {
            std::string modele = "/dev/shm/wvbench-" + tag + "-XXXXXX";
            local = ::mkdtemp(modele.data());
            a_retirer_ = local;
        } else {
            local = bench::temporary_folder(tag);
        }
        reseau = local / "reseau";
    }
    ~file_de_mille() {
        std::error_code ec;
        if (!a_retirer_.empty()) fs::remove_all(a_retirer_, ec);
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
        ::sync();
    }

  private:
    fs::path a_retirer_;
};

const char* lieu(const benchmark::State& state) {
    return state.range(0) ? "memory (tmpfs)" : "disk (ext4)";
}

// The restaurant's router, when the case has one (its second argument): it
// takes each ".txt" the moment inotify names it and removes it, competing
// with the hand-over for the folder, as on the server. Started before the
// timed part; once it ends, every order must have reached it once.
class routeur_du_cas {
  public:
    routeur_du_cas(benchmark::State& state, const fs::path& reseau) : state_(state) {
        if (state.range(1)) r_.emplace(reseau, wvtest::router::watch::inotify, /*removes=*/true);
    }
    void verifie() {
        if (!r_) return;
        r_->pause();
        std::set<std::string> noms;
        long recues = 0;
        for (const auto& f : r_->take_all()) {
            ++recues;
            noms.insert(f.name);
        }
        if (recues != 1000 || noms.size() != 1000)
            state_.SkipWithError("the router did not get each order once");
        r_.reset();
    }

  private:
    benchmark::State& state_;
    std::optional<wvtest::router> r_;
};

std::string libelle(const benchmark::State& state) {
    return std::string(lieu(state)) + (state.range(1) ? ", router taking each order" : ", no router");
}

// Folder (disk, memory) by router (none, one taking each order at once).
void folders_and_router(benchmark::internal::Benchmark* b) {
    for (int memoire : {0, 1})
        for (int routeur : {0, 1}) b->Args({memoire, routeur});
}

void queue_hand_over_of_1000_orders(benchmark::State& state) {
    file_de_mille f("queue", state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        f.remplit();
        routeur_du_cas routeur(state, f.reseau);
        state.ResumeTiming();
        const auto b = file_attente::transmet(f.local, f.reseau.string());
        state.PauseTiming();
        if (b.transmis != 1000) state.SkipWithError("not every order was handed over");
        routeur.verifie();
        state.ResumeTiming();
    }
    state.SetLabel(libelle(state));
}
BENCHMARK(queue_hand_over_of_1000_orders)
    ->Apply(folders_and_router)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

bool ecrit_tout(int dossier, const std::string& nom, const std::string& octets, int drapeaux) {
    const int fd = ::openat(dossier, nom.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | drapeaux, 0644);
    if (fd < 0) return false;
    const bool ok =
        ::write(fd, octets.data(), octets.size()) == static_cast<ssize_t>(octets.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// The least a copy must do to keep the hand-over's guarantees, written by
// hand with both folders held open: the bytes under a temporary name and
// flushed, with the network folder (the note relies on that name); the note
// written and flushed, with the tablet folder (a start must find it once
// the rename may be made); the rename that never replaces and the network
// folder flushed (the copy's name on the server's disk before the order
// leaves the tablet); the local file removed and the tablet folder flushed
// (the order counts only once it cannot come back); the note removed.
void minimal_safe_copy_with_note_of_1000_orders(benchmark::State& state) {
    file_de_mille f("minimal", state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        f.remplit();
        routeur_du_cas routeur(state, f.reseau);
        state.ResumeTiming();
        const int tablette = ::open(f.local.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int reseau = ::open(f.reseau.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int faits = 0;
        for (const std::string& nom : file_attente::en_attente(f.local)) {
            std::string octets;
            {
                std::ifstream in(f.local / nom, std::ios::binary);
                octets.assign(std::istreambuf_iterator<char>(in), {});
            }
            const std::string txt = file_attente::nom_transmis(nom);
            const std::string tmp = "." + txt + ".part", note = "." + nom + ".note";
            const std::string texte_note = f.reseau.string() + "\r\n" + tmp + "\r\n" + txt + "\r\n2000:0\r\n";
            if (ecrit_tout(reseau, tmp, octets, O_EXCL) && ::fsync(reseau) == 0 &&
                ecrit_tout(tablette, note, texte_note, O_TRUNC) && ::fsync(tablette) == 0 &&
                ::renameat2(reseau, tmp.c_str(), reseau, txt.c_str(), RENAME_NOREPLACE) == 0 &&
                ::fsync(reseau) == 0 && ::unlinkat(tablette, nom.c_str(), 0) == 0 && ::fsync(tablette) == 0 &&
                ::unlinkat(tablette, note.c_str(), 0) == 0)
                ++faits;
        }
        ::close(tablette);
        ::close(reseau);
        state.PauseTiming();
        if (faits != 1000) state.SkipWithError("not every order was copied");
        routeur.verifie();
        state.ResumeTiming();
    }
    state.SetLabel(libelle(state));
}
BENCHMARK(minimal_safe_copy_with_note_of_1000_orders)
    ->Apply(folders_and_router)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void plain_copy_and_remove_of_1000_files(benchmark::State& state) {
    file_de_mille f("plain", state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        f.remplit();
        state.ResumeTiming();
        for (const std::string& nom : file_attente::en_attente(f.local)) {
            fs::copy_file(f.local / nom, f.reseau / file_attente::nom_transmis(nom));
            fs::remove(f.local / nom);
        }
    }
    state.SetLabel(lieu(state));
}
BENCHMARK(plain_copy_and_remove_of_1000_files)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
