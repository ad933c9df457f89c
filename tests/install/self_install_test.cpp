// The self-install in a temporary home: folders, the installed copy, the
// first-run files and the desktop entries, over several starts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "app/file_version.h"
#include "app/ini_file.h"
#include "install/self_install.h"
#include "platform/resources.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

const char kDesktopLink[] = "Orbix网《Vostra》.desktop";
const char kMenuFolder[] = "Orbix网/Vostra";

class SelfInstallTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        env_.app_data_folder = DataHome();
        env_.desktop_folder = Home() + "/Desktop";
        env_.programs_folder = DataHome() + "/applications";
        env_.first_run_archive =
            LoadResourceBytes("ZIP", 269).value_or(std::string_view());
        env_.launcher_icon = "\x89PNG launcher icon";
        std::filesystem::create_directories(env_.desktop_folder);
        install_ = DataHome() + "/orbix/vstr";
    }

    // A launcher copy with the given FileVersion ("" for none).
    std::string Stamped(const std::string& version, const std::string& name) {
        const std::string out = Root() + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(out).parent_path());
        const std::string cmd =
            version.empty()
                ? std::string(VOSTRA_STAMP_BIN) + " --no-record " + VOSTRA_LAUNCHER_BIN + " " + out
                : std::string(VOSTRA_STAMP_BIN) + " --version " + version + " " +
                      VOSTRA_LAUNCHER_BIN + " " + out;
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        return out;
    }

    // Runs the install as the executable at path (its file name is the
    // installed name).
    void RunAs(const std::string& path) {
        env_.running_executable = path;
        EnsureInstalledIn(env_);
    }

    std::string Installed() const { return install_ + "/vostra-launcher"; }
    std::string Menu(const std::string& file) const {
        return env_.programs_folder + "/" + kMenuFolder + "/" + file;
    }

    InstallEnvironment env_;
    std::string install_;
};

