// Desktop entries standing in for shell links.
#include <gtest/gtest.h>

#include <cstdlib>

#include "install/desktop_entry.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

// desktop-file-validate's verdict: "" when the file is valid, else its
// complaints.
std::string Validate(const std::string& path) {
    if (system("command -v desktop-file-validate >/dev/null 2>&1") != 0) return "";
    const std::string cmd = "desktop-file-validate '" + path + "' 2>&1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[512];
        while (fgets(buf, sizeof buf, p)) out += buf;
        if (pclose(p) != 0 && out.empty()) out = "failed";
    }
    return out;
}

TEST(DesktopExec, QuotesAndEscapesThePath) {
    EXPECT_EQ(DesktopExecValue("/opt/v/vostra", "1"), "\"/opt/v/vostra\" 1");
    EXPECT_EQ(DesktopExecValue("/a b/v", "-u"), "\"/a b/v\" -u");
    // Inside the quotes '"', '`', '$' and '\' take a backslash; then the
    // string rules double every backslash; "%" is doubled.
    EXPECT_EQ(DesktopExecValue("/x\"y/$HOME/`z`/100%/a\\b", "1"),
              "\"/x\\\\\"y/\\\\$HOME/\\\\`z\\\\`/100%%/a\\\\\\\\b\" 1");
    EXPECT_EQ(DesktopExecValue("/new\nline", ""), "\"/new\\nline\"");
}

class DesktopEntryTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        folder_ = Root() + "/links";
        std::filesystem::create_directories(folder_);
        target_ = Root() + "/inst dir/vostra-launcher";
        std::filesystem::create_directories(Root() + "/inst dir/res");
    }
    std::string folder_;
    std::string target_;
};

TEST_F(DesktopEntryTest, StartEntryIsValidExecutableAndNamedAfterTheLink) {
    ASSERT_TRUE(CreateShortcut(target_, "1", folder_, "Orbix网《Vostra》.desktop", false));
    const std::string path = folder_ + "/Orbix网《Vostra》.desktop";
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("Name=Orbix网《Vostra》\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Exec=\"" + target_ + "\" 1\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Icon="), std::string::npos) << "no icon file, no Icon key";
    EXPECT_EQ(ModeOf(path), 0755u);
    EXPECT_EQ(Validate(path), "");
}

TEST_F(DesktopEntryTest, StartEntryShowsTheLauncherIconWhenInstalled) {
    WriteFile(Root() + "/inst dir/res/vostra.png", "png");
    ASSERT_TRUE(CreateShortcut(target_, "1", folder_, "Vostra.desktop", false));
    const std::string text = ReadFile(folder_ + "/Vostra.desktop");
    EXPECT_NE(text.find("Icon=" + Root() + "/inst dir/res/vostra.png\n"), std::string::npos);
    EXPECT_EQ(Validate(folder_ + "/Vostra.desktop"), "");
}

TEST_F(DesktopEntryTest, UninstallEntryUsesTheIconBesideTheTarget) {
    ASSERT_TRUE(CreateShortcut(target_, "-u", folder_, "卸载-Vostra.desktop", true));
    const std::string path = folder_ + "/卸载-Vostra.desktop";
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("Name=卸载-Vostra\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=\"" + target_ + "\" -u\n"), std::string::npos);
    EXPECT_NE(text.find("Icon=" + Root() + "/inst dir/res/uninstall.ico\n"), std::string::npos);
    EXPECT_EQ(Validate(path), "");
}

TEST_F(DesktopEntryTest, ReplacesAnExistingFileAndMakesItExecutable) {
    WriteFile(folder_ + "/Vostra.desktop", "old");
    chmod((folder_ + "/Vostra.desktop").c_str(), 0600);
    ASSERT_TRUE(CreateShortcut(target_, "1", folder_, "Vostra.desktop", false));
    EXPECT_NE(ReadFile(folder_ + "/Vostra.desktop"), "old");
    EXPECT_EQ(ModeOf(folder_ + "/Vostra.desktop"), 0755u);
}

TEST_F(DesktopEntryTest, StrangePathsStillValidate) {
    const std::string odd = Root() + "/a \"b\" $c %d\\e/vostra";
    ASSERT_TRUE(CreateShortcut(odd, "1", folder_, "Odd.desktop", false));
    EXPECT_EQ(Validate(folder_ + "/Odd.desktop"), "");
}

TEST_F(DesktopEntryTest, MissingFolderFails) {
    EXPECT_FALSE(CreateShortcut(target_, "1", Root() + "/nowhere", "V.desktop", false));
}

}  // namespace
}  // namespace vostra::test
