// Forgiving text helpers over single-byte (code page 1252) strings.
// Positions are 1-based, as the screens and formats count them; out-of-range
// arguments never throw, they give the nearest sensible answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace txt {

// Characters start..start+len-1 (1-based); len < 0 means to the end.
std::string mid(std::string_view s, long start, long len = -1);
std::string left(std::string_view s, long n);
std::string right(std::string_view s, long n);
// Position (1-based) of sub in s at or after start, 0 when absent.
long instr(std::string_view s, std::string_view sub, long start = 1);
std::string trim(std::string_view s);
std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);
// s padded with blanks or cut to exactly n characters.
std::string pad(std::string_view s, std::size_t n);

// The numeric value of the leading number of s: blanks are skipped wherever
// they stand, reading stops at the first character that cannot continue a
// number, and no digits at all gives 0.
double val(std::string_view s);
// The value of the figure that starts s: digits, then optionally "." and
// decimals; the reading stops at the first other character, so a blank, a
// sign or an exponent ends it ("1 5" is 1, "-5" is 0, "2e3" is 2). No digit
// at all gives 0; more digits than a double holds give infinity.
double decimal_val(std::string_view s);
// Whole number nearest to v, halves to even; a value beyond what a long holds
// is held at the nearest bound, and not-a-number gives 0.
long round_even(double v);
// v formatted with one of the fixed patterns "0", "00", "000", "00000",
// "0.00", "000.00"; always "." as decimal point, halves away from zero on the
// figure as written to fifteen significant digits (2.675 gives 2.68), every
// digit kept however large; an infinite or not-a-number value counts as 0.
std::string format(double v, std::string_view pattern);
// Decimal text of an integer.
std::string str(long long v);

std::string ucase(std::string_view s);
std::string lcase(std::string_view s);
bool same_nocase(std::string_view a, std::string_view b);
bool ends_with_nocase(std::string_view s, std::string_view suffix);
bool starts_with(std::string_view s, std::string_view prefix);

// A 64-bit fingerprint of the bytes: FNV-1a's steps from the offset basis
// 1469598103934665603, one digit short of the published one. What tablets
// keep of it (the notes of their copies, the tablet part of temporary names,
// the identification) is read again by later versions: it is never changed,
// not even to the published basis.
std::uint64_t fingerprint(std::string_view bytes);

}  // namespace txt
