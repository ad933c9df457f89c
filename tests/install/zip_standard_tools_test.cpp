// Archives made by Info-ZIP zip, the tool most archives on Linux come from:
// Unix host, Unix modes, "UT" and "ux" extra blocks, folders of their own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "install/zip_entry_fields.h"
#include "support/sandbox.h"
#include "zip_test_util.h"

namespace vostra::test {
namespace {

class StandardToolsTest : public Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (system("command -v zip >/dev/null 2>&1") != 0) GTEST_SKIP() << "zip not installed";
        src_ = Root() + "/src";
        WriteFile(src_ + "/dir/text.txt", std::string(20000, 't') + "end");
        WriteFile(src_ + "/dir/locked.txt", "read only");
        WriteFile(src_ + "/top.bin", "\x01\x02\x03");
        chmod((src_ + "/dir/locked.txt").c_str(), 0444);
        struct timespec times[2] = {{1400000000, 0}, {1300000000, 0}};
        utimensat(AT_FDCWD, (src_ + "/dir/text.txt").c_str(), times, 0);
    }

    std::string Zip(const std::string& options) {
        const std::string out = Root() + "/made.zip";
        const std::string cmd = "cd '" + src_ + "' && zip -q " + options + " '" + out +
                                "' -r dir top.bin";
        EXPECT_EQ(system(cmd.c_str()), 0);
        return ReadFile(out);
    }

    int Find(const OpenZip& zip, const std::string& name) {
        for (int i = 0; i < zip.Count(); ++i) {
            if (zip.Info(i).name == name) return i;
        }
        return -1;
    }

    std::string src_;
};

TEST_F(StandardToolsTest, UnixArchiveListsAndExtracts) {
    OpenZip zip(Zip(""));
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip.Count(), 4);
    const int dir = Find(zip, "dir/");
    const int text = Find(zip, "dir/text.txt");
    const int locked = Find(zip, "dir/locked.txt");
    ASSERT_GE(dir, 0);
    ASSERT_GE(text, 0);
    ASSERT_GE(locked, 0);
    EXPECT_EQ(zip.Info(dir).attr, 0x30u);
    EXPECT_EQ(zip.Info(text).attr, 0x20u);
    EXPECT_EQ(zip.Info(locked).attr, 0x21u);
    const ZipEntryInfo ze = zip.Info(text);
    EXPECT_EQ(ze.mtime, zip::UnixTimeToFileTime(1300000000));
    EXPECT_EQ(ze.atime, zip::UnixTimeToFileTime(1400000000));

    const std::string out = Root() + "/out";
    SetBaseDirectory(zip.get(), out);
    for (int i = 0; i < zip.Count(); ++i) {
        EXPECT_EQ(ExtractZipEntry(zip.get(), i, zip.Info(i).name), kZipOk) << i;
    }
    EXPECT_EQ(ReadFile(out + "/dir/text.txt"), ReadFile(src_ + "/dir/text.txt"));
    EXPECT_EQ(ReadFile(out + "/top.bin"), "\x01\x02\x03");
    EXPECT_EQ(ModeOf(out + "/dir/locked.txt") & 0222, 0u);
    struct stat st {};
    stat((out + "/dir/text.txt").c_str(), &st);
    EXPECT_EQ(st.st_mtime, 1300000000);
}

TEST_F(StandardToolsTest, StoredArchiveWithCommentAndPrefix) {
    std::string bytes = Zip("-0");
    // zip -z reads the comment from standard input.
    const std::string comment(3000, 'c');
    const std::string cmd = "printf '%s' '" + comment + "' | zip -q -z '" + Root() + "/made.zip'";
    ASSERT_EQ(system(cmd.c_str()), 0);
    bytes = std::string(777, 'p') + ReadFile(Root() + "/made.zip");
    OpenZip zip(bytes);
    ASSERT_TRUE(zip);
    const int text = Find(zip, "dir/text.txt");
    ASSERT_GE(text, 0);
    EXPECT_EQ(zip.Info(text).comp_size, zip.Info(text).unc_size);
    SetBaseDirectory(zip.get(), Root() + "/out");
    ASSERT_EQ(ExtractZipEntry(zip.get(), text, "copy.txt"), kZipOk);
    EXPECT_EQ(ReadFile(Root() + "/out/copy.txt"), ReadFile(src_ + "/dir/text.txt"));
}

TEST_F(StandardToolsTest, DataDescriptorsFromStreamedInput) {
    // "zip -fd" forces data descriptors on (bit 3) for every entry.
    OpenZip zip(Zip("-fd"));
    ASSERT_TRUE(zip);
    const int text = Find(zip, "dir/text.txt");
    ASSERT_GE(text, 0);
    SetBaseDirectory(zip.get(), Root() + "/out");
    EXPECT_EQ(ExtractZipEntry(zip.get(), text, "t.txt"), kZipOk);
    EXPECT_EQ(ReadFile(Root() + "/out/t.txt"), ReadFile(src_ + "/dir/text.txt"));
}

}  // namespace
}  // namespace vostra::test
