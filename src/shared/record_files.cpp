#include "shared/record_files.h"

#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"

namespace programmation {

platform::record_file& fichier() {
    static platform::record_file f(256);
    return f;
}

std::string enreg_vide() {
    return std::string(254, ' ') + "\r\n";
}

touche decode(const std::string& e) {
    auto champ = [&](std::size_t from, std::size_t len) {
        return txt::mid(e, static_cast<long>(from) + 1, static_cast<long>(len));
    };
    return {champ(0, 15), champ(15, 40), champ(55, 2),  champ(59, 4),
            champ(63, 1), champ(64, 3),  champ(67, 10), champ(154, 100)};
}

std::string encode(const touche& t) {
    std::string e = enreg_vide();
    auto pose = [&](std::size_t from, std::size_t len, const std::string& v) {
        e.replace(from, len, txt::pad(v, len));
    };
    pose(0, 15, t.reference);
    pose(15, 40, t.libelle);
    pose(55, 2, t.lh);
    pose(59, 4, t.grap);
    pose(63, 1, t.visu);
    pose(64, 3, t.size);
    pose(67, 10, t.coul);
    pose(154, 100, t.acte);
    return e;
}

}  // namespace programmation

namespace styles {

platform::record_file& fichier() {
    static platform::record_file f(128);
    return f;
}

namespace {
std::int32_t lit_entier_le(const std::string& e, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(e[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}
void ecrit_entier_le(std::string& e, std::size_t at, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        e[at + static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}
}  // namespace

detail decode(const std::string& e) {
    std::string r = txt::pad(e, 128);
    return {r.substr(0, 15), r.substr(15, 40), lit_entier_le(r, 116), lit_entier_le(r, 120),
            lit_entier_le(r, 124)};
}

std::string encode(const detail& d) {
    std::string e(128, ' ');
    e.replace(0, 15, txt::pad(d.tag, 15));
    e.replace(15, 40, txt::pad(d.label, 40));
    ecrit_entier_le(e, 116, d.texte);
    ecrit_entier_le(e, 120, d.fond);
    ecrit_entier_le(e, 124, d.reserve);
    return e;
}

const std::string& liste_defaut() {
    static const std::string liste =
        cp("20|000419837|006685957|Viandes/"
           "21|016777215|000000000|Saignante/"
           "22|016777215|000263172|Bleu/"
           "23|016777215|000000000|A point/"
           "28|016567555|000000000|Sauces/"
           "29|016777215|000000000|Béarnaise/"
           "30|016777215|000000000|Mayonnaise/"
           "31|016777215|000000000|Sauce Poivre/"
           "40|000457475|006685957|Garnitures/"
           "41|016777215|000000000|Frites/"
           "42|016777215|000000000|Haricots Verts/"
           "43|016777215|000000000|Purée/"
           "44|016777215|000000000|Riz/"
           "45|016777215|000000000|Salade/"
           "80|002418174|000000000|Menus/"
           "81|016777215|000000000|Assiette Charcuterie/"
           "82|016777215|000000000|Oeuf Mimosa/"
           "83|016777215|000000000|Salade de Saison/"
           "84|016777215|000000000|Buffet/"
           "86|016777215|000000000|Steak Poivre/"
           "87|016777215|000000000|Lasagnes/"
           "88|016777215|000000000|Raie aux Capres/"
           "90|016777215|000000000|Fromage/"
           "91|016777215|000000000|Buffet Dessert/");
    return liste;
}

}  // namespace styles

namespace w_velmo_2 {

void ouvre_programmation() {
    auto& f = programmation::fichier();
    if (!f.open(programmation::nom_fichier)) return;
    if (f.length() <= 250) {
        const std::string vide = programmation::enreg_vide();
        std::string bloc;
        bloc.reserve(5000 * 256);
        for (int i = 0; i < 5000; ++i) bloc += vide;
        f.write_block(1, bloc);
    }
}

}  // namespace w_velmo_2

namespace Module1 {

void init_styles() {
    auto& f = styles::fichier();
    if (!f.open(styles::nom_fichier)) return;
    enreg_style = f.read(1);
    if (txt::starts_with(enreg_style, "#INIT#")) return;

    const platform::date_time d = platform::now();
    styles::detail vide;
    std::string bloc;
    bloc.reserve(501 * 128);
    styles::detail premier;
    premier.tag = "#INIT#" + txt::format(d.month, "00") + "-" + txt::format(d.day, "00") + "-" +
                  txt::format(d.year, "0000");
    bloc += styles::encode(premier);
    for (int n = 2; n <= 501; ++n) bloc += styles::encode(vide);
    // Items "NN|fond|texte|label", each ended by "/".
    const std::string& liste = styles::liste_defaut();
    std::size_t debut = 0;
    while (debut < liste.size()) {
        std::size_t fin = liste.find('/', debut);
        if (fin == std::string::npos) fin = liste.size();
        const std::string item = liste.substr(debut, fin - debut);
        debut = fin + 1;
        const long n = static_cast<long>(txt::val(txt::mid(item, 1, 2)));
        if (n < 1 || n > 501) continue;
        styles::detail x;
        x.fond = static_cast<std::int32_t>(txt::val(txt::mid(item, 4, 9)));
        x.texte = static_cast<std::int32_t>(txt::val(txt::mid(item, 14, 9)));
        x.label = txt::mid(item, 24);
        bloc.replace(static_cast<std::size_t>((n - 1) * 128), 128, styles::encode(x));
    }
    f.write_block(1, bloc);
    enreg_style = f.read(1);
}

}  // namespace Module1
