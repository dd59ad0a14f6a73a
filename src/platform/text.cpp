#include "platform/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

double decimal_val(std::string_view s) {
    std::size_t n = 0;
    const auto chiffres = [&] {
        while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
    };
    chiffres();
    if (n < s.size() && s[n] == '.') {
        ++n;
        chiffres();
    }
    const std::string figure(s.substr(0, n));
    // Nothing but digits and one point: strtod reads them whole (beyond a
    // double it gives infinity, below its smallest figure 0).
    return figure.find_first_of("0123456789") == std::string::npos ? 0.0
                                                                   : std::strtod(figure.c_str(), nullptr);
}

long round_even(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    // The lowest long is minus a power of two, exact as a double: its
    // opposite is the first whole number a long cannot hold.
    constexpr double hors = -static_cast<double>(std::numeric_limits<long>::min());
    if (r >= hors) return std::numeric_limits<long>::max();
    if (r < -hors) return std::numeric_limits<long>::min();
    return static_cast<long>(r);
}

namespace {

// A positive number as decimal digits d1 d2 d3 ... and the position of the
// decimal point: the value is 0.d1d2d3... times 10^point.
struct decimal {
    std::string digits;
    int point = 0;
};

decimal decimal_of(double a) {
    char buf[64];
    // Below 10^15, fifteen significant digits: the figure that was meant, so
    // that a price of 2.675 (2.67499999... in binary) rounds as written. From
    // there on, the shortest figure that reads back as the same number, so
    // that large whole numbers keep every digit and 1e99 stays a 1 and zeros.
    const auto end = a < 1e15 ? std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14).ptr
                              : std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific).ptr;
    const std::string_view s(buf, static_cast<std::size_t>(end - buf));
    const auto e = s.find('e');
    decimal d;
    for (char c : s.substr(0, e))
        if (c >= '0' && c <= '9') d.digits += c;
    int exponent = 0;
    const std::string_view x = s.substr(e + 1);
    std::from_chars(x.data() + (x.front() == '+' ? 1 : 0), x.data() + x.size(), exponent);
    d.point = exponent + 1;
    return d;
}

}  // namespace

std::string format(double v, std::string_view pattern) {
    const auto point = pattern.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    const auto int_digits = point == std::string_view::npos ? pattern.size() : point;
    // A figure that no number holds (infinite, not a number) counts as none.
    if (!std::isfinite(v)) v = 0;

    // Round halves away from zero on the decimal figure, digit by digit.
    decimal d = decimal_of(std::fabs(v));
    if (d.point < 1) {
        d.digits.insert(0, static_cast<std::size_t>(1 - d.point), '0');
        d.point = 1;
    }
    const auto keep = static_cast<std::size_t>(d.point + decimals);
    if (d.digits.size() <= keep) d.digits.resize(keep + 1, '0');
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        std::size_t i = keep;
        while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
        if (i > 0) {
            ++d.digits[i - 1];
        } else {
            d.digits.insert(0, 1, '1');
            ++d.point;
        }
    }

    std::string whole = d.digits.substr(0, static_cast<std::size_t>(d.point));
    const std::string frac = d.digits.substr(static_cast<std::size_t>(d.point));
    const auto first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "" : whole.substr(first);
    if (whole.size() < int_digits) whole.insert(0, int_digits - whole.size(), '0');
    if (whole.empty()) whole = "0";
    const bool negative = v < 0 && d.digits.find_first_not_of('0') != std::string::npos;
    return (negative ? "-" : "") + whole + (decimals > 0 ? "." + frac : "");
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

std::uint64_t fingerprint(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ULL;
    for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
    return h;
}

}  // namespace txt
