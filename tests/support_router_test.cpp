// The tests' router: a pause takes everything named before it, even when it
// comes right after a resume, before the router's thread has run again. The
// kill tests resume it for each child and pause it once the child is gone: a
// short child on a busy machine left the router no time to wake, and the last
// orders handed over were never taken, counted as lost.
#include <gtest/gtest.h>

#include <string>

#include "support/fixtures.h"
#include "support/router.h"

namespace {

class router_pause : public wvtest::folder_test {};

TEST_F(router_pause, right_after_a_resume_it_takes_what_was_named_before) {
    for (const bool retire : {true, false}) {
        SCOPED_TRACE(retire ? "a removing router" : "a reading router");
        wvtest::router r(net, wvtest::router::watch::inotify, retire);
        r.pause();
        int manquees = 0;
        for (int i = 0; i < 100; ++i) {
            const std::string nom = std::to_string(i) + (retire ? "_r" : "_l") + ".txt";
            wvtest::write_bytes(net / nom, nom);  // named while the router is paused
            r.resume();
            r.pause();
            const auto pris = r.take_all();
            if (pris.size() != 1 || pris.front().name != nom || pris.front().bytes != nom) ++manquees;
        }
        EXPECT_EQ(manquees, 0) << "of 100 pauses";
    }
}

}  // namespace
