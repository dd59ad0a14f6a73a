// The table and covers of the current order as one 7-character string:
// "#N", the table on 3 digits, the covers on 2 characters (left-aligned,
// blank-padded). The summary, the order file and the provisional order read
// it back; the table dialog is its only writer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tables {

// The most digits a table number can have: a longer one would be cut to its
// last three digits and land on another table.
constexpr std::size_t chiffres_max_table = 3;

// The number of a table typed as text, its fraction dropped; a number too
// large to be any table's counts as none (0).
long numero(std::string_view table);
// The string for a table typed as text (digits, "" for none) and a covers text.
std::string compose(std::string_view table, std::string_view couverts);

// Characters 3 to 5 and 6 to 7, as stored.
std::string champ_table(std::string_view tc);
std::string champ_couverts(std::string_view tc);
// The numbers they hold (0 when none).
long numero_table(std::string_view tc);
long nb_couverts(std::string_view tc);

// Whether the table plan ("xxx" then "ddd|" per table) lists table n.
// Table 999 is always known.
bool table_connue(std::string_view plan, long n);
// The entries of the plan, in plan order.
std::vector<std::string> entrees_plan(std::string_view plan);

// The table text after a keypad digit: a digit beyond the third is ignored.
std::string ajoute_chiffre(std::string_view table, std::string_view chiffre);
// Whether a covers entry typed on the keypad can be taken: one or two digits.
bool couverts_acceptables(std::string_view saisie);

}  // namespace tables
