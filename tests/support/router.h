// An order router beside the program, as the restaurant's server runs one:
// on a thread of its own, it takes each ".txt" of the exchange folder the
// moment it is named there (told by inotify, or looking again and again
// without a pause), while the program hands orders over.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace wvtest {

class router {
  public:
    enum class watch { inotify, polling };
    // A router that removes what it reads, or one that keeps it and reads a
    // name again only when it names a new file.
    router(std::filesystem::path folder, watch how, bool removes = true);
    ~router();
    router(const router&) = delete;
    router& operator=(const router&) = delete;

    // Stops taking, after a last look over the folder (so that nothing named
    // before the call is left untaken), until resume().
    void pause();
    void resume();

    struct taken_file {
        std::string name, bytes;
    };
    // What it took since the last call, in the order taken.
    std::vector<taken_file> take_all();

    // Called on the router's thread the moment a final name is there, before
    // its bytes are read: what the server's disk showed at that instant (a
    // test stops the server there, between its rename and its answer).
    void when_named(std::function<void(const std::string& name)> f);

    static const char* name_of(watch how) { return how == watch::inotify ? "inotify" : "polling"; }

  private:
    void run();
    void look_over();
    void take(const std::string& name);
    bool paused_asked();

    const std::filesystem::path folder_;
    const watch how_;
    const bool removes_;
    std::set<std::pair<std::string, ino_t>> read_;  // a keeping router's files already read
    std::mutex mutex_;
    std::condition_variable changed_;
    bool pause_asked_ = false, paused_ = false, stop_ = false;
    std::vector<taken_file> taken_;
    std::function<void(const std::string&)> when_named_;
    std::thread thread_;
};

}  // namespace wvtest
