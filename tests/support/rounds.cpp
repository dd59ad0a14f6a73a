#include "support/rounds.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace wvtest {

namespace {
int asked_by(const char* variable, int count) {
    const char* v = variable ? std::getenv(variable) : nullptr;
    return v && std::atoi(v) > 0 ? std::atoi(v) : count;
}
}  // namespace

double rounds_budget() {
    const char* v = std::getenv("WV_ROUNDS_BUDGET");
    return v && *v ? std::max(0.0, std::atof(v)) : 240.0;
}

rounds::rounds(const char* variable, int count, int floor)
    : asked_(asked_by(variable, count)), floor_(std::min(floor, asked_)), budget_(rounds_budget()) {}

bool rounds::next() {
    if (ran_ >= asked_ || cut_) return false;
    if (ran_ >= floor_ && budget_.count() > 0 && std::chrono::steady_clock::now() - start_ >= budget_) {
        cut_ = true;
        return false;
    }
    ++ran_;
    return true;
}

std::string rounds::figures() const {
    char s[96];
    if (cut_)
        std::snprintf(s, sizeof s, "%d of %d rounds (the %g s budget ended them)", ran_, asked_,
                      budget_.count());
    else
        std::snprintf(s, sizeof s, "%d of %d rounds", ran_, asked_);
    return s;
}

}  // namespace wvtest
