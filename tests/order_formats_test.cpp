// The plain formats of an order: the table and covers string, the order line
// and the composed-menu text, byte for byte.
#include <gtest/gtest.h>

#include "order/menu_text.h"
#include "order/order_line.h"
#include "order/table_couverts.h"

namespace {

// ------------------------------------------------------------ table_couverts

TEST(table_couverts, composes_table_on_three_digits_and_covers_on_two_characters) {
    struct {
        const char *table, *couverts, *attendu;
    } cas[] = {
        {"12", "4", "#N0124 "},  {"7", "11", "#N00711"},  {"999", "1", "#N9991 "},  {"", "", "#N000  "},
        {"012", "4", "#N0124 "}, {"5", "123", "#N00512"}, {"4567", "2", "#N5672 "},  // a longer number keeps
                                                                                     // its last three digits
    };
    for (const auto& c : cas) {
        const std::string tc = tables::compose(c.table, c.couverts);
        EXPECT_EQ(tc, c.attendu) << c.table << " / " << c.couverts;
        EXPECT_EQ(tc.size(), 7u);
    }
}

TEST(table_couverts, a_table_number_too_large_for_any_table_is_none) {
    // Past what an integer holds there are no "last three digits" to keep.
    for (const char* table : {"1e19", "99999999999999999999", "-1e19", "1e999"})
        EXPECT_EQ(tables::compose(table, "4"), "#N0004 ") << table;
    EXPECT_EQ(tables::numero("1e19"), 0);
    EXPECT_EQ(tables::numero("123456789012345"), 123456789012345);
    EXPECT_EQ(tables::compose("123456789012345", "4"), "#N3454 ");
}

TEST(table_couverts, readers_take_the_table_and_the_covers_back) {
    EXPECT_EQ(tables::champ_table("#N0124 "), "012");
    EXPECT_EQ(tables::champ_couverts("#N0124 "), "4 ");
    EXPECT_EQ(tables::numero_table("#N0124 "), 12);
    EXPECT_EQ(tables::nb_couverts("#N0124 "), 4);
    EXPECT_EQ(tables::nb_couverts("#N00711"), 11);
    EXPECT_EQ(tables::numero_table(""), 0);
    EXPECT_EQ(tables::nb_couverts(""), 0);
    EXPECT_EQ(tables::nb_couverts("#N000  "), 0);
}

TEST(table_couverts, the_plan_matches_whole_entries_only) {
    const std::string plan = "xxx010|020|101|";
    EXPECT_TRUE(tables::table_connue(plan, 10));
    EXPECT_TRUE(tables::table_connue(plan, 101));
    EXPECT_FALSE(tables::table_connue(plan, 15));
    EXPECT_FALSE(tables::table_connue(plan, 1));  // "001|" is no entry of the plan
    EXPECT_FALSE(tables::table_connue(plan, 0));
    EXPECT_TRUE(tables::table_connue("xxx", 999));  // 999 is always known
    EXPECT_FALSE(tables::table_connue("xxx", 1));
}

TEST(table_couverts, plan_entries_in_plan_order) {
    EXPECT_EQ(tables::entrees_plan("xxx001|002|015|"), (std::vector<std::string>{"001", "002", "015"}));
    EXPECT_TRUE(tables::entrees_plan("xxx").empty());
    EXPECT_TRUE(tables::entrees_plan("").empty());
    EXPECT_EQ(tables::entrees_plan("xxx001|02"), (std::vector<std::string>{"001"}));
}

TEST(table_couverts, keypad_takes_three_digits_and_covers_one_or_two) {
    std::string t;
    for (const char* d : {"4", "5", "6", "7"}) t = tables::ajoute_chiffre(t, d);
    EXPECT_EQ(t, "456");
    EXPECT_EQ(tables::ajoute_chiffre("", "0"), "0");

    for (const char* bon : {"1", "12", "0", "07"}) EXPECT_TRUE(tables::couverts_acceptables(bon)) << bon;
    for (const char* mauvais : {"", "123", "1.", "a", " 1", "-1"})
        EXPECT_FALSE(tables::couverts_acceptables(mauvais)) << mauvais;
}

// ------------------------------------------------------------ order line

const std::string entrecote = "2000200000013  |DES:Entrec\xF4te|PVE:18.50|FA1:3|FA2:0|";

TEST(order_line, new_article_becomes_its_trimmed_text_and_the_quantity_field) {
    const std::string recue = "  " + entrecote + "   ";
    EXPECT_EQ(ligne_commande::reconstruit(recue, 1, {}), entrecote + " ##QUA:001.00##");
    EXPECT_EQ(ligne_commande::quantite_initiale(recue), 1);
    EXPECT_EQ(ligne_commande::designation(recue), "Entrec\xF4te");
    EXPECT_DOUBLE_EQ(ligne_commande::prix_unitaire(recue), 18.5);
    EXPECT_TRUE(ligne_commande::complements(recue).empty());
}

TEST(order_line, revalidation_returns_the_same_line_every_time) {
    const std::string ligne = entrecote + " ##QUA:002.00##{Saignante}{Frites}";
    EXPECT_EQ(ligne_commande::quantite_initiale(ligne), 2);
    const auto comps = ligne_commande::complements(ligne);
    ASSERT_EQ(comps, (std::vector<std::string>{"Saignante", "Frites"}));
    std::string l = ligne;
    for (int i = 0; i < 5; ++i) {
        l = ligne_commande::reconstruit(l, ligne_commande::quantite_initiale(l),
                                        ligne_commande::complements(l));
        EXPECT_EQ(l, ligne);
    }
}

TEST(order_line, complements_are_cleaned_and_empty_ones_dropped) {
    const std::vector<std::string> rows = {"  Saignante ", "",   "   ",  "Sauce {poivre}",
                                           "\tFrites\r",   "{}", " Sel "};
    EXPECT_EQ(ligne_commande::reconstruit(entrecote, 3, rows),
              entrecote + " ##QUA:003.00##{Saignante}{Sauce poivre}{Frites}{Sel}");
    EXPECT_EQ(ligne_commande::nettoie_complement("a\x7F"
                                                 "b\x01"),
              "ab");
    // The cleaned line reads back to exactly the complements it was given.
    const auto l = ligne_commande::reconstruit(entrecote, 3, rows);
    EXPECT_EQ(ligne_commande::complements(l),
              (std::vector<std::string>{"Saignante", "Sauce poivre", "Frites", "Sel"}));
}

TEST(order_line, a_complement_carries_nothing_the_router_would_read_as_structure) {
    // "|" separates complements in the order file; "\xA4", "\xD0" and "\xF0"
    // mark a fixed menu's component list.
    struct {
        const char* tape;
        const char* garde;
    } cas[] = {
        {"a|b", "ab"},
        {"|Sans sel|", "Sans sel"},
        {"x\xD0y", "xy"},
        {"\xF0"
         "1 \xF0"
         "2",
         "1 2"},
        {"\xA4\xA4"
         "999999|\xD0\xD0MENU",
         "999999MENU"},
        {" | \xD0 ", ""},
        {"FA2:99", "FA2:99"},  // plain text: only the article text says menu
        {"Cr\xE8me br\xFBl\xE9"
         "e \x80"
         "5",
         "Cr\xE8me br\xFBl\xE9"
         "e \x80"
         "5"},
    };
    for (const auto& c : cas) EXPECT_EQ(ligne_commande::nettoie_complement(c.tape), c.garde) << c.tape;
    EXPECT_EQ(ligne_commande::reconstruit(entrecote, 1, {"a|b", "\xD0", "c\xF0"}),
              entrecote + " ##QUA:001.00##{ab}{c}");
}

TEST(order_line, the_article_text_ends_at_the_quantity_field_or_the_first_group) {
    EXPECT_EQ(ligne_commande::texte_article(entrecote + " ##QUA:002.00##{FA2:99}"), entrecote + " ");
    EXPECT_EQ(ligne_commande::texte_article(entrecote + "{FA2:99} ##QUA:002.00##"), entrecote);
    EXPECT_EQ(ligne_commande::texte_article(entrecote), entrecote);
    EXPECT_EQ(ligne_commande::texte_article(""), "");
}

TEST(order_line, reading_complements_stops_at_an_unmatched_brace) {
    const std::string l = entrecote + " ##QUA:001.00##{A}x{B}{C";
    EXPECT_EQ(ligne_commande::complements(l), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ligne_commande::complements(l, true), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(ligne_commande::partie_article(l), entrecote);
}

TEST(order_line, quantity_stays_between_1_and_999) {
    EXPECT_EQ(ligne_commande::moins(1), 1);
    EXPECT_EQ(ligne_commande::moins(2), 1);
    EXPECT_EQ(ligne_commande::plus(1), 2);
    EXPECT_EQ(ligne_commande::plus(998), 999);
    EXPECT_EQ(ligne_commande::plus(999), 999);
    EXPECT_EQ(ligne_commande::quantite_initiale(entrecote + " ##QUA:999.00##"), 999);
    // A field that could not come from the editor is brought back into range, so
    // the rebuilt field keeps its 14 characters.
    EXPECT_EQ(ligne_commande::quantite_initiale(entrecote + " ##QUA:000.00##"), 1);
    EXPECT_EQ(ligne_commande::quantite_initiale(entrecote + " ##QUA:1500.00##"), 999);
    EXPECT_EQ(ligne_commande::reconstruit(entrecote, 5000, {}), entrecote + " ##QUA:999.00##");
}

TEST(order_line, a_quantity_field_in_the_catalogue_text_never_stays_in_the_line) {
    // Only the line's own field may follow the article part: any other one
    // would be the first "##QUA:" of the line and be sent as its quantity.
    struct {
        std::string recue;
        std::string article;
    } cas[] = {
        {entrecote + "##QUA:005.00####QUA:abc", entrecote},
        {entrecote + "##QUA:##QUA:", entrecote},
        {entrecote + " ##QUA:002.00## ##QUA:000.00##", entrecote},
        {"##QUA:000.00##" + entrecote, entrecote},
        // a field that the removal of another one brings together
        {entrecote + "##Q##QUA:001.00##UA:5", entrecote},
    };
    for (const auto& c : cas) {
        const std::string l = ligne_commande::reconstruit(c.recue, 1, {"Frites"});
        EXPECT_EQ(l, c.article + " ##QUA:001.00##{Frites}") << c.recue;
        EXPECT_EQ(l.find("##QUA"), l.rfind("##QUA")) << l;
        EXPECT_EQ(ligne_commande::quantite(l), 1.0) << l;
    }
}

TEST(order_line, a_quantity_no_line_can_carry_is_held_at_the_nearest_bound) {
    for (const char* q : {"1e19", "1e99", "1e999", "2147483648", "99999999999999999999"})
        EXPECT_EQ(ligne_commande::quantite_initiale(entrecote + " ##QUA:" + q + "##"), 999) << q;
    for (const char* q : {"-1e19", "-1e999", "-2147483649"})
        EXPECT_EQ(ligne_commande::quantite_initiale(entrecote + " ##QUA:" + q + "##"), 1) << q;
}

TEST(order_line, price_and_total_as_shown) {
    EXPECT_EQ(ligne_commande::prix_affiche(18.5), "18.50 ");
    EXPECT_EQ(ligne_commande::prix_affiche(0), "0.00 ");
    EXPECT_EQ(ligne_commande::total_affiche("2.50 ", "3"), "7.50 ");
    EXPECT_EQ(ligne_commande::total_affiche("18.50 ", "2"), "37.00 ");
    // The total uses the price rounded as shown, not the catalogue's digits.
    const std::string prix = ligne_commande::prix_affiche(ligne_commande::prix_unitaire("X|PVE:1.005|"));
    EXPECT_EQ(prix, "1.01 ");
    EXPECT_EQ(ligne_commande::total_affiche(prix, "3"), "3.03 ");
    // Large prices keep every digit, in the price as in the total.
    EXPECT_EQ(ligne_commande::prix_affiche(ligne_commande::prix_unitaire("X|PVE:5000000|")), "5000000.00 ");
    EXPECT_EQ(ligne_commande::total_affiche("5000000.00 ", "999"), "4995000000.00 ");
    const std::string enorme = ligne_commande::prix_affiche(ligne_commande::prix_unitaire("X|PVE:1e99|"));
    EXPECT_EQ(enorme, "1" + std::string(99, '0') + ".00 ");
    EXPECT_EQ(ligne_commande::total_affiche(enorme, "2"), "2" + std::string(99, '0') + ".00 ");
}

TEST(order_line, missing_fields_fall_back_as_the_editor_reads_them) {
    EXPECT_EQ(ligne_commande::designation("2000200000013  |PVE:3|"), "2000200000013  ");
    EXPECT_DOUBLE_EQ(ligne_commande::prix_unitaire("12.5|DES:x|"), 12.5);
    EXPECT_FALSE(ligne_commande::quantite_lue(entrecote).has_value());
    EXPECT_DOUBLE_EQ(ligne_commande::quantite(entrecote), 1.0);
}

// ------------------------------------------------------------ composed menu

std::string slots(std::initializer_list<const char*> noms) {
    std::string s;
    int n = 0;
    for (const char* nom : noms) {
        s += std::string(*nom ? "2000100000014" : "") + "|" + nom + "\xA6";
        ++n;
    }
    for (; n < 16; ++n) s += "|\xA6";
    return s;
}

TEST(menu_text, courses_and_dishes_are_read_slot_by_slot) {
    std::string texte =
        "2000900000030  |DES:Menu D\xE9"
        "couverte|PVE:29.00|FA1:9|FA2:98|{{";
    texte += std::string(
                 "Entr\xE9"
                 "es\xB5") +
             slots({"Salade", "Terrine", "", "", "", "", "", "Soupe"});
    texte += std::string("\xB5") + slots({"Magret"});
    for (int k = 2; k < 6; ++k) texte += "\xB5" + slots({});
    texte += "}}";
    const auto m = menu_compose::decode(texte);
    EXPECT_EQ(m.titres_cours[0],
              "Entr\xE9"
              "es");
    EXPECT_EQ(m.noms_plats[0][0], "Salade");
    EXPECT_EQ(m.noms_plats[0][1], "Terrine");
    EXPECT_EQ(m.noms_plats[0][2], "");
    EXPECT_EQ(m.noms_plats[0][7], "Soupe");
    EXPECT_EQ(m.refs_plats[0][7], "2000100000014");
    EXPECT_EQ(m.titres_cours[1], "");
    EXPECT_EQ(m.noms_plats[1][0], "Magret");
    EXPECT_EQ(m.noms_plats[5][15], "");
    EXPECT_EQ(menu_compose::designation(texte),
              "Menu D\xE9"
              "couverte");
}

TEST(menu_text, a_malformed_text_reads_as_far_as_it_goes) {
    // No "{{", a missing "\xB5", a missing "|", a missing "\xA6": never a crash,
    // what cannot be read stays empty.
    EXPECT_EQ(menu_compose::decode("2000900000030  |DES:X|FA2:98|").titres_cours[0], "");
    auto m = menu_compose::decode("x{{Plats");
    EXPECT_EQ(m.titres_cours[0], "");
    m = menu_compose::decode(
        "x{{Plats\xB5"
        "123|Magret\xA6"
        "456");
    EXPECT_EQ(m.titres_cours[0], "Plats");
    EXPECT_EQ(m.noms_plats[0][0], "Magret");
    EXPECT_EQ(m.noms_plats[0][1], "");
    m = menu_compose::decode(
        "x{{Plats\xB5"
        "123|Magret");
    EXPECT_EQ(m.refs_plats[0][0], "123");
    EXPECT_EQ(m.noms_plats[0][0], "");
    EXPECT_EQ(menu_compose::designation("sans barre"), "");
    EXPECT_EQ(menu_compose::designation("a|DE"), "");
    EXPECT_EQ(menu_compose::designation("a|DES:"), "");
}

}  // namespace
