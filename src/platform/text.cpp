#include "platform/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace txt {

std::string mid(std::string_view s, long start, long len) {
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size() || len == 0) return {};
    if (len < 0) return std::string(s.substr(from));
    return std::string(s.substr(from, static_cast<std::size_t>(len)));
}

std::string left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string right(std::string_view s, long n) {
    if (n <= 0) return {};
    if (static_cast<std::size_t>(n) >= s.size()) return std::string(s);
    return std::string(s.substr(s.size() - static_cast<std::size_t>(n)));
}

long instr(std::string_view s, std::string_view sub, long start) {
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from > s.size()) return 0;
    const auto p = s.find(sub, from);
    return p == std::string_view::npos ? 0 : static_cast<long>(p) + 1;
}

std::string ltrim(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

std::string rtrim(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string trim(std::string_view s) {
    return ltrim(rtrim(s));
}

std::string pad(std::string_view s, std::size_t n) {
    std::string r(s.substr(0, n));
    r.resize(n, ' ');
    return r;
}

double val(std::string_view s) {
    // Collect the characters that form the number, skipping blanks, then let
    // strtod read them: it stops where a number cannot go on.
    std::string digits;
    bool seen_digit = false, seen_point = false, seen_exp = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        if (c >= '0' && c <= '9') {
            digits += c;
            seen_digit = true;
        } else if ((c == '+' || c == '-') && (digits.empty() || digits.back() == 'e')) {
            digits += c;
        } else if (c == '.' && !seen_point && !seen_exp) {
            digits += c;
            seen_point = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && seen_digit && !seen_exp) {
            digits += 'e';
            seen_exp = true;
        } else {
            break;
        }
    }
    if (!seen_digit) return 0.0;
    // A dangling exponent marker or sign is not part of the number.
    while (!digits.empty() && (digits.back() == 'e' || digits.back() == '+' || digits.back() == '-'))
        digits.pop_back();
    return std::strtod(digits.c_str(), nullptr);
}

long round_even(double v) {
    return static_cast<long>(std::nearbyint(v));
}

std::string format(double v, std::string_view pattern) {
    const auto point = pattern.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    const int int_digits = static_cast<int>(point == std::string_view::npos ? pattern.size() : point);
    const double scale = std::pow(10.0, decimals);
    // Round halves away from zero on the decimal value, with a small guard for
    // binary fractions such as 2.675.
    double scaled = std::fabs(v) * scale;
    scaled = std::floor(scaled + 0.5 + 1e-9 * std::max(1.0, scaled));
    const bool negative = v < 0 && scaled > 0;
    const auto whole = static_cast<unsigned long long>(scaled / scale);
    const auto frac = static_cast<unsigned long long>(scaled - static_cast<double>(whole) * scale + 0.5);
    char buf[64];
    if (decimals > 0)
        std::snprintf(buf, sizeof buf, "%s%0*llu.%0*llu", negative ? "-" : "", int_digits, whole, decimals,
                      frac);
    else
        std::snprintf(buf, sizeof buf, "%s%0*llu", negative ? "-" : "", int_digits, whole);
    return buf;
}

std::string str(long long v) {
    return std::to_string(v);
}

namespace {
// Code page 1252 letters: a-z, and the accented range 0xE0-0xFE (but 0xF7)
// whose capitals stand 0x20 lower; plus the few letters of 0x80-0x9F.
unsigned char upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
    if (c == 0xFF) return 0x9F;
    return c;
}
unsigned char lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10;
    if (c == 0x9F) return 0xFF;
    return c;
}
}  // namespace

std::string ucase(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = static_cast<char>(upper(static_cast<unsigned char>(c)));
    return r;
}

std::string lcase(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return r;
}

bool same_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(static_cast<unsigned char>(a[i])) != upper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool ends_with_nocase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && same_nocase(s.substr(s.size() - suffix.size()), suffix);
}

bool starts_with(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace txt
