// Starting the hand-over child of the kill tests (handover_child.cpp): it
// signals on its descriptor 3 once loaded, so that a kill sent after this
// returns falls inside its work, never before it began.
#pragma once

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace wvtest {

// Runs `program` with `arguments` (the first being the program's name) and
// returns its process id once the child said it is loaded.
inline pid_t start_handover_child(const char* program, std::vector<std::string> arguments) {
    std::vector<char*> args;
    for (std::string& x : arguments) args.push_back(x.data());
    args.push_back(nullptr);
    int tube[2];
    if (::pipe(tube) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    posix_spawn_file_actions_adddup2(&actions, tube[1], 3);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program, &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    char ready = 0;
    const bool started = rc == 0 && pid > 0 && ::read(tube[0], &ready, 1) == 1;
    ::close(tube[0]);
    // Without a child, no kill may ever be sent: a kill of pid 0 would end this whole process group.
    if (!started) throw std::runtime_error("the child process did not start");
    return pid;
}

}  // namespace wvtest
