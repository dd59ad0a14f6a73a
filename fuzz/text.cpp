// The text helpers every reader goes through: the number of a text, its
// rounding and its fixed patterns, cutting and searching, case.
#include "platform/text.h"

#include <QString>
#include <cmath>
#include <cstdio>

#include "platform/cp1252.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string s = fuzz::text(data, size);
    const double v = txt::val(s);
    // Digits, a point and decimals: never a sign, never not-a-number.
    fuzz::check(txt::decimal_val(s) >= 0, "a figure of digits is not negative");
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

    // Every byte survives the screen; any text, read as UTF-16, comes back,
    // once composed, as the bytes of its characters one by one, whatever
    // stands before them.
    fuzz::check(cp1252::from_qt(cp1252::to_qt(s)) == s, "bytes survive the screen");
    QString saisi;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        saisi += QChar(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    const QString q = saisi.normalized(QString::NormalizationForm_C);
    std::string un_par_un;
    for (qsizetype i = 0; i < q.size(); ++i) {
        // A character beyond 16 bits is a pair of surrogates.
        const bool paire = q[i].isHighSurrogate() && i + 1 < q.size() && q[i + 1].isLowSurrogate();
        un_par_un += cp1252::from_qt(q.mid(i, paire ? 2 : 1));
        if (paire) ++i;
    }
    fuzz::check(cp1252::from_qt(saisi) == un_par_un, "each composed character converted on its own");
    return 0;
}
