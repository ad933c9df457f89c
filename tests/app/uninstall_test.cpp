// The uninstall's second stage in a temporary home, run both through the
// library and as the built launcher with a hand-made "-u <path>" line.
#include "app/uninstall.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/shell_ops.h"
#include "support/child_process.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vostra {
namespace {

class Uninstall : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        // GLib reads the data folder, and with it the trash, once per
        // process; CTest runs every test in a process of its own.
        if (g_get_user_data_dir() != DataHome()) {
            GTEST_SKIP() << "the trash folder was fixed by an earlier test; run this test alone";
        }
        desktop_ = Home() + "/Desktop";
        programs_ = DataHome() + "/applications";
        data_ = DataHome() + "/orbix/vstr";
        installed_ = data_ + "/vostra-launcher";
        // What a first-run install leaves behind.
        WriteFile(desktop_ + "/Orbix网《Vostra》.desktop", "[Desktop Entry]\n");
        WriteFile(programs_ + "/Orbix网/Vostra/Vostra.desktop", "[Desktop Entry]\n");
        WriteFile(programs_ + "/Orbix网/Vostra/卸载-Vostra.desktop", "[Desktop Entry]\n");
        WriteFile(installed_, "binary");
        WriteFile(data_ + "/res/systemset.ini", "[Setting]\r\n");
        WriteFile(data_ + "/res/update.log", "log");
        WriteFile(DataHome() + "/cache/kxvstrtmpu.exe", "copy");
    }

    bool InTrash(const std::string& name) { return fs::exists(DataHome() + "/Trash/files/" + name); }

    UninstallPlan Plan(const std::string& path) {
        return MakeUninstallPlan({desktop_, programs_}, path);
    }

    std::string desktop_, programs_, data_, installed_;
};

TEST_F(Uninstall, RemovesExactlyTheInstalledItems) {
    RunUninstallStage2(Plan(installed_));
    EXPECT_FALSE(fs::exists(desktop_ + "/Orbix网《Vostra》.desktop"));
    EXPECT_TRUE(InTrash("Orbix网《Vostra》.desktop"));
    EXPECT_TRUE(InTrash("Vostra.desktop"));
    EXPECT_TRUE(InTrash("卸载-Vostra.desktop"));
    EXPECT_TRUE(InTrash("res"));
    EXPECT_TRUE(fs::exists(DataHome() + "/Trash/files/res/systemset.ini"));
    // The executable is deleted for good, not trashed.
    EXPECT_FALSE(fs::exists(installed_));
    EXPECT_FALSE(InTrash("vostra-launcher"));
    // Empty menu folders go too; the install folder and the cache stay.
    EXPECT_FALSE(fs::exists(programs_ + "/Orbix网"));
    EXPECT_TRUE(fs::is_directory(data_));
    EXPECT_TRUE(fs::exists(DataHome() + "/cache/kxvstrtmpu.exe"));
    EXPECT_TRUE(fs::is_directory(desktop_));
}

TEST_F(Uninstall, MenuFolderWithAFileOfTheUsersOwnStays) {
    WriteFile(programs_ + "/Orbix网/Vostra/notes.txt", "mine");
    WriteFile(desktop_ + "/Vostra renamed.desktop", "mine");
    RunUninstallStage2(Plan(installed_));
    EXPECT_TRUE(fs::exists(programs_ + "/Orbix网/Vostra/notes.txt"));
    EXPECT_FALSE(fs::exists(programs_ + "/Orbix网/Vostra/Vostra.desktop"));
    EXPECT_TRUE(fs::exists(desktop_ + "/Vostra renamed.desktop"));
}

TEST_F(Uninstall, OnlyAnAbsolutePathToARegularFileIsActedOn) {
    EXPECT_EQ(Plan("").installed_exe, "");
    EXPECT_EQ(Plan("vostra-launcher").res_folder, "");
    EXPECT_EQ(Plan(data_).installed_exe, "");  // a folder
    EXPECT_EQ(Plan(data_ + "/missing").installed_exe, "");
    fs::create_symlink(installed_, data_ + "/link");
    EXPECT_EQ(Plan(data_ + "/link").installed_exe, "");
    EXPECT_EQ(Plan(installed_).res_folder, data_ + "/res");

    // A bare name leaves the res folder and the executable alone, while the
    // entries still go.
    RunUninstallStage2(Plan("vostra-launcher"));
    EXPECT_TRUE(fs::exists(installed_));
    EXPECT_TRUE(fs::exists(data_ + "/res/systemset.ini"));
    EXPECT_TRUE(InTrash("Vostra.desktop"));
}

TEST_F(Uninstall, StageTwoRunsFromTheLaunchersCommandLine) {
    const auto r = test::RunChild(VOSTRA_LAUNCHER_BIN, {"-u " + installed_}, {"LANG=C"});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_FALSE(fs::exists(installed_));
    EXPECT_TRUE(InTrash("res"));
    EXPECT_FALSE(fs::exists(programs_ + "/Orbix网"));
}

TEST_F(Uninstall, DecliningChangesNothing) {
    int asked = 0;
    EXPECT_FALSE(RunUninstallStage1([&] { ++asked; return false; }, installed_));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(fs::exists(DataHome() + "/cache/kxvstrtmpu.exe") &&
                 ReadFile(DataHome() + "/cache/kxvstrtmpu.exe") != "copy");
    EXPECT_TRUE(fs::exists(installed_));
    EXPECT_EQ(UninstallQuestion(), "您是否确认卸载《Vostra》？");
}

// On a file system without a usable trash (tmpfs here), an item the
// uninstall removes is deleted for good rather than left in place.
TEST_F(Uninstall, WithoutATrashItemsAreDeletedForGood) {
    if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no tmpfs at /dev/shm";
    char tmpl[] = "/dev/shm/vostra-trash-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string folder = std::string(tmpl) + "/res";
    WriteFile(folder + "/systemset.ini", "[Setting]\r\n");
    EXPECT_TRUE(ShellDeletePath(folder));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(ShellDeletePath(folder));  // gone already: nothing to do
    fs::remove_all(tmpl);
}

}  // namespace
}  // namespace vostra
