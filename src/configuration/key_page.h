// One page of the key-programming file as the key-programming editor shows
// it: 95 rows of cells, one per key, and the page's two header texts. The
// cells of a row are those of the editor's grid, column by column.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_file.h"
#include "shared/record_files.h"

namespace page_touches {

constexpr int nb_touches = 95;
constexpr long enreg_entete = 98;
// Page numbers the editor accepts: three digits keep the file within 100,000
// records (25.6 MB) whatever is typed.
constexpr int page_max = 999;

// Columns of the editor's grid.
namespace col {
constexpr int numero = 0, reference = 1, libelle = 2, lh = 3, taille = 4, image = 5, visu = 6, acte = 7,
              couleur = 8, valeur_couleur = 14;
constexpr int derniere = 14;
}  // namespace col

using ligne = std::array<std::string, col::derniere + 1>;

struct page {
    std::string haut, bas;
    // Rows 1 to 95; row 0 is not used.
    std::array<ligne, nb_touches + 1> lignes;
};

// Record number of key i (1 to 95) of a page, and of the page's header.
long enreg_touche_de(int num_page, int i);
long enreg_entete_de(int num_page);

// The cells of key i from its record, as stored.
ligne ligne_de(int i, const programmation::touche& t);
// The record of a row: its fields laid over the key's own record, so that the
// bytes no field covers stay as they were.
std::string enreg_de(const ligne& l, const std::string& ancien);

// The colour of a "Coul" field as a number (0 for a blank or odd field).
std::int64_t valeur_couleur(const std::string& champ);

// Reads a page through the file's record buffer enreg_touche.
page lit_page(const platform::record_file& f, int num_page);
// Writes the header and the 95 keys back; false when a write failed.
bool ecrit_page(platform::record_file& f, int num_page, const page& p);

// The block clipboard: cells 1 to the last column, each followed by "§".
std::string copie(const ligne& l);
// The clipboard's pieces replace the cells from column 1 onward.
void colle(ligne& l, const std::string& presse_papiers);
void efface(ligne& l);
// After the reference of a key is edited: the key is shown, and a key of no
// span becomes one cell.
void apres_reference(ligne& l);

// The page typed on the page-change box: a number from 0 to page_max (text
// that is no number is page 0), or -1 when it lies outside.
int page_demandee(const std::string& reponse);
// The settings record typed on the "Switch" box: 1 to 32767, else 0.
long numero_switch(const std::string& reponse);

}  // namespace page_touches
