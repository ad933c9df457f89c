// Runs the built launcher with hand-made command lines in a temporary home
// and checks the mode it takes, the handoff's log lines, the replaced file
// and the exit codes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/file_md5.h"
#include "platform/text_utf.h"
#include "support/child_process.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

using test::ChildResult;
using test::RunChild;

// The normal launcher without a display: its login window cannot show.
constexpr int kNoDisplay = 1;
constexpr char kNoLoginWindow[] = "cannot show the login window: no display";

class LauncherModes : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        test::BecomeSubreaper();
        res_ = DataHome() + "/orbix/vstr/res";
        std::filesystem::create_directories(res_);
    }

    ChildResult Run(const std::vector<std::string>& argv, const std::string& program = VOSTRA_LAUNCHER_BIN) {
        // The C locale: the line must still be read as UTF-8. No display:
        // the normal launcher says so and ends, which tells its mode.
        return RunChild(program, argv, {"LANG=C", "LC_ALL=C", "DISPLAY=", "WAYLAND_DISPLAY="});
    }

    std::string Stamp(const std::string& out, const std::string& version) {
        std::filesystem::create_directories(std::filesystem::path(out).parent_path());
        const std::string cmd = std::string(VOSTRA_STAMP_BIN) + " --version " + version + " '" +
                                VOSTRA_LAUNCHER_BIN + "' '" + out + "'";
        EXPECT_EQ(system(cmd.c_str()), 0);
        return out;
    }

    // The log's lines as UTF-8, each without its CR LF.
    std::vector<std::string> LogLines() {
        const std::string raw = ReadFile(res_ + "/update.log");
        std::u16string units;
        for (size_t i = 0; i + 1 < raw.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8));
        }
        std::vector<std::string> lines;
        std::string text = Utf16ToUtf8(units);
        size_t start = 0, end;
        while ((end = text.find("\r\n", start)) != std::string::npos) {
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, text.size()) << "log does not end in CR LF";
        return lines;
    }

    // The message of a log line: what follows "\tUpdateModule\t".
    static std::string Message(const std::string& line) {
        const std::string tag = "\tUpdateModule\t";
        const size_t at = line.find(tag);
        return at == std::string::npos ? "<bad line: " + line + ">" : line.substr(at + tag.size());
    }

    std::string res_;
};

TEST_F(LauncherModes, EachModeIsTakenFromTheLine) {
    const std::string bin = VOSTRA_LAUNCHER_BIN;
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{bin}, false},
        {{bin, "-frameWnd=4194305", "-gameurl=http://h/play_gamecode?x=1"}, true},
        {{bin, "-frameWnd=0", "-gameurl=http://h/"}, false},
        {{bin, "-frameWnd=12"}, false},
    };
    for (const auto& [argv, game_window] : cases) {
        const ChildResult r = Run(argv);
        if (game_window) {
            EXPECT_EQ(r.exit_code, kNoDisplay) << argv.back();
            EXPECT_NE(r.err.find("cannot show the game window: no display"), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.exit_code, kNoDisplay) << argv.back();
            EXPECT_NE(r.err.find(kNoLoginWindow), std::string::npos) << r.err;
        }
    }
    // No login page loaded, so no version check ran.
    EXPECT_FALSE(std::filesystem::exists(res_ + "/update.log"));
}

// Without a display the uninstall question cannot be asked, and without an
// answer nothing is uninstalled.
TEST_F(LauncherModes, UninstallStageOneNeedsAnAnswer) {
    const std::string bin = VOSTRA_LAUNCHER_BIN;
    const std::vector<std::vector<std::string>> lines = {
        {bin, "-u"},
        {"-u " + bin + " -u"},                                  // tail before head
        {bin, "-frameWnd=12", "-gameurl=http://h/?a-u"},       // a URL ending in "-u"
    };
    for (const auto& argv : lines) {
        const ChildResult r =
            RunChild(bin, argv, {"LANG=C", "DISPLAY=", "WAYLAND_DISPLAY="});
        EXPECT_EQ(r.exit_code, 1) << argv.back();
        EXPECT_NE(r.err.find("the uninstall question could not be shown"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(DataHome() + "/cache"));
}

TEST_F(LauncherModes, BareHandoffOptionStartsTheNormalLauncherWithoutLogging) {
    const ChildResult r = Run({"-d"});
    EXPECT_EQ(r.exit_code, kNoDisplay);
    EXPECT_NE(r.err.find(kNoLoginWindow), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(res_ + "/update.log"));
}

TEST_F(LauncherModes, HandoffReplacesTheInstalledClientAndStartsIt) {
    const std::string installed = Stamp(DataHome() + "/orbix/vstr/网 游 launcher", "1.0.0.0");
    chmod(installed.c_str(), 0700);
    const std::string downloaded = Stamp(DataHome() + "/cache/kxvstrtmp.exe", "1.0.0.1");

    // "-d" then the path with its blanks, and a line ending in "-u" would
    // still be a handoff: "-d" is tested first.
    const ChildResult r = Run({"-d " + installed}, downloaded);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(ReadFile(installed), ReadFile(downloaded));
    struct stat st {};
    ASSERT_EQ(stat(installed.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    std::string md5;
    ASSERT_TRUE(ComputeFileMd5(downloaded, md5));
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Message(lines[0]), "Finish download,current file md5=" + md5);
    EXPECT_EQ(Message(lines[1]), "Update success.Current Version:1.0.0.1");
    EXPECT_EQ(Message(lines[2]), "=====================");

    // The installed client was started with no command line: a normal launcher.
    EXPECT_EQ(test::WaitForOrphan(10000), kNoDisplay);
    // No temporary file is left beside the installed client.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataHome() + "/orbix/vstr"), {}), 2);
}

TEST_F(LauncherModes, HandoffWithoutInstalledFileStillInstallsIt) {
    const std::string downloaded = Stamp(DataHome() + "/cache/kxvstrtmp.exe", "1.0.0.1");
    const std::string installed = DataHome() + "/orbix/vstr/vostra-launcher";
    const ChildResult r = Run({"-d " + installed}, downloaded);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    struct stat st {};
    ASSERT_EQ(stat(installed.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    test::WaitForOrphan(10000);
}

TEST_F(LauncherModes, FailedCopyIsLoggedAndTheDownloadRunsAsTheLauncher) {
    const std::string downloaded = Stamp(DataHome() + "/cache/kxvstrtmp.exe", "1.0.0.1");
    const ChildResult r = Run({"-d " + DataHome() + "/no/such/folder/vostra"}, downloaded);
    EXPECT_EQ(r.exit_code, kNoDisplay);
    EXPECT_NE(r.err.find(kNoLoginWindow), std::string::npos) << r.err;
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Message(lines[0]), "Update failure.Error Code:2");  // ENOENT
    EXPECT_EQ(Message(lines[1]), "=====================");
}

}  // namespace
}  // namespace vostra
