#include "order/table_couverts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/text.h"

namespace tables {

namespace {
bool que_des_chiffres(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

long numero(std::string_view table) {
    const double v = txt::val(table);
    // Beyond a long there are no last three digits to keep.
    constexpr double hors = -static_cast<double>(std::numeric_limits<long>::min());
    return std::fabs(v) < hors ? static_cast<long>(v) : 0;
}

std::string compose(std::string_view table, std::string_view couverts) {
    std::string tc = "#N     ";
    const long n = numero(table);
    tc.replace(2, 3, txt::right(txt::format(n, "000"), 3));
    tc.replace(5, 2, txt::pad(txt::left(couverts, 2), 2));
    return tc;
}

std::string champ_table(std::string_view tc) {
    return txt::mid(tc, 3, 3);
}
std::string champ_couverts(std::string_view tc) {
    return txt::mid(tc, 6, 2);
}
long numero_table(std::string_view tc) {
    return numero(champ_table(tc));
}
long nb_couverts(std::string_view tc) {
    return numero(champ_couverts(tc));
}

bool table_connue(std::string_view plan, long n) {
    if (n == 999) return true;
    return txt::instr(plan, txt::format(n, "000") + "|") > 0;
}

std::vector<std::string> entrees_plan(std::string_view plan) {
    std::vector<std::string> entrees;
    std::string_view reste = plan.size() > 3 ? plan.substr(3) : std::string_view{};
    for (std::size_t p = reste.find('|'); p != std::string_view::npos; p = reste.find('|')) {
        entrees.emplace_back(reste.substr(0, p));
        reste.remove_prefix(p + 1);
    }
    return entrees;
}

std::string ajoute_chiffre(std::string_view table, std::string_view chiffre) {
    if (table.size() + chiffre.size() > chiffres_max_table) return std::string(table);
    return std::string(table) + std::string(chiffre);
}

bool couverts_acceptables(std::string_view saisie) {
    return !saisie.empty() && saisie.size() <= 2 && que_des_chiffres(saisie);
}

}  // namespace tables
