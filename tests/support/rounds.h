// The rounds of a test that starts a child process again and again (kills,
// power cuts). A round's time grows with the machine's load, the number of
// rounds does not: run to a fixed number, such a test outgrows its CTest
// limit on a busy machine. So the rounds end at their number or once a time
// budget has passed, whichever comes first, but never before a floor of
// rounds, chosen for each test so that it still finds the faults it is for.
#pragma once

#include <chrono>
#include <string>

namespace wvtest {

class rounds {
  public:
    // `count` rounds, or as many as the environment variable `variable`
    // asks; at least `floor` of them (all of them when fewer are asked),
    // whatever the budget. The budget is counted from here.
    rounds(const char* variable, int count, int floor);

    // Whether another round is to run; if so, it is counted.
    bool next();
    // The rounds begun so far.
    int ran() const { return ran_; }
    // Whether the budget ended the rounds before their number.
    bool cut() const { return cut_; }
    // For a figures line: "300 of 300 rounds", or "112 of 300 rounds (the
    // 240 s budget ended them)".
    std::string figures() const;

  private:
    int asked_, floor_, ran_ = 0;
    bool cut_ = false;
    std::chrono::duration<double> budget_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The rounds' budget of each test, in seconds: WV_ROUNDS_BUDGET when set (0
// for none), otherwise 240 s, well inside the 600 s CTest limit of these tests.
double rounds_budget();

}  // namespace wvtest
