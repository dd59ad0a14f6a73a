#include "order/order_file.h"

#include <chrono>
#include <cmath>
#include <limits>

#include "order/order_line.h"
#include "order/table_couverts.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace fichier_commande {

namespace {

constexpr const char* crlf = "\r\n";
// How many following seconds are tried before the sending is refused.
constexpr int essais_max = 120;

void ligne(std::string& out, std::string_view texte) {
    out += texte;
    out += crlf;
}

// The file holds its figures in single precision: a number beyond it counts
// as absent, as if the line did not carry it.
float simple(double v, float absent) {
    return std::fabs(v) <= std::numeric_limits<float>::max() ? static_cast<float>(v) : absent;
}

// The figure that follows the n-th "\xF0" of a component's text (0 when
// absent): digits, "." and decimals only, as the quantity field is written.
double valeur_composant(std::string_view texte, int n) {
    std::size_t p = std::string_view::npos, depart = 0;
    for (int i = 0; i < n; ++i) {
        p = texte.find('\xF0', depart);
        if (p == std::string_view::npos) return 0;
        depart = p + 1;
    }
    return txt::decimal_val(texte.substr(depart));
}

// The components are read from the article text alone: the complements
// typed after it are the waiter's, never a component.
void ecrit_menu(std::string& out, std::string_view l, std::string_view article, float q) {
    ligne(out, "#REF#" + txt::left(l, 15) + "{" + txt::format(q, "0.00") +
                   "}   + \xA4\xA4"
                   "999999|\xD0\xD0MENU");
    ligne(out, "#COMP#");
    ligne(out, "#NOTE#");
    const auto debut = article.find("|\xA4\xA4");
    if (debut == std::string_view::npos) return;
    std::string_view reste = article.substr(debut + 3);
    // Each component ends with "\xD0"; what follows the last one (the closing "|") is none.
    for (auto fin = reste.find('\xD0'); fin != std::string_view::npos; fin = reste.find('\xD0')) {
        const std::string_view composant = reste.substr(0, fin);
        reste.remove_prefix(fin + 1);
        const std::string apres_reference = txt::mid(composant, 17);
        const float premiere = simple(valeur_composant(apres_reference, 1), 0);
        const float seconde = simple(valeur_composant(apres_reference, 2), 0);
        ligne(out, "#REF#" + txt::left(composant, 15) + "{" + txt::format(q * seconde, "0.00") +
                       ")  \xA4\xA4" + txt::format(premiere, "0.00") + "|\xD0\xD0MENU");
        ligne(out, "#COMP#");
        ligne(out, "#NOTE#");
    }
}

void ecrit_article(std::string& out, std::string_view l, float q) {
    ligne(out, "#REF#" + txt::left(l, 15) + "{" + txt::format(q, "0.00") + "}");
    std::string comp = "#COMP#";
    for (const auto& c : ligne_commande::complements(l, true)) comp += c + "|";
    ligne(out, comp);
    ligne(out, "#NOTE#");
}

}  // namespace

std::string nom(const platform::date_time& d, int num_serveur, const std::string& tc) {
    return txt::format(d.year, "0000") + "-" + txt::format(d.month, "00") + "-" + txt::format(d.day, "00") +
           "-" + txt::format(d.hour, "00") + "-" + txt::format(d.minute, "00") + "-" +
           txt::format(d.second, "00") + "_" + txt::format(num_serveur, "00") + "_" +
           txt::format(tables::numero_table(tc), "000") + "_" + txt::format(tables::nb_couverts(tc), "000") +
           "_.-A-";
}

std::string contenu(const commande& c) {
    std::string out;
    out.reserve(160 + c.lignes.size() * 96);
    ligne(out, "#ID#" + txt::left(c.id_tablette, 10));
    ligne(out, "#VERSION#2.1");
    ligne(out, "#SERVEUR#" + txt::format(c.num_serveur, "00"));
    ligne(out, "#TABLE#" + tables::champ_table(c.table_couverts));
    ligne(out, "#NBCOUVERT#" + tables::champ_couverts(c.table_couverts));
    for (const auto& l : c.lignes) {
        const float q = simple(ligne_commande::quantite(l), 1);
        // A complement reading "FA2:99" is no menu: only the catalogue text says so.
        const std::string_view article = ligne_commande::texte_article(l);
        if (article.find("FA2:99") != std::string_view::npos)
            ecrit_menu(out, l, article, q);
        else
            ecrit_article(out, l, q);
    }
    return out;
}

platform::date_time seconde_suivante(const platform::date_time& d) {
    using namespace std::chrono;
    const year_month_day jour{year{d.year}, month{static_cast<unsigned>(d.month)},
                              day{static_cast<unsigned>(d.day)}};
    auto t = sys_days{jour} + hours{d.hour} + minutes{d.minute} + seconds{d.second} + seconds{1};
    const auto debut_jour = floor<days>(t);
    const year_month_day suivant{debut_jour};
    const hh_mm_ss heure{t - debut_jour};
    platform::date_time r = d;
    r.year = static_cast<int>(suivant.year());
    r.month = static_cast<int>(static_cast<unsigned>(suivant.month()));
    r.day = static_cast<int>(static_cast<unsigned>(suivant.day()));
    r.hour = static_cast<int>(heure.hours().count());
    r.minute = static_cast<int>(heure.minutes().count());
    r.second = static_cast<int>(heure.seconds().count());
    return r;
}

std::optional<std::string> nom_seconde_suivante(const std::string& n) {
    // "yyyy-mm-dd-hh-nn-ss"
    if (n.size() < 19) return std::nullopt;
    for (std::size_t i = 0; i < 19; ++i) {
        const bool tiret = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
        if (tiret ? n[i] != '-' : (n[i] < '0' || n[i] > '9')) return std::nullopt;
    }
    auto champ = [&](std::size_t debut, std::size_t longueur) {
        return static_cast<int>(txt::val(n.substr(debut, longueur)));
    };
    platform::date_time d;
    d.year = champ(0, 4);
    d.month = champ(5, 2);
    d.day = champ(8, 2);
    d.hour = champ(11, 2);
    d.minute = champ(14, 2);
    d.second = champ(17, 2);
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour > 23 || d.minute > 59 ||
        d.second > 59)
        return std::nullopt;
    const platform::date_time s = seconde_suivante(d);
    return txt::format(s.year, "0000") + "-" + txt::format(s.month, "00") + "-" + txt::format(s.day, "00") +
           "-" + txt::format(s.hour, "00") + "-" + txt::format(s.minute, "00") + "-" +
           txt::format(s.second, "00") + n.substr(19);
}

std::string nom_transmis(const std::string& n) {
    return txt::left(n, static_cast<long>(n.size()) - 3) + "txt";
}

std::string nom_note(const std::string& n) {
    return "." + n + ".note";
}

std::optional<std::string> ecrit(const std::filesystem::path& dossier, const commande& c,
                                 const platform::date_time& quand, const pris_sur_reseau& sur_reseau) {
    const std::string octets = contenu(c);
    platform::date_time moment = quand;
    for (int essai = 0; essai < essais_max; ++essai, moment = seconde_suivante(moment)) {
        const std::string n = nom(moment, c.num_serveur, c.table_couverts);
        const auto chemin = dossier / n;
        if (platform::file_exists(chemin) || platform::file_exists(dossier / nom_note(n))) continue;
        if (sur_reseau && sur_reseau(nom_transmis(n))) continue;
        if (platform::write_file_atomic(chemin, octets, false)) return n;
        // The name was taken meanwhile: try the next second; any other failure ends here.
        if (!platform::file_exists(chemin)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace fichier_commande
