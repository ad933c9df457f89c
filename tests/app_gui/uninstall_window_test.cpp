// The uninstall as a player meets it: after a first-run install, the
// installed launcher is started with a line ending in "-u"; the question
// shows on a real X display and is answered with the pointer.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "harness_process.h"
#include "install/self_install.h"
#include "platform/resources.h"
#include "support/child_process.h"
#include "support/sandbox.h"
#include "ui/message_box_layout.h"

namespace fs = std::filesystem;

extern char** environ;

namespace vostra {
namespace {

// Every path below root with its size (-1 for folders), leaving out the
// toolkit's own cache folder (fontconfig writes there on first use).
std::map<std::string, long> Tree(const std::string& root) {
    std::map<std::string, long> tree;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.path().string().find("/.cache") != std::string::npos) continue;
        tree[e.path().string()] = e.is_regular_file() ? static_cast<long>(e.file_size()) : -1;
    }
    return tree;
}

class UninstallWindow : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
        test::BecomeSubreaper();
        fs::create_directories(Home() + "/Desktop");
        InstallEnvironment env;
        env.app_data_folder = DataHome();
        env.running_executable = VOSTRA_LAUNCHER_BIN;
        env.desktop_folder = Home() + "/Desktop";
        env.programs_folder = DataHome() + "/applications";
        env.first_run_archive = LoadResourceBytes("ZIP", 269).value_or("");
        env.launcher_icon = LoadResourceByPath("/res/icon/273.png").value_or("");
        EnsureInstalledIn(env);
        installed_ = InstallFolderFor(DataHome()) + "/" + fs::path(VOSTRA_LAUNCHER_BIN).filename().string();
        ASSERT_TRUE(fs::exists(installed_));
        ASSERT_TRUE(fs::exists(InstallFolderFor(DataHome()) + "/res/systemset.ini"));
    }

    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        Sandbox::TearDown();
    }

    // Starts the installed launcher as its uninstall entry does and waits
    // for the question; returns its window id ("" when it never showed).
    std::string StartAndFindQuestion() {
        std::vector<std::string> args = {installed_, "-u"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, installed_.c_str(), nullptr, nullptr, argv.data(), environ), 0);
        const unsigned long xid = test::FindWindowByTitle("卸载");
        return xid != 0 ? std::to_string(xid) : "";
    }

    // Clicks the middle of a rectangle of the box's client area.
    void ClickIn(const std::string& window, const ui::Rect& r) {
        int x = 0, y = 0;
        ASSERT_TRUE(test::WindowOrigin(std::stoul(window), &x, &y));
        test::Xdo("mousemove " + std::to_string(x + r.x + r.width / 2) + " " +
                  std::to_string(y + r.y + r.height / 2));
        test::Sleep(150);
        test::Xdo("click 1");
    }

    int WaitStage1() {
        int status = 0;
        for (int i = 0; i < 1000 && waitpid(pid_, &status, WNOHANG) == 0; ++i) test::Sleep(10);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool InTrash(const std::string& name) { return fs::exists(DataHome() + "/Trash/files/" + name); }

    std::string installed_;
    pid_t pid_ = -1;
};

TEST_F(UninstallWindow, DecliningChangesNothing) {
    const auto before = Tree(Root());
    const std::string window = StartAndFindQuestion();
    ASSERT_FALSE(window.empty()) << "the question never showed";
    test::Sleep(300);
    test::Screenshot shot("uninstall-question");
    EXPECT_TRUE(shot.Ok());
    ClickIn(window, ui::msgbox::CancelRect());
    EXPECT_EQ(WaitStage1(), 0);
    EXPECT_EQ(Tree(Root()), before);
}

TEST_F(UninstallWindow, AcceptingRemovesTheInstallButKeepsTheUsersFiles) {
    const std::string folder = InstallFolderFor(DataHome());
    const std::string menu = DataHome() + "/applications/Orbix网";
    ASSERT_TRUE(fs::exists(menu + "/Vostra/Vostra.desktop"));
    test::Sandbox::WriteFile(menu + "/Vostra/my notes.txt", "mine");

    const std::string window = StartAndFindQuestion();
    ASSERT_FALSE(window.empty()) << "the question never showed";
    test::Sleep(300);
    ClickIn(window, ui::msgbox::OkRect());
    EXPECT_EQ(WaitStage1(), 0);
    EXPECT_EQ(test::WaitForOrphan(15000), 0) << "stage 2 did not finish";

    EXPECT_FALSE(fs::exists(installed_));
    EXPECT_FALSE(InTrash(fs::path(installed_).filename().string()));
    EXPECT_FALSE(fs::exists(folder + "/res"));
    EXPECT_TRUE(InTrash("res"));
    EXPECT_TRUE(InTrash("Orbix网《Vostra》.desktop"));
    EXPECT_TRUE(InTrash("Vostra.desktop"));
    EXPECT_TRUE(InTrash("卸载-Vostra.desktop"));
    EXPECT_TRUE(fs::exists(menu + "/Vostra/my notes.txt"));
    EXPECT_TRUE(fs::is_directory(folder));
    const std::string copy = DataHome() + "/cache/kxvstrtmpu.exe";
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
}

}  // namespace
}  // namespace vostra
