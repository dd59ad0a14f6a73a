#include "shared/settings_file.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "platform/cp1252.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/program_stop.h"

namespace parametres {

platform::record_file& fichier() {
    static platform::record_file f(20);
    return f;
}

const std::string& lit(long n) {
    enreg_param = fichier().read(n);
    return enreg_param;
}

void ecrit(long n, const std::string& texte) {
    enreg_param = txt::pad(texte, 20);
    fichier().write(n, enreg_param);
}

bool est_entier(const std::string& enreg) {
    return txt::left(enreg, 3) == "#I#";
}

long valeur_entiere(std::string_view texte, long absent) {
    const double v = txt::val(texte);
    if (!(v >= std::numeric_limits<std::int32_t>::min() - 0.5 &&
          v < std::numeric_limits<std::int32_t>::max() + 0.5))
        return absent;
    return txt::round_even(v);
}

long lit_entier(long n, const std::string& defaut, long caracteres) {
    lit(n);
    if (!est_entier(enreg_param)) ecrit(n, defaut);
    const std::string texte =
        caracteres > 0 ? txt::mid(enreg_param, 4, caracteres) : txt::mid(enreg_param, 4);
    return valeur_entiere(texte, valeur_entiere(txt::mid(defaut, 4), 0));
}

std::int32_t valeur_couleur(const std::string& enreg) {
    if (!est_entier(enreg)) return -1;
    const double v = txt::val(txt::mid(enreg, 4));
    // A record typed in the key-programming editor may hold any number: one
    // that is no 32-bit colour leaves the class unset rather than overflowing.
    if (!(std::abs(v) < 1e10)) return -1;
    const long r = txt::round_even(v);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::uint32_t>::max())
        return -1;
    // A system colour written unsigned (2147483663) is the same 32-bit colour.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(r));
}

bool est_oui(long n) {
    return txt::trim(lit(n)) == "OUI";
}
bool est_non(long n) {
    return txt::trim(lit(n)) == "NON";
}

bool format_enregistre(const std::string& enreg) {
    return est_entier(enreg) && txt::val(txt::mid(enreg, 6, 5)) >= 1 && txt::val(txt::mid(enreg, 12, 5)) >= 1;
}

}  // namespace parametres

namespace {

void montre_choix_format() {
    platform::show_modal("porpay");
}

// The program cannot run without its settings: say so and stop in order.
[[noreturn]] void arret_sans_parametres() {
    Module1::arret_avec_message(
        cp("Impossible d'ouvrir ou de créer le fichier des paramètres \"wfenzo42.wdo\" dans le "
           "dossier courant : le logiciel va s'arrêter."));
}

void cree_parametres() {
    auto& f = parametres::fichier();
    std::string contenu(2000 * 20, ' ');
    std::mt19937 gen(static_cast<std::mt19937::result_type>(
                         platform::now().hour * 3600000 + platform::now().minute * 60000 +
                         platform::now().second * 1000 + platform::now().millisecond) ^
                     std::random_device{}());
    std::uniform_int_distribution<int> quatre(0, 9999);
    for (long n = 1000; n <= 1200; ++n) {
        std::string chiffres;
        for (int g = 0; g < 5; ++g) chiffres += txt::format(quatre(gen), "0000");
        contenu.replace(static_cast<std::size_t>((n - 1) * 20), 20, chiffres);
    }
    f.write_block(1, contenu);
    parametres::lit(1087);
    id_tablette = Module1::code_tablette();
    enreg_param.replace(0, 10, txt::pad(id_tablette, 10));
    f.write(1087, enreg_param);
}

// A 16-bit global keeps its value when the number does not fit.
void prend_16_bits(std::int16_t& global, double v) {
    if (v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max())
        global = static_cast<std::int16_t>(txt::round_even(v));
}

}  // namespace

namespace w_velmo_2 {

void ouvre_parametres() {
    auto& f = parametres::fichier();
    if (!f.open(parametres::nom_fichier)) arret_sans_parametres();
    if (f.length() < 400) cree_parametres();
    if (f.length() < 400) arret_sans_parametres();
    if (!parametres::format_enregistre(parametres::lit(2))) montre_choix_format();
}

}  // namespace w_velmo_2

namespace Module1 {

std::string code_tablette() {
    // The machine's identity reduced to ten digits.
    std::string digits = std::to_string(txt::fingerprint(platform::machine_identity()) % 10000000000ull);
    return std::string(10 - digits.size(), '0') + digits;
}

void lit_parametres() {
    if (!parametres::format_enregistre(parametres::lit(2))) montre_choix_format();
    if (!parametres::format_enregistre(parametres::lit(2))) {
        prend_16_bits(largeur_ecran, platform::screen_width_twips() / 15);
        prend_16_bits(hauteur_ecran, platform::screen_height_twips() / 15);
    } else {
        prend_16_bits(largeur_ecran, txt::val(txt::mid(enreg_param, 6, 5)));
        prend_16_bits(hauteur_ecran, txt::val(txt::mid(enreg_param, 12, 5)));
    }
    if (largeur_ecran > 2000) largeur_ecran = 800;
    if (hauteur_ecran > 2000) hauteur_ecran = 800;
    // A side too large for 16 bits keeps the former value, which is 0 at a
    // first start: a window of no size cannot be used, the display's can.
    if (largeur_ecran <= 0) prend_16_bits(largeur_ecran, platform::screen_width_twips() / 15);
    if (hauteur_ecran <= 0) prend_16_bits(hauteur_ecran, platform::screen_height_twips() / 15);

    parametres::lit_entier(25, "#I#006");
    prend_16_bits(nb_colonnes_touches, txt::val(txt::mid(enreg_param, 4, 3)));
    parametres::lit_entier(26, "#I#008");
    prend_16_bits(nb_rangees_touches, txt::val(txt::mid(enreg_param, 4, 3)));
    // A grid of no columns or rows cannot be laid out: keep the defaults.
    if (nb_colonnes_touches <= 0) nb_colonnes_touches = 6;
    if (nb_rangees_touches <= 0) nb_rangees_touches = 8;
    haut_touche = static_cast<float>((hauteur_ecran * 15 - 1000) / static_cast<double>(nb_rangees_touches));
    larg_touche = static_cast<float>(largeur_ecran * 15 / static_cast<double>(nb_colonnes_touches));

    for (int i = 1; i <= 9; ++i) {
        coul_texte[static_cast<std::size_t>(i)] = parametres::valeur_couleur(parametres::lit(1700 + i));
        coul_fond[static_cast<std::size_t>(i)] = parametres::valeur_couleur(parametres::lit(1710 + i));
    }
}

}  // namespace Module1
