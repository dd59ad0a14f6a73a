#include "support/router.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace wvtest {

router::router(std::filesystem::path folder, watch how, bool removes)
    : folder_(std::move(folder)), how_(how), removes_(removes) {
    thread_ = std::thread([this] { run(); });
}

router::~router() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void router::pause() {
    std::unique_lock lock(mutex_);
    pause_asked_ = true;
    changed_.wait(lock, [this] { return paused_; });
}

void router::resume() {
    std::unique_lock lock(mutex_);
    pause_asked_ = false;
    changed_.notify_all();
    // Until the router runs again: a pause asked before it woke would find
    // it still paused, and return without the last look of its own.
    changed_.wait(lock, [this] { return !paused_ || stop_; });
}

void router::when_named(std::function<void(const std::string&)> f) {
    std::lock_guard lock(mutex_);
    when_named_ = std::move(f);
}

std::vector<router::taken_file> router::take_all() {
    std::lock_guard lock(mutex_);
    return std::exchange(taken_, {});
}

bool router::paused_asked() {
    std::unique_lock lock(mutex_);
    if (!pause_asked_ || stop_) return stop_;
    lock.unlock();
    look_over();
    lock.lock();
    paused_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !pause_asked_ || stop_; });
    paused_ = false;
    changed_.notify_all();
    return stop_;
}

// Only final names of orders: a temporary name starts with "." and is never
// the router's.
void router::take(const std::string& name) {
    if (name.empty() || name.front() == '.' || !name.ends_with(".txt")) return;
    const std::filesystem::path p = folder_ / name;
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;  // taken already, or gone with its folder
    struct stat st {};
    if (::fstat(fd, &st) != 0 || (!removes_ && !read_.insert({name, st.st_ino}).second)) {
        ::close(fd);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (when_named_) when_named_(name);
    }
    std::string bytes;
    char buf[16384];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (removes_ && ::unlink(p.c_str()) != 0) return;  // another pass took it first
    std::lock_guard lock(mutex_);
    taken_.push_back({name, std::move(bytes)});
}

void router::look_over() {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        take(it->path().filename().string());
}

void router::run() {
    if (how_ == watch::polling) {
        while (!paused_asked()) look_over();
        return;
    }
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd >= 0) ::inotify_add_watch(fd, folder_.c_str(), IN_MOVED_TO | IN_CREATE | IN_CLOSE_WRITE);
    look_over();
    alignas(inotify_event) char buf[64 * 1024];
    while (!paused_asked()) {
        pollfd pfd{fd, POLLIN, 0};
        // A short wait: a pause or the end is seen at once too.
        if (fd < 0 || ::poll(&pfd, 1, 5) <= 0) {
            if (fd < 0) look_over();
            continue;
        }
        const ssize_t n = ::read(fd, buf, sizeof buf);
        for (ssize_t i = 0; i + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buf + i);
            if (e->mask & IN_Q_OVERFLOW)
                look_over();
            else if (e->len > 0)
                take(e->name);
            i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
    }
    if (fd >= 0) ::close(fd);
}

}  // namespace wvtest
