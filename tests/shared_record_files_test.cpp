// The key-programming and detail-style record files.
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/text.h"
#include "shared/globals.h"
#include "shared/record_files.h"
#include "support/fixtures.h"

namespace {

class record_files : public wvtest::folder_test {};

TEST_F(record_files, key_programming_file_is_created_blank_and_otherwise_left_alone) {
    w_velmo_2::ouvre_programmation();
    const std::string b = wvtest::read_bytes("progppb.wdo");
    ASSERT_EQ(b.size(), 1280000u);
    const std::string vide = std::string(254, ' ') + "\r\n";
    for (std::size_t n = 0; n < 5000; ++n) ASSERT_EQ(b.compare(n * 256, 256, vide), 0) << "record " << n + 1;
    platform::record_file::close_all();

    wvtest::write_bytes("progppb.wdo", std::string(200, 'z'));
    w_velmo_2::ouvre_programmation();
    EXPECT_EQ(wvtest::read_bytes("progppb.wdo").size(), 1280000u);
    platform::record_file::close_all();

    wvtest::write_bytes("progppb.wdo", std::string(251, 'z'));
    w_velmo_2::ouvre_programmation();
    EXPECT_EQ(wvtest::read_bytes("progppb.wdo"), std::string(251, 'z'));
}

TEST_F(record_files, key_record_fields_round_trip) {
    programmation::touche t{"REF", cp("Entrée"), "21", "012N", "1", "14", "255", "#FAMI#03"};
    const std::string e = programmation::encode(t);
    ASSERT_EQ(e.size(), 256u);
    EXPECT_EQ(e.substr(15, 6), cp("Entrée"));
    EXPECT_EQ(e.substr(154, 8), "#FAMI#03");
    EXPECT_EQ(e.substr(254), "\r\n");
    const auto back = programmation::decode(e);
    EXPECT_EQ(back.grap, "012N");
    EXPECT_EQ(back.coul, "255       ");
}

TEST_F(record_files, detail_file_is_built_with_the_default_list) {
    Module1::init_styles();
    const std::string b = wvtest::read_bytes("w_styl72.wdo");
    ASSERT_EQ(b.size(), 64128u);
    auto rec = [&](int n) { return b.substr(static_cast<std::size_t>(n - 1) * 128, 128); };
    // Clock of the tests: 9 December 2026; the tag field cuts the year's last digit.
    EXPECT_EQ(rec(1).substr(0, 15), "#INIT#12-09-202");
    const auto viandes = styles::decode(rec(20));
    EXPECT_EQ(viandes.label, txt::pad("Viandes", 40));
    EXPECT_EQ(viandes.fond, 419837);
    EXPECT_EQ(viandes.texte, 6685957);
    EXPECT_EQ(styles::decode(rec(29)).label, txt::pad(cp("Béarnaise"), 40));
    EXPECT_EQ(styles::decode(rec(22)).texte, 263172);
    const auto vide = styles::decode(rec(85));
    EXPECT_EQ(vide.label, std::string(40, ' '));
    EXPECT_EQ(vide.fond, 16777215);
    EXPECT_EQ(vide.texte, 0);
    // Little-endian integers at bytes 116, 120 and 124.
    EXPECT_EQ(rec(20).substr(116, 12), std::string("\x05\x05\x66\x00\xFD\x67\x06\x00\x00\x00\x00\x00", 12));
    EXPECT_EQ(rec(20).substr(55, 61), std::string(61, ' '));
    int labelled = 0;
    for (int n = 1; n <= 501; ++n)
        if (styles::decode(rec(n)).label != std::string(40, ' ')) ++labelled;
    EXPECT_EQ(labelled, 24);
}

TEST_F(record_files, a_tagged_detail_file_is_kept_unchanged) {
    std::string file = "#INIT#received " + std::string(113, 'q') + std::string(300, 'r');
    wvtest::write_bytes("w_styl72.wdo", file);
    Module1::init_styles();
    EXPECT_EQ(wvtest::read_bytes("w_styl72.wdo"), file);
    // A record past the end of a short file reads as blank.
    EXPECT_EQ(styles::fichier().read(40), std::string(128, ' '));
}

}  // namespace
