// Test fixtures: every case runs in a fresh temporary working folder (the
// program's current folder) beside a network folder, from the state of a new
// run, with the scripted user and the watchdog in place.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "support/scripted_user.h"

namespace wvtest {

class folder_test : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The working folder, and the network folder inside it ("reseau").
    std::filesystem::path work;
    std::filesystem::path net;

    // A death test runs its test again from the start in a new process (a
    // fork of a process that has threads and a QApplication is not safe to
    // go on in). A fixture that sets this in its constructor has that
    // process work in the parent's folder, so that what the program wrote
    // before it ended is there for the parent to check.
    bool death_test_child_shares_the_folder = false;
    // Whether this process is such a child, working in its parent's folder.
    bool in_death_test_child() const { return folder_of_the_parent_; }

    // Copies the demo catalogue into the network folder.
    void copy_demo_to_network();
    std::string network_folder() const { return net.string(); }

  private:
    bool folder_of_the_parent_ = false;
};

// For the lifetime of this object, the screen registered under `name` is a
// bare double with no controls: what it does is up to the scripted user.
// Tests of code that shows a screen by name use it to stay independent of
// that screen's own behaviour.
class screen_double {
  public:
    explicit screen_double(std::string name);
    ~screen_double();

  private:
    std::string name_;
    std::function<platform::form&()> original_;
    std::unique_ptr<platform::form> double_;
};

// Tells the watchdogs that a long test (run longer by an environment
// variable, or made of several long phases) is still making progress.
void still_working();

// How much longer than on a quiet machine the tests' ceilings are: the load
// average per CPU, or WV_TEST_TIME_SCALE when larger, and never below 1. A
// ceiling only tells a hung test from a slow one; what a test checks never
// depends on it.
double time_scale();

// What the system promises where a server stops answering: no screen is held
// longer than a second. Written here rather than taken from the program, so
// that a longer bound there fails the tests that hold it to this one.
constexpr std::chrono::milliseconds promised_network_wait{1000};

// Bytes of a file ("" when missing).
std::string read_bytes(const std::filesystem::path& p);
void write_bytes(const std::filesystem::path& p, const std::string& bytes);
// A fixture file of tests/data.
std::filesystem::path data_file(const std::string& name);

}  // namespace wvtest
