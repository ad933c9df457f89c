// The launcher as a player starts it, for the window tests: a child in a
// bare environment (PATH, HOME, the XDG folders, DISPLAY and the operator's
// address; no locale, no session bus, no runtime folder), its standard
// output kept, and every process it leaves behind ended with the test.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vostra::test {

class LauncherProcess {
public:
    // `home` holds the sandbox's folders: home/{.local/share,.cache,.config}.
    // `args` follow argv[0] (the program's path).
    LauncherProcess(const std::string& program, const std::string& home,
                    const std::string& operator_url, std::vector<std::string> extra_env = {},
                    std::vector<std::string> args = {});
    ~LauncherProcess();
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    bool Started() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }
    // Waits for the process to end: its exit code, or -1 on time-out.
    int Wait(int timeout_ms);
    bool Running();
    // What it wrote on standard output so far.
    const std::string& Out();
    // Its standard error (kept in a file of the sandbox).
    std::string Err() const;

private:
    void Drain();

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_strOut;
    std::string m_strErrPath;
    int m_nExit = -1;
};

// Ends every descendant of this process (adopted orphans included; the
// test process is a subreaper) except `keep`, and reaps them.
void KillDescendants(pid_t keep = -1);

// Waits until no descendant of this process but `keep` runs (orphans that
// ended are reaped); the pids still running after timeout_ms.
std::vector<pid_t> WaitForNoDescendants(pid_t keep, int timeout_ms);

// The command line after the program's path of the game window process
// among this process's descendants ("-frameWnd=N -gameurl=URL"), waiting
// up to timeout_ms; "" when none started.
std::string WaitForGameWindowArgument(int timeout_ms);

// The bare environment the launcher gets.
std::vector<std::string> BareEnvironment(const std::string& home, const std::string& operator_url);

}  // namespace vostra::test
