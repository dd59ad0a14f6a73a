// The program-wide variables that outlive one event. Each has one owner for
// its writes; screens read and write them directly. Strings hold code page
// 1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Screen geometry and appearance.
inline std::int16_t largeur_ecran = 0;
inline std::int16_t hauteur_ecran = 0;
inline std::int16_t nb_colonnes_touches = 0;
inline std::int16_t nb_rangees_touches = 0;
inline float larg_touche = 0;
inline float haut_touche = 0;
inline std::int16_t decalage_images = 0;
// Classes 1 to 9 count as not set (-1) until the settings are read, so that a
// screen shown before that (the screen-format chooser's keypad at a first
// start) keeps its own colours instead of black on black; entry 10 holds 0.
inline std::array<std::int32_t, 11> coul_texte{0, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0};
inline std::array<std::int32_t, 11> coul_fond{0, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0};

// Folders and record buffers.
inline std::string rep_reseau;
inline std::string rep_test;
inline std::int32_t num_enreg_test = 0;
inline std::string enreg_param = std::string(20, ' ');
inline std::string enreg_touche = std::string(256, ' ');
inline std::string enreg_style = std::string(128, ' ');
inline std::string fin_ligne;
inline std::string sep_decimal;
inline std::string format_prix;
inline std::string version_prog;

// Catalogue, loaded once per run.
constexpr int nb_max_serveurs = 20;
constexpr int nb_max_familles_article = 120;
constexpr int nb_max_articles = 300;
inline std::array<std::string, 21> serveurs;
inline std::array<std::string, 21> familles;
inline std::array<std::array<std::string, 301>, 121> articles;
inline std::array<std::int16_t, 121> nb_articles{};
inline std::string liste_tables;
inline std::string texte_ccof;
inline std::string texte_ccou;
inline bool fichiers_charges = false;

// Current order and working state.
constexpr int nb_max_lignes = 1000;
inline std::int16_t num_serveur = 0;
inline std::string nom_serveur;
inline std::string table_couverts;
inline std::array<std::string, 1001> lignes_commande;
inline std::int16_t nb_lignes = 0;
inline bool commande_envoyee = false;
inline bool hors_ligne = false;
inline std::string id_tablette;
inline std::int16_t page_liste = 0;
inline std::int16_t num_famille = 0;
inline std::array<std::string, 101> codes_touches;
inline std::string code_force;
inline std::int16_t num_page = 0;
inline std::int32_t base_page = 0;

// Dialog protocol and exchange between screens.
inline std::int32_t type_message = 0;
inline std::string texte_message;
inline std::string ligne_travail;
inline std::int16_t page_detail = 0;
inline std::string liste_complements;
inline std::int32_t nb_col_tables = 0;
inline std::int32_t nb_lig_tables = 0;
inline std::int32_t haut_zone = 0;

// Back to the state of a new run (tests start each case from it).
void reset_globals();