TEST_F(SelfInstallTest, FirstRunInstallsEverything) {
    RunAs(Stamped("1.0.0.1", "run1/vostra-launcher"));
    EXPECT_EQ(GetFileVersionString(Installed()), "1.0.0.1");
    EXPECT_EQ(ModeOf(Installed()), 0755u);
    EXPECT_TRUE(std::filesystem::exists(install_ + "/res/systemset.ini"));
    EXPECT_EQ(ReadFile(install_ + "/res/uninstall.ico").size(), 1150u);
    EXPECT_EQ(ReadFile(install_ + "/res/vostra.png"), "\x89PNG launcher icon");
    EXPECT_EQ(IniReadValue(install_ + "/res/systemset.ini", "Setting", "start"), "1001");

    const std::string desktop = ReadFile(env_.desktop_folder + "/" + kDesktopLink);
    EXPECT_NE(desktop.find("Exec=\"" + Installed() + "\" 1\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("Icon=" + install_ + "/res/vostra.png\n"), std::string::npos);
    const std::string start = ReadFile(Menu("Vostra.desktop"));
    EXPECT_NE(start.find("Name=Vostra\n"), std::string::npos);
    EXPECT_NE(start.find("Exec=\"" + Installed() + "\" 1\n"), std::string::npos);
    const std::string uninstall = ReadFile(Menu("卸载-Vostra.desktop"));
    EXPECT_NE(uninstall.find("Exec=\"" + Installed() + "\" -u\n"), std::string::npos);
    EXPECT_NE(uninstall.find("Icon=" + install_ + "/res/uninstall.ico\n"), std::string::npos);
    if (system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
        for (const std::string& f : {env_.desktop_folder + "/" + kDesktopLink,
                                     Menu("Vostra.desktop"), Menu("卸载-Vostra.desktop")}) {
            EXPECT_EQ(system(("desktop-file-validate '" + f + "'").c_str()), 0) << f;
        }
    }
}

TEST_F(SelfInstallTest, SecondRunLeavesTheDesktopEntryAndRewritesTheMenu) {
    const std::string exe = Stamped("1.0.0.1", "run/vostra-launcher");
    RunAs(exe);
    WriteFile(env_.desktop_folder + "/" + kDesktopLink, "user's own entry");
    WriteFile(Menu("Vostra.desktop"), "damaged");
    std::filesystem::remove(Menu("卸载-Vostra.desktop"));
    RunAs(exe);
    EXPECT_EQ(ReadFile(env_.desktop_folder + "/" + kDesktopLink), "user's own entry");
    EXPECT_NE(ReadFile(Menu("Vostra.desktop")), "damaged");
    EXPECT_TRUE(std::filesystem::exists(Menu("卸载-Vostra.desktop")));
}

TEST_F(SelfInstallTest, DeletedDesktopEntryComesBack) {
    const std::string exe = Stamped("1.0.0.1", "run/vostra-launcher");
    RunAs(exe);
    std::filesystem::remove(env_.desktop_folder + "/" + kDesktopLink);
    RunAs(exe);
    EXPECT_TRUE(std::filesystem::exists(env_.desktop_folder + "/" + kDesktopLink));
}

TEST_F(SelfInstallTest, MissingDesktopFolderIsNotCreated) {
    std::filesystem::remove_all(env_.desktop_folder);
    RunAs(Stamped("1.0.0.1", "run/vostra-launcher"));
    EXPECT_FALSE(std::filesystem::exists(env_.desktop_folder));
    EXPECT_TRUE(std::filesystem::exists(Menu("Vostra.desktop")));
    EXPECT_TRUE(std::filesystem::exists(Installed()));
}

TEST_F(SelfInstallTest, NewerRunningVersionReplacesTheInstalledCopy) {
    RunAs(Stamped("1.0.0.1", "old/vostra-launcher"));
    RunAs(Stamped("1.0.0.2", "new/vostra-launcher"));
    EXPECT_EQ(GetFileVersionString(Installed()), "1.0.0.2");
}

TEST_F(SelfInstallTest, OlderRunningVersionLeavesTheInstalledCopy) {
    RunAs(Stamped("1.0.0.2", "new/vostra-launcher"));
    RunAs(Stamped("1.0.0.1", "old/vostra-launcher"));
    EXPECT_EQ(GetFileVersionString(Installed()), "1.0.0.2");
}

TEST_F(SelfInstallTest, VersionsCompareAsOneIntegerNotFieldByField) {
    // "1.10.0.0" reads as 11000 and "2.0.0.0" as 2000: the first wins.
    RunAs(Stamped("1.10.0.0", "a/vostra-launcher"));
    RunAs(Stamped("2.0.0.0", "b/vostra-launcher"));
    EXPECT_EQ(GetFileVersionString(Installed()), "1.10.0.0");
}

TEST_F(SelfInstallTest, UnversionedOrZeroInstalledCopyIsReplaced) {
    for (const std::string& installed : {std::string(""), std::string("0.0.0.0")}) {
        RunAs(Stamped(installed, "bad/vostra-launcher"));
        RunAs(Stamped("1.0.0.1", "good/vostra-launcher"));
        EXPECT_EQ(GetFileVersionString(Installed()), "1.0.0.1") << installed;
        std::filesystem::remove(Installed());
    }
}

TEST_F(SelfInstallTest, RunningTheInstalledCopyCopiesNothing) {
    RunAs(Stamped("1.0.0.1", "run/vostra-launcher"));
    struct stat before {};
    stat(Installed().c_str(), &before);
    RunAs(Installed());
    struct stat after {};
    stat(Installed().c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(SelfInstallTest, EditedSettingsAndStaleDataZip) {
    WriteFile(install_ + "/res/systemset.ini", "[Setting]\r\nfullscreen=F8\r\n");
    WriteFile(install_ + "/res/data.zip", "stale");
    RunAs(Stamped("1.0.0.1", "run/vostra-launcher"));
    EXPECT_EQ(ReadFile(install_ + "/res/systemset.ini"),
              "[Setting]\r\nfullscreen=F8\r\nstart=1001\r\n");
    EXPECT_FALSE(std::filesystem::exists(install_ + "/res/data.zip"));
    EXPECT_TRUE(std::filesystem::exists(install_ + "/res/uninstall.ico"));
}

TEST_F(SelfInstallTest, RealEnvironmentStaysInTheSandboxHome) {
    // The wrapper reads HOME and the XDG folders, which point into the
    // sandbox, and installs the running program (this test binary).
    EnsureInstalled();
    const std::string self = install_ + "/test_install";
    EXPECT_TRUE(std::filesystem::exists(self));
    EXPECT_EQ(IniReadValue(install_ + "/res/systemset.ini", "Setting", "start"), "1001");
    const auto icon = LoadResourceByPath("/res/icon/273.png");
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(ReadFile(install_ + "/res/vostra.png"), std::string(*icon));
    EXPECT_TRUE(std::filesystem::exists(Menu("卸载-Vostra.desktop")));
    EXPECT_TRUE(std::filesystem::exists(env_.desktop_folder + "/" + kDesktopLink));
}

TEST(VersionNumbers, DotsRemovedThenReadAsOneNumber) {
    EXPECT_EQ(VersionNumber("1.0.0.2"), 1002);
    EXPECT_EQ(VersionNumber("1.0.0.0"), 1000);
    EXPECT_EQ(VersionNumber("1.10.0.0"), 11000);
    EXPECT_EQ(VersionNumber(""), 0);
    EXPECT_EQ(VersionNumber("None VerSion Supprot"), 0);
    EXPECT_EQ(VersionNumber("0.0.0.0"), 0);
}

}  // namespace
}  // namespace vostra::test
