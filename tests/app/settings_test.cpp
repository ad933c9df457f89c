#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/app_paths.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

class Settings : public test::Sandbox {
protected:
    std::string Read(const std::string& section, const std::string& key, const std::string& def) {
        std::string out;
        ReadSetting(section, key, def, out);
        return out;
    }
    static constexpr char kDefaultFile[] =
        "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\n"
        "autologin=0\r\nscreenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n";
};

TEST_F(Settings, FileLivesInTheResFolderOfTheDataFolder) {
    EXPECT_EQ(GetSettingsPath(), DataHome() + "/orbix/vstr/res//systemset.ini");
}

TEST_F(Settings, NoFileGivesTheDefaults) {
    EXPECT_EQ(Read("Setting", "screentoggle", "0"), "0");
    EXPECT_EQ(Read("Setting", "fullscreen", "0"), "0");
    EXPECT_EQ(Read("Setting", "start", "-1"), "-1");
    EXPECT_EQ(Read("Setting", "x", "dflt  "), "dflt");  // trailing blanks of a default go
}

TEST_F(Settings, DefaultFileGivesItsValuesAndTheMarkerIsAddedAtTheSectionEnd) {
    WriteFile(GetSettingsPath(), kDefaultFile);
    EXPECT_EQ(Read("setting", "ScreenToggle", "0"), "F10");
    EXPECT_EQ(Read("Setting", "fullscreen", "0"), "F11");
    WriteSetting("Setting", "start", "1001");
    EXPECT_EQ(ReadFile(GetSettingsPath()), std::string(kDefaultFile) + "start=1001\r\n");
    EXPECT_EQ(Read("Setting", "start", "-1"), "1001");
}

TEST_F(Settings, LongValuesAreCutTo259Characters) {
    WriteFile(GetSettingsPath(), "[Setting]\r\nk=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(Read("Setting", "k", ""), std::string(259, 'v'));
    // Characters, not bytes: 300 CJK characters give 259 of them.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "网";
    WriteFile(GetSettingsPath(), "[Setting]\r\nk=" + wide + "\r\n");
    EXPECT_EQ(Read("Setting", "k", ""), wide.substr(0, 259 * 3));
}

TEST_F(Settings, WriteWithoutTheResFolderIsLostSilently) {
    WriteSetting("Setting", "start", "1001");
    EXPECT_EQ(Read("Setting", "start", "-1"), "-1");
}

TEST_F(Settings, DataFolderIsComputedOnceAndEndsWithASlash) {
    const std::string first = GetAppDir();
    EXPECT_EQ(first, DataHome() + "/orbix/vstr/");
    SetEnv("XDG_DATA_HOME", Root() + "/elsewhere");
    EXPECT_EQ(GetAppDir(), first);
}

TEST_F(Settings, MissingDataHomeIsCreatedPrivate) {
    GetAppDir();
    GetCacheDir();
    struct stat st {};
    ASSERT_EQ(stat(DataHome().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(std::filesystem::exists(DataHome() + "/orbix"));
}

TEST_F(Settings, UnsetDataHomeFallsBackToTheHomeFolder) {
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(GetAppDir(), Home() + "/.local/share/orbix/vstr/");
    SetEnv("XDG_DATA_HOME", "relative/path");  // not absolute: ignored
    ResetAppDirForTesting();
    EXPECT_EQ(GetAppDir(), Home() + "/.local/share/orbix/vstr/");
}

}  // namespace
}  // namespace vostra
