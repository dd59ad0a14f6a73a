#include "shared/catalogue.h"

#include <filesystem>
#include <optional>

#include "platform/record_file.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/globals.h"

namespace Module1 {

namespace {

// A number in a catalogue line: blanks skipped, halves to even.
long nombre(const std::string& texte) {
    return txt::round_even(txt::val(texte));
}

}  // namespace

void analyse_catalogue(const std::vector<std::string>& lignes) {
    for (const std::string& ligne : lignes) {
        const std::string genre = txt::pad(txt::left(ligne, 6), 6);
        if (genre == "#SERV#" || genre == "#FAMI#") {
            const long n = nombre(txt::mid(ligne, 7, 2));
            if (n < 0 || n > 20) continue;
            (genre == "#SERV#" ? serveurs : familles)[static_cast<std::size_t>(n)] = txt::mid(ligne, 10);
        } else if (genre == "#ARTI#") {
            const long p = txt::instr(ligne, "|FA1:");
            const long f = p > 0 ? nombre(txt::mid(ligne, p + 5)) : nombre(txt::mid(ligne, 5));
            if (f < 0 || f > nb_max_familles_article) continue;
            const auto fi = static_cast<std::size_t>(f);
            if (nb_articles[fi] < 32767) ++nb_articles[fi];
            if (nb_articles[fi] <= nb_max_articles)
                articles[fi][static_cast<std::size_t>(nb_articles[fi])] = txt::mid(ligne, 12);
        } else if (genre == "#TABL#") {
            liste_tables += txt::format(static_cast<double>(nombre(txt::mid(ligne, 7, 3))), "000") + "|";
        } else if (genre == "#CCOF#") {
            texte_ccof = txt::mid(ligne, 7) + std::string(20, ' ');
        } else if (genre == "#CCOU#") {
            texte_ccou = txt::mid(ligne, 7) + std::string(20, ' ');
        }
    }
}

void charge_fichiers() {
    // What was copied is parsed as it was read; only a file not copied (an
    // unreachable folder, a failed copy) is read from its local copy.
    dossier_reseau::copies copie;
    if (atdend_res::teste_reseau()) copie = dossier_reseau::copie_catalogue();
    const auto lignes = [](const std::optional<std::string>& copiees, const char* nom) {
        return copiees ? std::optional(platform::split_lines(*copiees)) : platform::read_lines(nom);
    };

    nb_lignes_config = 0;
    if (auto l = lignes(copie.velmorin, "velmorin.wdo")) {
        for (const std::string& ligne : *l) {
            if (txt::trim(ligne).empty()) continue;
            ++nb_lignes_config;
            if (nb_lignes_config <= 15) lignes_config[static_cast<std::size_t>(nb_lignes_config)] = ligne;
            if (txt::starts_with(ligne, "#DIR#")) rep_dir = txt::mid(ligne, 6);
        }
    }

    nb_articles.fill(0);
    liste_tables = "xxx";
    texte_ccof = std::string(20, ' ');
    if (auto l = lignes(copie.wvelmorin, "wvelmorin.wdo")) analyse_catalogue(*l);

    // The detail styles are asked for again whatever the probe said (a folder
    // that can be read but not written still gives them), unless the copy
    // above brought them already.
    if (!copie.styles) dossier_reseau::copie_styles();
    fichiers_charges = true;
}

}  // namespace Module1

namespace atdend_res {

std::string date_sonde() {
    const platform::date_time d = platform::now();
    return txt::format(d.day, "00") + "-" + txt::format(d.month, "00") + "-" + txt::format(d.year, "0000");
}

bool sonde(const std::string& dossier, int num_enreg, const std::string& date) {
    if (dossier.empty()) return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(dossier, ec)) return false;
    // The exchange folder always holds the catalogue. Without it this is not
    // the exchange folder: most often the empty mount point of a share not
    // mounted (yet), where orders would land on the tablet's own disk.
    if (!platform::file_exists(platform::join_folder(dossier, "velmorin.wdo"))) return false;
    // The record is written the way the folder allows: every kind of share
    // (GVfs, other FUSE clients, CIFS, NFS) and a local folder take one of the two.
    return platform::write_record_once(platform::join_folder(dossier, "Test.res"), 64, num_enreg, date);
}

}  // namespace atdend_res
