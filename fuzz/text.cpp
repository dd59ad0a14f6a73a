// The text helpers every reader goes through: the number of a text, its
// rounding and its fixed patterns, cutting and searching, case.
#include "platform/text.h"

#include <cmath>
#include <cstdio>

#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string s = fuzz::text(data, size);
    const double v = txt::val(s);
    txt::round_even(v);
    for (const char* pattern : {"0", "00", "000", "00000", "0.00", "000.00"}) txt::format(v, pattern);
    // Whole numbers come out exactly.
    if (v == std::floor(v) && std::fabs(v) < 1e12) {
        const auto n = static_cast<long long>(v);
        fuzz::check(txt::format(v, "0") == txt::str(n), "whole number with pattern 0");
        fuzz::check(
            txt::format(v, "0.00") == txt::str(n) + ".00" || (n == 0 && txt::format(v, "0.00") == "0.00"),
            "whole number with pattern 0.00");
        fuzz::check(txt::round_even(v) == n, "whole number rounds to itself");
    }

    // Positions and lengths from the first bytes, as a screen computes them.
    const long a = size > 0 ? static_cast<signed char>(data[0]) : 0;
    const long b = size > 1 ? static_cast<signed char>(data[1]) : 0;
    const std::string m = txt::mid(s, a, b);
    fuzz::check(m.size() <= s.size(), "mid within the text");
    txt::left(s, a);
    txt::right(s, b);
    const long p = txt::instr(s, txt::mid(s, a, 3), b);
    fuzz::check(p >= 0 && p <= static_cast<long>(s.size()) + 1, "instr within the text");
    txt::trim(s);
    txt::pad(s, static_cast<std::size_t>(a < 0 ? -a : a));

    const std::string u = txt::ucase(s), l = txt::lcase(s);
    fuzz::check(txt::same_nocase(s, u) && txt::same_nocase(s, l), "same text whatever its case");
    txt::ends_with_nocase(s, txt::right(u, b));
    return 0;
}
