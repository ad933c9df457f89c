#include "launcher_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace vostra::test {
namespace {

std::string EnvOr(const char* name, const char* fallback) {
    const char* v = getenv(name);
    return v != nullptr ? v : fallback;
}

// Parent of every process, from /proc.
std::map<pid_t, pid_t> ParentTable() {
    std::map<pid_t, pid_t> parents;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return parents;
    while (dirent* e = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(atoi(e->d_name));
        if (pid <= 0) continue;
        std::ifstream status(std::string("/proc/") + e->d_name + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("PPid:", 0) == 0) {
                parents[pid] = static_cast<pid_t>(atoi(line.c_str() + 5));
                break;
            }
        }
    }
    closedir(proc);
    return parents;
}

std::set<pid_t> Descendants(pid_t root) {
    const auto parents = ParentTable();
    std::set<pid_t> found;
    bool grew = true;
    while (grew) {
        grew = false;
        for (const auto& [pid, parent] : parents) {
            if ((parent == root || found.count(parent) != 0) && found.insert(pid).second) grew = true;
        }
    }
    return found;
}

}  // namespace

std::vector<std::string> BareEnvironment(const std::string& home, const std::string& operator_url) {
    return {
        "PATH=" + EnvOr("PATH", "/usr/bin:/bin"),
        "HOME=" + home,
        "XDG_DATA_HOME=" + home + "/.local/share",
        "XDG_CACHE_HOME=" + home + "/.cache",
        "XDG_CONFIG_HOME=" + home + "/.config",
        "DISPLAY=" + EnvOr("DISPLAY", ""),
        "VOSTRA_OPERATOR_URL=" + operator_url,
        // The test machine is a container where WebKit's sandbox cannot
        // start; the pages are the local demo server's own.
        "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1",
        "ASAN_OPTIONS=" + EnvOr("ASAN_OPTIONS", "detect_leaks=0"),
    };
}

LauncherProcess::LauncherProcess(const std::string& program, const std::string& home,
                                 const std::string& operator_url, std::vector<std::string> extra_env,
                                 std::vector<std::string> args) {
    std::vector<std::string> env = BareEnvironment(home, operator_url);
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    std::vector<char*> argv = {arg0.data()};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    m_strErrPath = home + "/launcher-" + std::to_string(getpid()) + "-" +
                   std::to_string(reinterpret_cast<uintptr_t>(this) & 0xffff) + ".err";
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, m_strErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, home.c_str());
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    m_out = out[0];
    fcntl(m_out, F_SETFL, O_NONBLOCK);
}

LauncherProcess::~LauncherProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
    KillDescendants();
}

void LauncherProcess::Drain() {
    char buf[4096];
    while (m_out >= 0) {
        const ssize_t n = read(m_out, buf, sizeof buf);
        if (n <= 0) break;
        m_strOut.append(buf, static_cast<size_t>(n));
    }
}

const std::string& LauncherProcess::Out() {
    Drain();
    return m_strOut;
}

std::string LauncherProcess::Err() const {
    std::ifstream in(m_strErrPath);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool LauncherProcess::Running() {
    if (m_pid <= 0) return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_nExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        m_pid = -1;
        Drain();
        return false;
    }
    return true;
}

int LauncherProcess::Wait(int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; waited += 20) {
        if (!Running()) return m_nExit;
        Drain();
        usleep(20000);
    }
    return -1;
}

std::string WaitForGameWindowArgument(int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; waited += 100) {
        for (pid_t p : Descendants(getpid())) {
            std::ifstream in("/proc/" + std::to_string(p) + "/cmdline", std::ios::binary);
            std::string all((std::istreambuf_iterator<char>(in)), {});
            const size_t end0 = all.find('\0');
            if (end0 == std::string::npos) continue;
            std::string arg1 = all.substr(end0 + 1);
            if (!arg1.empty() && arg1.back() == '\0') arg1.pop_back();
            if (arg1.rfind("-frameWnd=", 0) == 0) return arg1;
        }
        usleep(100000);
    }
    return "";
}

std::vector<pid_t> WaitForNoDescendants(pid_t keep, int timeout_ms) {
    std::vector<pid_t> left;
    for (int waited = 0; waited <= timeout_ms; waited += 100) {
        // Reap what ended, but never the process we keep.
        for (pid_t p : Descendants(getpid())) {
            if (p != keep) waitpid(p, nullptr, WNOHANG);
        }
        left.clear();
        for (pid_t p : Descendants(getpid())) {
            if (p != keep) left.push_back(p);
        }
        if (left.empty()) break;
        usleep(100000);
    }
    return left;
}

void KillDescendants(pid_t keep) {
    for (int round = 0; round < 5; ++round) {
        std::set<pid_t> all = Descendants(getpid());
        all.erase(keep);
        if (keep > 0) {
            for (pid_t p : Descendants(keep)) all.erase(p);
        }
        if (all.empty()) return;
        for (pid_t p : all) kill(p, SIGKILL);
        for (pid_t p : all) waitpid(p, nullptr, WNOHANG);
        usleep(50000);
        // Reap whatever ended (adopted orphans are our children now).
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
    }
}

}  // namespace vostra::test
