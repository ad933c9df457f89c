#include "platform/process_spawn.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <vector>

#include "platform/command_line.h"

extern char** environ;

namespace vostra {

bool StartOwnProcess(const std::string& app_path, const std::string* cmd_line,
                     int* errno_out) {
    const std::vector<std::string> args = ArgvForCommandLine(app_path, cmd_line);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // The child is a process of its own: it must not inherit our blocked
    // signals, and nobody waits for it, so SIGCHLD is left to the default.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);

    pid_t pid = 0;
    // glibc's posix_spawn reports an exec failure of the child as its result.
    const int rc = posix_spawn(&pid, app_path.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        if (errno_out) *errno_out = rc;
        return false;
    }
    return true;
}

}  // namespace vostra
