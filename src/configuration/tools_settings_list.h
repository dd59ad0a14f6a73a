// The settings list of the tools screen: its rows in order, what a row's code
// asks for, and how a setting's record is shown in the list and stored.
#pragma once

#include <string>
#include <vector>

namespace liste_reglages {

struct ligne {
    std::string libelle;  // code page 1252, without the leading blank the list adds
    std::string code;     // "" on a heading row
    std::string invite;   // the numeric keypad's prompt; "" on most rows
};

// The rows of the list, from row 0.
const std::vector<ligne>& lignes();
// Rows the list has, the rows after the last entry staying empty.
constexpr int nb_rangees = 51;

// What a code asks for, by its six-character tag.
enum class genre {
    aucun,           // a heading, an empty row or an unknown code
    nombre,          // "#SW42#": a number typed on the keypad
    taille,          // "#SX42#": a text size typed on the keypad
    interrupteur,    // "#ON42#": a Yes/No switch
    texte,           // "#CH42#": a text typed on the keyboard
    plan_tables,     // "#NTAB#": the table-plan question
    couleurs,        // "#COUL#"
    resolution,      // "#RESO#"
    reconnexion,     // "#RCOC#"
    identification,  // "#IDEN#"
    mise_a_jour,     // "#MAJJ#"
};
genre genre_du_code(const std::string& code);
// The settings record a code names after its tag (0 when it names none).
long enregistrement(const std::string& code);

// What the value column shows at load for a row's code: the record's value
// for a setting, "" for headings and actions. Reads through enreg_param.
std::string valeur_affichee(const std::string& code);
// The value column of a number or text record: after the marker, trimmed.
std::string valeur_nombre(const std::string& enreg);
// A switch record trimmed: "OUI", "NON", or whatever else it holds.
std::string valeur_interrupteur(const std::string& enreg);
// The record of a typed entry, stored as typed: "#I#" and the entry, cut to
// the record's 20 characters ("#I#" alone for an empty entry).
std::string enreg_saisi(const std::string& saisie);
// The prompt for a typed value: the row's own, else "valeur : " and the
// row's label column (which begins with a blank).
std::string invite(const std::string& invite_ligne, const std::string& colonne_libelle);

}  // namespace liste_reglages
