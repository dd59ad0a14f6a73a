// What the tools screen's actions compute and write, without the screen: the
// screen resolution typed into record 2, the identification file for the
// router, the update address, the list's text-size steps and the dump of the
// settings records.
#pragma once

#include <optional>
#include <string>

#include "platform/services.h"

namespace actions_outils {

// Record 2 with one side replaced: characters 6 to 10 (width) or 12 to 16
// (height) take `valeur` on five digits; the other characters are kept. A
// record that holds no format yet becomes a whole one, so that its reader
// takes it.
constexpr long position_largeur = 6, position_hauteur = 12;
std::string pose_cote(const std::string& enreg2, long position, long valeur);
// The side typed on the keyboard: nothing when it is empty or not a size a
// screen can have on five digits, which ends the action.
std::optional<long> cote_saisi(const std::string& saisie);
// The start text of the keyboard: the side as record 2 holds it.
std::string cote_actuel(const std::string& enreg2, long position);

// "00_00_0_" + "dd-mm-yyyy-hh-nn-ss" + ".txt".
std::string nom_identification(const platform::date_time& t);
// One line: "#ID#" and the first 10 characters of record 1087, ended by CR LF.
std::string contenu_identification(const std::string& enreg1087);
// Writes the identification file into the network folder, whole or not at
// all. False when it could not be written (no folder known included).
bool ecrit_identification(const std::string& dossier_reseau, const platform::date_time& t,
                          const std::string& enreg1087);

// Where the browser fetches the program update.
std::string adresse_mise_a_jour();

// The list's text size one step smaller or larger, kept inside 20 to 60
// only while moving: a size outside the range stays as it is.
constexpr double taille_min = 20, taille_max = 60, pas_taille = 2;
double taille_plus_petite(double taille);
double taille_plus_grande(double taille);
// The size of the list read from record 3's value; a size no text can be
// drawn at gives the default 20.
double taille_liste(long valeur_enreg3);

// The developer dump: records 1 to 1000, one line each, "0000" + " : " + record.
constexpr const char* nom_vidage = "dupm42tab.txt";
std::string vidage_parametres();

}  // namespace actions_outils
