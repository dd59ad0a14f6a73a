// The network folder lies on another machine, and a server that stops
// answering blocks every call on it inside the system, for as long as the
// share's client waits (minutes, or for ever on a hard mount). The work on
// that folder therefore runs on one worker thread of its own, one job at a
// time and in the order asked, and the screen waits for a job only up to a
// bound: past it the screen goes on as if the folder could not be reached,
// and the job, which no call can interrupt, ends on its own later.
//
// Jobs take what they need by value and touch no global of the screens; what
// they return is handed back on the screen's own thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace platform::folder_worker {

using std::chrono::milliseconds;

// How a bounded job went.
enum class outcome {
    ended,    // it ended within the bound: its result is there
    late,     // it started but had not ended by the bound; it goes on and its
              // late handler runs on the screen's thread when it ends
    not_run,  // it never started: an earlier job is still stuck past its
              // bound, or the bound passed while it was waiting its turn
};

namespace detail {
outcome run(std::function<void()> job, milliseconds bound, std::function<void()> when_late);
}

// Runs the job on the worker and waits at most `bound` for it. When the job
// ends later, `when_late` (if any) gets its result on the screen's thread,
// from the event loop.
template <class T>
outcome run(std::function<T()> job, milliseconds bound, std::optional<T>& result,
            std::function<void(const T&)> when_late = {}) {
    auto slot = std::make_shared<std::optional<T>>();
    std::function<void()> late;
    if (when_late) late = [slot, when_late] { when_late(**slot); };
    const outcome o = detail::run([slot, job = std::move(job)] { *slot = job(); }, bound, std::move(late));
    if (o == outcome::ended) result = std::move(*slot);
    return o;
}

// The job's result when it ended within the bound, else `otherwise`.
template <class T>
T result_or(std::function<T()> job, T otherwise, milliseconds bound) {
    std::optional<T> r;
    run<T>(std::move(job), bound, r);
    return r ? std::move(*r) : std::move(otherwise);
}

// The bound of a call on the network folder that the screen waits for.
constexpr milliseconds screen_bound{1000};

// Whether a job is still running past its bound: the folder does not answer.
bool stalled();

// Waits until no job is queued or running (tests, and the end of a hand-over
// the screen must see whole); false when the bound passed first.
bool wait_idle(milliseconds bound);

}  // namespace platform::folder_worker
