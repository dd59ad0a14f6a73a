// Test main: Qt's offscreen platform unless told otherwise, the scripted
// user, and two watchdogs: one fails a test whose screens wait more than a
// few seconds, the other ends a test binary that hangs outside the event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/form.h"
#include "platform/services.h"
#include "support/scripted_user.h"

namespace {

std::atomic<long> test_serial{0};
// The running test's screen watchdog, so that a test of several long phases
// can say that it is still working.
QTimer* screen_watchdog = nullptr;

class watchdog : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo&) override {
        ++test_serial;
        timer_ = new QTimer;
        timer_->setSingleShot(true);
        QObject::connect(timer_, &QTimer::timeout, [] {
            ADD_FAILURE() << "watchdog: the test waited more than 8 seconds on screen(s)";
            platform::unload_all_modal();
        });
        timer_->start(8000);
        screen_watchdog = timer_;
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        screen_watchdog = nullptr;
        delete timer_;
        timer_ = nullptr;
        ++test_serial;
    }

  private:
    QTimer* timer_ = nullptr;
};

void hard_watchdog() {
    long seen = -1;
    int still = 0;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long now = test_serial.load();
        still = now == seen ? still + 1 : 0;
        seen = now;
        if (still >= 90) {
            std::fprintf(stderr, "hard watchdog: a test hung for 90 seconds\n");
            std::_Exit(3);
        }
    }
}

}  // namespace

namespace wvtest {
void still_working() {
    ++test_serial;
    if (screen_watchdog) screen_watchdog->start(8000);
}
}  // namespace wvtest

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    platform::force_runtime_decimal_point();
    scripted_user::install();
    ::testing::UnitTest::GetInstance()->listeners().Append(new watchdog);
    std::thread(hard_watchdog).detach();
    return RUN_ALL_TESTS();
}
