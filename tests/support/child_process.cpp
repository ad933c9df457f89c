#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include <chrono>
#include <fstream>
#include <cstring>
#include <thread>

extern char** environ;

namespace vostra::test {
namespace {

using Clock = std::chrono::steady_clock;

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& argv,
                     const std::vector<std::string>& env, int timeout_ms) {
    ChildResult result;
    int out_pipe[2], err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out_pipe[1], 1);
    posix_spawn_file_actions_adddup2(&fa, err_pipe[1], 2);

    // Our environment with the extra entries replacing those of their name.
    auto name_of = [](const std::string& entry) { return entry.substr(0, entry.find('=') + 1); };
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& extra : env) replaced = replaced || name_of(extra) == name_of(entry);
        if (!replaced) env_strings.push_back(entry);
    }
    for (const auto& e : env) env_strings.push_back(e);
    std::vector<char*> envp, args;
    for (auto& e : env_strings) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_copy = argv;
    for (auto& a : argv_copy) args.push_back(a.data());
    args.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &fa, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&fa);
    close(out_pipe[1]);
    close(err_pipe[1]);
    if (rc != 0) {
        close(out_pipe[0]);
        close(err_pipe[0]);
        return result;
    }

    // Read both pipes until the child closes them or the time is up. Orphans
    // the child leaves behind may hold the pipes open, so the child's own
    // exit also ends the wait.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int status = 0;
    bool exited = false;
    while (Clock::now() < deadline) {
        if (!exited && waitpid(pid, &status, WNOHANG) == pid) exited = true;
        if (poll(fds, 2, 50) > 0) {
            bool any = false;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP))) {
                    char buf[4096];
                    const ssize_t n = read(fds[i].fd, buf, sizeof buf);
                    if (n > 0) {
                        sinks[i]->append(buf, static_cast<size_t>(n));
                        any = true;
                    } else {
                        fds[i].fd = -1;
                    }
                }
            }
            if (any) continue;
        }
        if ((fds[0].fd < 0 && fds[1].fd < 0) || exited) break;
    }
    // The pipes close a moment before the child can be reaped.
    while (!exited && Clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        status = -1;
    }
    close(out_pipe[0]);
    close(err_pipe[0]);
    result.exit_code = status == -1 ? -1 : ExitCodeOf(status);
    return result;
}

void BecomeSubreaper() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

// The pids of this process's children, from /proc.
std::vector<pid_t> ChildPids() {
    std::vector<pid_t> pids;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return pids;
    while (dirent* t = readdir(tasks)) {
        if (t->d_name[0] == '.') continue;
        std::ifstream in(std::string("/proc/self/task/") + t->d_name + "/children");
        pid_t pid;
        while (in >> pid) pids.push_back(pid);
    }
    closedir(tasks);
    return pids;
}

int WaitForOrphan(int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (Clock::now() < deadline) {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, WNOHANG);
        if (pid > 0) return ExitCodeOf(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Still running: end it so the test leaves nothing behind.
    for (pid_t pid : ChildPids()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return -1;
}

}  // namespace vostra::test
