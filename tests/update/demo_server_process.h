// Runs the demo operator server as a child process on a free loopback port
// for the length of one test.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace vostra::test {

class DemoServerProcess {
public:
    DemoServerProcess() = default;
    DemoServerProcess(const DemoServerProcess&) = delete;
    DemoServerProcess& operator=(const DemoServerProcess&) = delete;
    ~DemoServerProcess() { Stop(); }

    // Starts the server with the given options plus "--port 0" and waits
    // for its first line; false when it did not come up within 10 s.
    bool Start(const std::vector<std::string>& options) {
        std::vector<std::string> args = {VOSTRA_DEMO_SERVER_BIN, "--port", "0"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);

        int out[2];
        if (pipe(out) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (rc != 0) {
            close(out[0]);
            pid_ = -1;
            return false;
        }
        const std::string line = ReadLine(out[0], 10000);
        close(out[0]);
        const std::string prefix = "listening on ";
        if (line.compare(0, prefix.size(), prefix) != 0) return false;
        url_ = line.substr(prefix.size());
        return true;
    }

    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

    // "http://127.0.0.1:<port>"
    const std::string& url() const { return url_; }
    pid_t pid() const { return pid_; }

private:
    static std::string ReadLine(int fd, int timeout_ms) {
        std::string line;
        pollfd p{fd, POLLIN, 0};
        while (poll(&p, 1, timeout_ms) > 0) {
            char c;
            if (read(fd, &c, 1) != 1 || c == '\n') break;
            line += c;
        }
        return line;
    }

    pid_t pid_ = -1;
    std::string url_;
};

}  // namespace vostra::test
