// The first-run files: the embedded archive and its unpacking into res.
#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "install/first_run.h"
#include "platform/resources.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

const char kDefaultSettings[] =
    "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\n"
    "autologin=0\r\nscreenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n";

std::string EmbeddedArchive() {
    const auto bytes = LoadResourceBytes("ZIP", kFirstRunArchiveId);
    return bytes ? std::string(*bytes) : std::string();
}

TEST(FirstRunArchive, HoldsTheTwoDeflatedDosEntries) {
    const std::string bytes = EmbeddedArchive();
    ASSERT_FALSE(bytes.empty());
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    ASSERT_EQ(zip.Count(), 2);
    const ZipEntryInfo ini = zip.Info(0);
    const ZipEntryInfo ico = zip.Info(1);
    EXPECT_EQ(ini.name, "systemset.ini");
    EXPECT_EQ(ini.unc_size, 137u);
    EXPECT_EQ(ico.name, "uninstall.ico");
    EXPECT_EQ(ico.unc_size, 1150u);
    EXPECT_EQ(ini.attr, 0x20u);
    EXPECT_EQ(ico.attr, 0x20u);
    // Every central header: made on a DOS host (high byte 0), deflated.
    size_t at = 0;
    int headers = 0;
    while ((at = bytes.find(std::string("PK\x01\x02", 4), at)) != std::string::npos) {
        EXPECT_EQ(bytes[at + 5], 0);
        EXPECT_EQ(bytes[at + 10], 8);
        at += 4;
        ++headers;
    }
    EXPECT_EQ(headers, 2);
}

TEST(FirstRunArchive, SettingsAndIconHaveTheirFixedForm) {
    const std::string ini = ReadFileOf(VOSTRA_SOURCE_DIR "/res/firstrun/systemset.ini");
    EXPECT_EQ(ini, kDefaultSettings);
    const std::string ico = ReadFileOf(VOSTRA_SOURCE_DIR "/res/firstrun/uninstall.ico");
    ASSERT_EQ(ico.size(), 1150u);
    // One image, 16 x 16, 32 bits per pixel.
    EXPECT_EQ(ico.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
    EXPECT_EQ(ico[6], 16);
    EXPECT_EQ(ico[7], 16);
    EXPECT_EQ(ico[12], 32);
}

class FirstRunTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        install_ = Root() + "/install";
        std::filesystem::create_directories(install_);
        archive_ = EmbeddedArchive();
    }
    std::string Res(const std::string& name) const { return install_ + "/res/" + name; }
    std::string Marker() const {
        return IniReadValue(Res("systemset.ini"), "Setting", "start").value_or("(missing)");
    }
    std::string install_;
    std::string archive_;
};

TEST_F(FirstRunTest, FirstRunUnpacksBothFilesAndSetsTheMarker) {
    EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
    EXPECT_EQ(ReadFile(Res("systemset.ini")),
              std::string(kDefaultSettings) + "start=1001\r\n");
    EXPECT_EQ(ReadFile(Res("uninstall.ico")),
              ReadFile(VOSTRA_SOURCE_DIR "/res/firstrun/uninstall.ico"));
}

TEST_F(FirstRunTest, MarkerStopsAnyLaterUnpacking) {
    ASSERT_TRUE(UnpackFirstRunArchive(install_, archive_));
    std::filesystem::remove(Res("uninstall.ico"));
    EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
    EXPECT_FALSE(std::filesystem::exists(Res("uninstall.ico")));
}

TEST_F(FirstRunTest, EditedSettingsSurviveAndTheIconIsRewritten) {
    const std::string edited = "[Setting]\r\nscreentoggle=F9\r\n";
    WriteFile(Res("systemset.ini"), edited);
    WriteFile(Res("uninstall.ico"), "old icon");
    EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
    EXPECT_EQ(ReadFile(Res("systemset.ini")), edited + "start=1001\r\n");
    EXPECT_EQ(ReadFile(Res("uninstall.ico")).size(), 1150u);
}

TEST_F(FirstRunTest, AnyOtherMarkerValueUnpacksAgain) {
    for (const char* value : {"1000", "abc", "1001x0", "-1"}) {
        WriteFile(Res("systemset.ini"), std::string("[Setting]\r\nstart=") + value + "\r\n");
        std::filesystem::remove(Res("uninstall.ico"));
        EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
        const bool unpacked = std::filesystem::exists(Res("uninstall.ico"));
        // "1001x0" reads as 1001, the way the number was always read.
        EXPECT_EQ(unpacked, std::string(value) != "1001x0") << value;
        EXPECT_EQ(Marker(), std::string(value) == "1001x0" ? "1001x0" : "1001");
    }
}

TEST_F(FirstRunTest, StaleDataZipIsDeleted) {
    WriteFile(Res("data.zip"), "stale");
    EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
    EXPECT_FALSE(std::filesystem::exists(Res("data.zip")));
}

TEST_F(FirstRunTest, FailedUnpackingLeavesNoMarkerAndIsRetried) {
    const std::string broken = archive_.substr(0, archive_.size() / 2);
    EXPECT_FALSE(UnpackFirstRunArchive(install_, broken));
    EXPECT_FALSE(std::filesystem::exists(Res("systemset.ini")));
    // A damaged settings entry is not written either.
    std::string corrupt = archive_;
    corrupt[50] ^= 0x20;  // inside the first entry's deflated data
    EXPECT_FALSE(UnpackFirstRunArchive(install_, corrupt));
    EXPECT_FALSE(std::filesystem::exists(Res("systemset.ini")));
    EXPECT_TRUE(UnpackFirstRunArchive(install_, archive_));
    EXPECT_EQ(Marker(), "1001");
}

TEST(SettingNumbers, ReadLikeTheWindowsConversion) {
    EXPECT_EQ(SettingToInt("1001"), 1001);
    EXPECT_EQ(SettingToInt("  -1"), -1);
    EXPECT_EQ(SettingToInt("+7x"), 7);
    EXPECT_EQ(SettingToInt("x7"), 0);
    EXPECT_EQ(SettingToInt(""), 0);
    EXPECT_EQ(SettingToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(SettingToInt("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace vostra::test
