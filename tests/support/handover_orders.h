// The orders of the hand-over kill test, shared by the test and the child
// process it kills: order number n always gives the same file name and bytes,
// so that whatever a killed child left can be checked byte for byte.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "order/order_file.h"
#include "platform/text.h"

namespace handover_orders {

inline fichier_commande::commande commande(long n) {
    fichier_commande::commande c;
    c.id_tablette = txt::format(static_cast<double>(n), "0000000000");
    c.num_serveur = static_cast<int>(1 + n % 20);
    c.table_couverts = "#N" + txt::format(static_cast<double>(n % 999 + 1), "000") + "4 ";
    // From a few hundred bytes to about ten kilobytes, so that kills land
    // inside the writes as well as between them.
    const long lignes = 1 + (n * 37) % 100;
    for (long l = 0; l < lignes; ++l)
        c.lignes.push_back(
            "000142000200000|DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0| ##QUA:001.00##{Saignant}{" +
            txt::format(static_cast<double>(l), "000") + "}");
    return c;
}

// Order n is written at n seconds past the start of 2026: names sort in the
// order of writing and never meet.
inline platform::date_time moment(long n) {
    using namespace std::chrono;
    const auto t = sys_days{year{2026} / 1 / 1} + seconds{n};
    const auto jour = floor<days>(t);
    const year_month_day ymd{jour};
    const hh_mm_ss h{t - jour};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(h.hours().count()),
            static_cast<int>(h.minutes().count()),
            static_cast<int>(h.seconds().count()),
            0};
}

inline std::string nom(long n) {
    return fichier_commande::nom(moment(n), commande(n).num_serveur, commande(n).table_couverts);
}
inline std::string octets(long n) {
    return fichier_commande::contenu(commande(n));
}
// Order n's name and bytes, each made once: a test that checks every order
// again at every round would otherwise spend most of its rounds making them.
class attendus {
  public:
    const std::string& nom_de(long n) { return de(n).first; }
    const std::string& octets_de(long n) { return de(n).second; }

  private:
    const std::pair<std::string, std::string>& de(long n) {
        auto it = faits_.find(n);
        if (it == faits_.end()) it = faits_.emplace(n, std::make_pair(nom(n), octets(n))).first;
        return it->second;
    }
    std::map<long, std::pair<std::string, std::string>> faits_;
};

// The order number a file's bytes claim ("#ID#" and ten digits), if any.
inline std::optional<long> numero(const std::string& bytes) {
    if (bytes.size() < 14 || bytes.compare(0, 4, "#ID#") != 0) return std::nullopt;
    long n = 0;
    for (std::size_t i = 4; i < 14; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9') return std::nullopt;
        n = n * 10 + (bytes[i] - '0');
    }
    return n;
}

}  // namespace handover_orders
