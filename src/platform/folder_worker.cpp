#include "platform/folder_worker.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform::folder_worker {

namespace {

struct job {
    enum class state { queued, running, ended, dropped };
    std::function<void()> work;
    std::function<void()> when_late;
    state st = state::queued;
    bool late = false;
};

struct worker {
    std::mutex m;
    std::condition_variable work_ready;
    std::condition_variable job_done;
    std::deque<std::shared_ptr<job>> queue;
    std::shared_ptr<job> current;
    bool started = false;
};

// Never destroyed: a job stuck in a call when the program ends must still
// find its worker whole, and the program never waits for it.
worker& the_worker() {
    static worker* w = new worker;
    return *w;
}

void hand_back(std::function<void()> f) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !f) return;
    QMetaObject::invokeMethod(app, std::move(f), Qt::QueuedConnection);
}

void loop() {
    worker& w = the_worker();
    std::unique_lock lock(w.m);
    for (;;) {
        w.work_ready.wait(lock, [&] { return !w.queue.empty(); });
        std::shared_ptr<job> j = w.queue.front();
        w.queue.pop_front();
        if (j->st == job::state::dropped) continue;
        j->st = job::state::running;
        w.current = j;
        lock.unlock();
        j->work();
        lock.lock();
        j->st = job::state::ended;
        w.current.reset();
        if (j->late) hand_back(std::move(j->when_late));
        w.job_done.notify_all();
    }
}

}  // namespace

namespace detail {

outcome run(std::function<void()> work, milliseconds bound, std::function<void()> when_late) {
    worker& w = the_worker();
    std::unique_lock lock(w.m);
    // A folder that already holds a job past its bound is not asked again:
    // the new job would only queue behind the stuck one.
    if (w.current && w.current->late) return outcome::not_run;
    auto j = std::make_shared<job>();
    j->work = std::move(work);
    j->when_late = std::move(when_late);
    w.queue.push_back(j);
    if (!w.started) {
        std::thread(loop).detach();
        w.started = true;
    }
    w.work_ready.notify_one();
    w.job_done.wait_for(lock, bound, [&] { return j->st == job::state::ended; });
    switch (j->st) {
        case job::state::ended:
            return outcome::ended;
        case job::state::running:
            j->late = true;
            return outcome::late;
        default:
            j->st = job::state::dropped;
            return outcome::not_run;
    }
}

}  // namespace detail

bool stalled() {
    worker& w = the_worker();
    std::lock_guard lock(w.m);
    return w.current && w.current->late;
}

bool wait_idle(milliseconds bound) {
    worker& w = the_worker();
    std::unique_lock lock(w.m);
    return w.job_done.wait_for(lock, bound, [&] {
        if (w.current) return false;
        for (const auto& j : w.queue)
            if (j->st != job::state::dropped) return false;
        return true;
    });
}

}  // namespace platform::folder_worker
