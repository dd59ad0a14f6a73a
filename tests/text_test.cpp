#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"

TEST(text, substrings_and_search_are_forgiving) {
    EXPECT_EQ(txt::mid("#SERV#05 Bar", 7, 2), "05");
    EXPECT_EQ(txt::mid("#SERV#05 Bar", 10), "Bar");
    EXPECT_EQ(txt::mid("abc", 10, 2), "");
    EXPECT_EQ(txt::mid("abc", 0, 2), "ab");
    EXPECT_EQ(txt::left("abc", 5), "abc");
    EXPECT_EQ(txt::right("abc", 2), "bc");
    EXPECT_EQ(txt::instr("a|FA1:3|FA1:4", "|FA1:"), 2);
    EXPECT_EQ(txt::instr("a|FA1:3|FA1:4", "|FA1:", 3), 8);
    EXPECT_EQ(txt::instr("abc", "x"), 0);
    EXPECT_EQ(txt::trim("  a b  "), "a b");
    EXPECT_EQ(txt::pad("abc", 5), "abc  ");
    EXPECT_EQ(txt::pad("abcdef", 3), "abc");
}

TEST(text, numeric_value_of_a_leading_number) {
    struct {
        const char* text;
        double value;
    } cases[] = {{"05", 5},  {"5 ", 5},        {" 5", 5},   {"1 2", 12},    {"abc", 0},
                 {"", 0},    {"12.50|", 12.5}, {"-3x", -3}, {"1.10", 1.1},  {"1.-5", 1},
                 {"#I#", 0}, {"2500", 2500},   {"3e", 3},   {"1.2.3", 1.2}, {"-2147483633", -2147483633.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(txt::val(c.text), c.value) << c.text;
}

TEST(text, fixed_patterns_and_rounding) {
    EXPECT_EQ(txt::format(3, "000.00"), "003.00");
    EXPECT_EQ(txt::format(12.5, "0.00"), "12.50");
    EXPECT_EQ(txt::format(2.675, "0.00"), "2.68");
    EXPECT_EQ(txt::format(7, "000"), "007");
    EXPECT_EQ(txt::format(0, "0"), "0");
    EXPECT_EQ(txt::format(1024, "00000"), "01024");
    EXPECT_EQ(txt::format(2.5, "0"), "3");
    EXPECT_EQ(txt::format(-1.5, "0.00"), "-1.50");
    EXPECT_EQ(txt::round_even(2.5), 2);
    EXPECT_EQ(txt::round_even(3.5), 4);
    EXPECT_EQ(txt::round_even(-2.5), -2);
}

TEST(text, fixed_patterns_are_exact_for_every_figure) {
    struct {
        double value;
        const char* pattern;
        std::string text;
    } cases[] = {
        {5000000, "0.00", "5000000.00"},
        {9e9, "000", "9000000000"},
        {123456789.125, "0.00", "123456789.13"},
        {999999999.995, "0.00", "1000000000.00"},
        {9999999999999.99, "0.00", "9999999999999.99"},
        {9007199254740993.0, "0", "9007199254740992"},
        {1e20, "0", "100000000000000000000"},
        {1e99, "0.00", "1" + std::string(99, '0') + ".00"},
        {-123456789012.345, "0.00", "-123456789012.35"},
        {0.005, "0.00", "0.01"},
        {0.0049999, "0.00", "0.00"},
        {-0.001, "0.00", "0.00"},
        {1.005, "0.00", "1.01"},
        {0.1 + 0.2, "0.00", "0.30"},
        {1.15 * 3, "0.00", "3.45"},
        {9.995, "000.00", "010.00"},
        {999.5, "0", "1000"},
        {1e-300, "0.00", "0.00"},
        {std::numeric_limits<double>::infinity(), "0.00", "0.00"},
        {-std::numeric_limits<double>::infinity(), "000", "000"},
        {std::numeric_limits<double>::quiet_NaN(), "0", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(txt::format(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
    // Every whole number a long holds reads back from its "0" figure.
    for (long n : {0L, 1L, 99L, 2147483647L, 4294967296L, 999999999999999L, 1000000000000001L,
                   9007199254740992L, -9007199254740992L})
        EXPECT_EQ(txt::format(static_cast<double>(n), "0"), std::to_string(n));
}

TEST(text, rounding_holds_what_a_long_cannot_at_its_bound) {
    constexpr long most = std::numeric_limits<long>::max(), least = std::numeric_limits<long>::min();
    EXPECT_EQ(txt::round_even(1e19), most);
    EXPECT_EQ(txt::round_even(-1e19), least);
    EXPECT_EQ(txt::round_even(std::numeric_limits<double>::infinity()), most);
    EXPECT_EQ(txt::round_even(-std::numeric_limits<double>::infinity()), least);
    EXPECT_EQ(txt::round_even(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(txt::round_even(0x1p63), most);
    EXPECT_EQ(txt::round_even(-0x1p63), least);
    EXPECT_EQ(txt::round_even(0x1p62), 0x4000000000000000L);
    EXPECT_EQ(txt::round_even(txt::val("1e99")), most);
}

// Tablets keep what the fingerprint made (the notes of their copies, the
// tablet part of their temporary names, the identification): the same bytes
// give the same value from one version to the next, bytes above 127 and
// zero bytes included.
TEST(text, a_fingerprint_is_the_one_tablets_already_keep) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::uint64_t>> cas = {
        {"", 0x14650fb0739d0383ULL},
        {"a", 0x44bd8ad473cd9906ULL},
        {"a\0b"s, 0xe02908510caa06f0ULL},
        {"Entrec\xF4te \xA4", 0x5253e89c07afb295ULL},
        {"2026-12-09-12-30-00_01_012_004_.-A-", 0xf57094ed9b6ab0edULL},
    };
    for (const auto& [octets, attendu] : cas) EXPECT_EQ(txt::fingerprint(octets), attendu) << octets;
}

TEST(text, case_of_code_page_letters) {
    EXPECT_TRUE(txt::same_nocase("2026.-a-", "2026.-A-"));
    EXPECT_TRUE(txt::same_nocase(cp("purée"), cp("PURÉE")));
    EXPECT_TRUE(txt::ends_with_nocase("x.-a-", ".-A-"));
    EXPECT_FALSE(txt::same_nocase("ab", "abc"));
}

TEST(cp1252, every_byte_survives_the_screen) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252::from_qt(cp1252::to_qt(all)), all);
    EXPECT_EQ(cp("é€¤"), std::string("\xE9\x80\xA4"));
    EXPECT_EQ(cp1252::to_qt("\x80"), QString::fromUtf8("€"));
}

TEST(cp1252, only_the_characters_the_code_page_cannot_hold_become_question_marks) {
    // Typed on a physical keyboard or pasted: what the code page lacks is one
    // "?" each, and whatever follows keeps its own byte.
    struct {
        const char* utf8;
        std::string bytes;
    } cases[] = {
        {"xΩ€y", "x?\x80y"},
        {"é€œ", "\xE9\x80\x9C"},
        {"łŒ…", "?\x8C\x85"},
        {"Ω€Ωœł™", "?\x80?\x9C?\x99"},
        {"a😀€", "a?\x80"},  // one character beyond 16 bits: one "?"
        {"¤ÐðΩŸ", "\xA4\xD0\xF0?\x9F"},
    };
    for (const auto& c : cases) EXPECT_EQ(cp1252::from_qt(QString::fromUtf8(c.utf8)), c.bytes) << c.utf8;

    // Every character of 0x80 to 0x9F after one the code page cannot hold.
    std::string haute;
    for (int b = 0x80; b <= 0x9F; ++b) haute += static_cast<char>(b);
    EXPECT_EQ(
        cp1252::from_qt(QString::fromUtf8("ł") + cp1252::to_qt(haute) + QChar(0xD800) + cp1252::to_qt(haute)),
        "?" + haute + "?" + haute);
}

TEST(cp1252, a_letter_and_its_combining_marks_are_composed_before_conversion) {
    struct {
        const char* utf8;
        std::string bytes;
    } cases[] = {
        {"e\u0301", "\xE9"},        {"\u00E9", "\xE9"},  // already composed
        {"e\u0300", "\xE8"},        {"ac\u0327", "a\xE7"}, {"n\u0303", "\xF1"},
        {"A\u030A", "\xC5"},        {"Y\u0308", "\x9F"},  // composed beyond Latin-1, into 0x80 to 0x9F
        {"s\u030C", "\x9A"},        {"q\u0301", "q?"},    // no composed letter: the mark alone is "?"
        {"\u0301e", "?e"},                                // a mark with nothing before it
        {"e\u0301\u0301", "\xE9?"}, {"\u212B", "\xC5"},   // the angstrom sign is the letter by its canonical
                                                          // form
    };
    for (const auto& c : cases) EXPECT_EQ(cp1252::from_qt(QString::fromUtf8(c.utf8)), c.bytes) << c.utf8;
}

TEST(cp1252, composing_never_changes_text_that_came_from_bytes) {
    // Names read from disk or from the network listing come back to the same
    // bytes, whatever their neighbours: every pair of bytes, side by side.
    std::string pairs;
    for (int a = 1; a < 256; ++a)
        for (int b = 1; b < 256; ++b) {
            pairs += static_cast<char>(a);
            pairs += static_cast<char>(b);
        }
    EXPECT_EQ(cp1252::from_qt(cp1252::to_qt(pairs)), pairs);
    // A decomposed name written as UTF-8 bytes keeps them too.
    const std::string utf8_decomposed = "cafe\xCC\x81";
    EXPECT_EQ(cp1252::from_qt(cp1252::to_qt(utf8_decomposed)), utf8_decomposed);
}
