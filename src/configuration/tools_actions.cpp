#include "configuration/tools_actions.h"

#include "configuration/porpay.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "shared/settings_file.h"

namespace actions_outils {

std::string pose_cote(const std::string& enreg2, long position, long valeur) {
    std::string e = txt::pad(enreg2, 20);
    if (!parametres::est_entier(e)) e = txt::pad("#I#0:00000:00000", 20);
    e.replace(static_cast<std::size_t>(position - 1), 5, txt::format(static_cast<double>(valeur), "00000"));
    return e;
}

std::optional<long> cote_saisi(const std::string& saisie) {
    // The same rule as the screen-format chooser's: a side of 0, or one cut
    // to five digits, would leave the next start with a window no one can use.
    return format_ecran::cote_saisi(saisie);
}

std::string cote_actuel(const std::string& enreg2, long position) {
    return txt::mid(txt::pad(enreg2, 20), position, 5);
}

std::string nom_identification(const platform::date_time& t) {
    return "00_00_0_" + txt::format(t.day, "00") + "-" + txt::format(t.month, "00") + "-" +
           txt::format(t.year, "0000") + "-" + txt::format(t.hour, "00") + "-" + txt::format(t.minute, "00") +
           "-" + txt::format(t.second, "00") + ".txt";
}

std::string contenu_identification(const std::string& enreg1087) {
    return platform::join_lines({"#ID#" + txt::left(txt::pad(enreg1087, 20), 10)});
}

bool ecrit_identification(const std::string& dossier_reseau, const platform::date_time& t,
                          const std::string& enreg1087) {
    // Without a network folder the name alone would land at the root.
    if (txt::trim(dossier_reseau).empty()) return false;
    return platform::write_file_atomic(platform::join_folder(dossier_reseau, nom_identification(t)),
                                       contenu_identification(enreg1087));
}

std::string adresse_mise_a_jour() {
    return "http://maj.velmorin.fr/Velmorin/majqzon.exe";
}

double taille_plus_petite(double taille) {
    return taille > taille_min ? taille - pas_taille : taille;
}

double taille_plus_grande(double taille) {
    return taille < taille_max ? taille + pas_taille : taille;
}

double taille_liste(long valeur_enreg3) {
    return valeur_enreg3 > 0 ? static_cast<double>(valeur_enreg3) : taille_min;
}

std::string vidage_parametres() {
    std::vector<std::string> lignes;
    lignes.reserve(1000);
    for (long n = 1; n <= 1000; ++n)
        lignes.push_back(txt::format(static_cast<double>(n), "0000") + " : " + parametres::lit(n));
    return platform::join_lines(lignes);
}

}  // namespace actions_outils
