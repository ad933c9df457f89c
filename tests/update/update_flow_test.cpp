// Whole update runs of real programs: the probe (the update library with a
// version record, installed under the launcher's name) asks the demo
// server, downloads a launcher stamped with a newer version and hands over;
// the launcher's handoff mode copies itself over the installed client.
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/file_md5.h"
#include "app/file_version.h"
#include "update_test_support.h"

namespace vostra {
namespace {

using Messages = std::vector<std::string>;

class UpdateFlowTest : public test::UpdateTest {
protected:
    void TearDown() override {
        KillProcessesOf(Installed());
        UpdateTest::TearDown();
    }

    std::string Installed() const { return DataFolder() + "vostra-launcher"; }

    // The installed client: the probe, stamped 1.0.0.0, under the
    // launcher's file name in the data folder.
    void InstallProbe() {
        const std::string cmd = std::string(VOSTRA_STAMP_BIN) + " --version 1.0.0.0 " +
                                VOSTRA_UPDATE_PROBE_BIN + " " + Installed();
        ASSERT_EQ(system(cmd.c_str()), 0);
        ASSERT_EQ(GetFileVersionString(Installed()), "1.0.0.0");
    }

    // Runs the program to its end; its exit code, or -1.
    static int Run(const std::string& path, std::vector<std::string> args = {}) {
        args.insert(args.begin(), path);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }

    // Waits until the log holds at least `count` messages (the handoff
    // runs on after the probe has ended).
    Messages WaitForLog(size_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        Messages log = LogMessages();
        while (log.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            log = LogMessages();
        }
        return log;
    }

    // Ends whatever still runs from path (the client the handoff started).
    static void KillProcessesOf(const std::string& path) {
        DIR* proc = opendir("/proc");
        if (!proc) return;
        while (dirent* e = readdir(proc)) {
            const pid_t pid = static_cast<pid_t>(atoi(e->d_name));
            if (pid <= 0) continue;
            char exe[4096];
            const std::string link = std::string("/proc/") + e->d_name + "/exe";
            const ssize_t n = readlink(link.c_str(), exe, sizeof exe - 1);
            if (n <= 0) continue;
            const std::string target(exe, static_cast<size_t>(n));
            if (target == path || target == path + " (deleted)") kill(pid, SIGKILL);
        }
        closedir(proc);
    }
};

TEST_F(UpdateFlowTest, NewerClientReplacesTheInstalledOne) {
    // The new client ends at once, without a display for its login window,
    // so the log holds the two processes' lines and nothing after them.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const std::string published = PublishLauncher("1.0.0.1");
    StartServer({"--client", published});
    InstallProbe();

    EXPECT_EQ(Run(Installed()), 0);

    std::string md5;
    ASSERT_TRUE(ComputeFileMd5(published, md5));
    const std::string size = std::to_string(ReadFile(published).size());
    EXPECT_EQ(WaitForLog(11),
              (Messages{QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:200",
                        "Server response check version msg:" + ClientUrl(),
                        "ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:" + size, "Finish download,file size=" + size,
                        "Finish download,file md5=" + md5,
                        "Finish download,current file md5=" + md5,
                        "Update success.Current Version:1.0.0.1", "====================="}));
    EXPECT_EQ(ReadFile(Installed()), ReadFile(published));
    EXPECT_TRUE(IsExecutable(Installed()));
}

TEST_F(UpdateFlowTest, CurrentClientGoesOnRunning) {
    StartServer({"--client", PublishLauncher("1.0.0.0")});
    InstallProbe();
    const std::string before = ReadFile(Installed());

    EXPECT_EQ(Run(Installed()), 10);
    EXPECT_EQ(LogMessages(),
              (Messages{QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:200",
                        "Server response check version msg:0", "Finish Update.",
                        "====================="}));
    EXPECT_EQ(ReadFile(Installed()), before);
}

TEST_F(UpdateFlowTest, StalledDownloadLetsTheLauncherGoOn) {
    const std::string published = PublishLauncher("1.0.0.1");
    StartServer({"--client", published, "--fault", "download-stall"});
    InstallProbe();
    const std::string before = ReadFile(Installed());

    EXPECT_EQ(Run(Installed(), {"--stall-ms", "1000"}), 10);
    EXPECT_EQ(LogMessages(),
              (Messages{QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:200",
                        "Server response check version msg:" + ClientUrl(),
                        "ExcuUpdate,URL=" + ClientUrl(), "Http QueryInfoStatusCode:200",
                        "Content length:" + std::to_string(ReadFile(published).size()),
                        "Try Download File Exception",
                        "Timeout was reached: no data received for 1000 ms"}));
    EXPECT_EQ(ReadFile(Installed()), before);
}

}  // namespace
}  // namespace vostra
