// The rounds of the kill tests: their number, raised by the environment, and
// their time budget, which never ends them before their floor.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/rounds.h"

namespace {

struct cas {
    const char* nom;
    const char* demandes;  // WV_TEST_ROUNDS, or none
    const char* budget;    // WV_ROUNDS_BUDGET, or none
    int nombre, plancher;
    int faits;
    bool coupes;
    const char* chiffres;
};

TEST(rounds, end_at_their_number_or_at_the_budget_never_before_their_floor) {
    const cas cas_[] = {
        {"no budget", nullptr, "0", 30, 10, 30, false, "30 of 30 rounds"},
        {"a budget not reached", nullptr, "600", 30, 10, 30, false, "30 of 30 rounds"},
        {"the budget passed: the floor alone", nullptr, "0.001", 30, 10, 10, true,
         "10 of 30 rounds (the 0.001 s budget ended them)"},
        {"a floor above the number asked", nullptr, "0.001", 5, 10, 5, false, "5 of 5 rounds"},
        {"more rounds asked", "45", "0", 30, 10, 45, false, "45 of 45 rounds"},
        {"more rounds asked, the budget passed", "45", "0.001", 30, 10, 10, true,
         "10 of 45 rounds (the 0.001 s budget ended them)"},
        {"a number asked that is none", "x", "0", 30, 10, 30, false, "30 of 30 rounds"},
    };
    for (const cas& c : cas_) {
        SCOPED_TRACE(c.nom);
        if (c.demandes)
            ::setenv("WV_TEST_ROUNDS", c.demandes, 1);
        else
            ::unsetenv("WV_TEST_ROUNDS");
        ::setenv("WV_ROUNDS_BUDGET", c.budget, 1);
        wvtest::rounds r("WV_TEST_ROUNDS", c.nombre, c.plancher);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        int vus = 0;
        while (r.next()) {
            ++vus;
            ASSERT_EQ(r.ran(), vus);
            ASSERT_LE(vus, 1000);
        }
        EXPECT_FALSE(r.next()) << "once ended, the rounds stay ended";
        EXPECT_EQ(vus, c.faits);
        EXPECT_EQ(r.ran(), c.faits);
        EXPECT_EQ(r.cut(), c.coupes);
        EXPECT_EQ(r.figures(), c.chiffres);
    }
    ::unsetenv("WV_TEST_ROUNDS");
    ::unsetenv("WV_ROUNDS_BUDGET");
}

}  // namespace
