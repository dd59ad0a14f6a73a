// Test main: Qt's offscreen platform unless told otherwise, the scripted
// user, and two watchdogs: one fails a test whose screens make no progress
// for a few seconds, the other ends a test binary that hangs outside the
// event loop. Both ceilings stretch on a loaded machine (time_scale), and the
// screen watchdog does not count the time the test spent waiting for a CPU:
// a healthy test on a busy machine is slow, not hung.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/form.h"
#include "platform/services.h"
#include "support/fixtures.h"
#include "support/scripted_user.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr milliseconds screen_ceiling{8000};
constexpr int hard_ceiling_s = 90;

std::atomic<long> test_serial{0};

// Time the screen's thread (this one) was ready to run but waited for a CPU.
milliseconds run_queue_wait() {
    std::ifstream in("/proc/thread-self/schedstat");
    unsigned long long on_cpu = 0, waiting = 0;
    if (!(in >> on_cpu >> waiting)) return milliseconds(0);
    return std::chrono::duration_cast<milliseconds>(std::chrono::nanoseconds(waiting));
}

// The running test's screen watchdog. Armed at the test's start and again at
// each sign of progress (a scripted screen acted on, still_working()); it
// fails the test when, since then, more than its ceiling passed that was not
// spent waiting for a CPU.
class screen_watchdog {
  public:
    screen_watchdog() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
        arm();
    }
    void arm() {
        since_ = steady_clock::now();
        queued_ = run_queue_wait();
        ceiling_ = std::chrono::duration_cast<milliseconds>(screen_ceiling * wvtest::time_scale());
        timer_.start(ceiling_);
    }

  private:
    void check() {
        const auto passed = std::chrono::duration_cast<milliseconds>(steady_clock::now() - since_);
        const auto working = passed - (run_queue_wait() - queued_);
        if (working < ceiling_) {
            timer_.start(ceiling_ - working);
            return;
        }
        ADD_FAILURE() << "watchdog: the test's screens made no progress for " << working.count()
                      << " ms (ceiling " << ceiling_.count() << " ms; " << passed.count()
                      << " ms passed in all)";
        platform::unload_all_modal();
    }

    QTimer timer_;
    steady_clock::time_point since_;
    milliseconds queued_{0};
    milliseconds ceiling_{0};
};

screen_watchdog* current = nullptr;

class watchdog_listener : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo&) override {
        ++test_serial;
        current = new screen_watchdog;
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        delete current;
        current = nullptr;
        ++test_serial;
    }
};

void hard_watchdog() {
    long seen = -1;
    int still = 0;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long now = test_serial.load();
        still = now == seen ? still + 1 : 0;
        seen = now;
        if (still >= hard_ceiling_s * wvtest::time_scale()) {
            std::fprintf(stderr, "hard watchdog: a test hung for %d seconds\n", still);
            std::_Exit(3);
        }
    }
}

}  // namespace

namespace wvtest {
void still_working() {
    ++test_serial;
    // The screen watchdog's timer belongs to the screen's thread.
    if (current && QThread::currentThread() == QCoreApplication::instance()->thread()) current->arm();
}
}  // namespace wvtest

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    platform::force_runtime_decimal_point();
    scripted_user::install();
    ::testing::UnitTest::GetInstance()->listeners().Append(new watchdog_listener);
    std::thread(hard_watchdog).detach();
    return RUN_ALL_TESTS();
}
