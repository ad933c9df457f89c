#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/sandbox.h"

namespace vostra {
namespace {

class IniFile : public test::Sandbox {
protected:
    std::string Path() const { return Root() + "/s.ini"; }
    std::optional<std::string> Read(const std::string& content, const std::string& section,
                                    const std::string& key) {
        WriteFile(Path(), content);
        return IniReadValue(Path(), section, key);
    }
};

TEST_F(IniFile, MatchesNamesWithoutRegardToCaseAndTrimsBlanks) {
    const std::string ini = "[ Setting ]\r\n  ScreenToggle  =  F10  \r\n";
    EXPECT_EQ(Read(ini, "setting", "screentoggle"), "F10");
    EXPECT_EQ(Read(ini, "SETTING", "SCREENTOGGLE"), "F10");
}

TEST_F(IniFile, DropsOnePairOfEnclosingQuotes) {
    EXPECT_EQ(Read("[a]\nk=\"x y\"\n", "a", "k"), "x y");
    EXPECT_EQ(Read("[a]\nk='x'\n", "a", "k"), "x");
    EXPECT_EQ(Read("[a]\nk=\"\"x\"\"\n", "a", "k"), "\"x\"");
    EXPECT_EQ(Read("[a]\nk=\"x'\n", "a", "k"), "\"x'");
    EXPECT_EQ(Read("[a]\nk=\"\n", "a", "k"), "\"");
}

TEST_F(IniFile, FirstDuplicateKeyAndFirstDuplicateSectionWin) {
    EXPECT_EQ(Read("[a]\nk=1\nK=2\n", "a", "k"), "1");
    EXPECT_EQ(Read("[a]\nx=1\n[b]\n[A]\nk=2\n", "a", "k"), std::nullopt);
}

TEST_F(IniFile, LinesWithoutEqualsSignAndKeysBeforeAnySectionAreNotKeys) {
    EXPECT_EQ(Read("k=0\n[a]\nk\nj=1\n", "a", "k"), std::nullopt);
    EXPECT_EQ(Read("k=0\n[a]\n", "", "k"), std::nullopt);
}

TEST_F(IniFile, UnclosedSectionLineIsSkipped) {
    EXPECT_EQ(Read("[a]\n[b\nk=1\n", "a", "k"), "1");
    EXPECT_EQ(Read("[a]\n[b\nk=1\n", "b", "k"), std::nullopt);
}

TEST_F(IniFile, ReadsEveryLineEndAndSkipsTheByteOrderMark) {
    EXPECT_EQ(Read("\xEF\xBB\xBF[a]\rk=1\rj=2", "a", "j"), "2");
    EXPECT_EQ(Read("\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k"), "1");
    EXPECT_EQ(Read("[a]\n\nk=v=w\n", "a", "k"), "v=w");
}

TEST_F(IniFile, BinaryAndHugeInputNeverCrash) {
    std::string junk;
    for (int i = 0; i < 300000; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_NO_FATAL_FAILURE(Read(junk, "Setting", "start"));
    // A single line far longer than the reader keeps, then the wanted key.
    EXPECT_EQ(Read("[a]\nlong=" + std::string(200000, 'x') + "\nk=ok\n", "a", "k"), "ok");
    EXPECT_EQ(Read("[a]\nk=ab\0cd\n", "a", "k"), "ab");
}

TEST_F(IniFile, MissingFileGivesNothing) {
    EXPECT_EQ(IniReadValue(Root() + "/none.ini", "a", "k"), std::nullopt);
}

TEST_F(IniFile, EndlessDeviceInPlaceOfTheFileReadsAsNoFile) {
    std::filesystem::create_symlink("/dev/zero", Path());
    EXPECT_EQ(IniReadValue(Path(), "a", "k"), std::nullopt);
    EXPECT_FALSE(IniWriteValue(Path(), "a", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
}

TEST_F(IniFile, WriteAddsKeyAtTheEndOfItsSectionAndKeepsOtherLines) {
    WriteFile(Path(), "; mine\n[Info]\ncode=\n\n[Setting]\nfullscreen=F11\n\n\n[Z]\nq=1");
    ASSERT_TRUE(IniWriteValue(Path(), "setting", "start", "1001"));
    EXPECT_EQ(ReadFile(Path()),
              "; mine\r\n[Info]\r\ncode=\r\n\r\n[Setting]\r\nfullscreen=F11\r\nstart=1001\r\n"
              "\r\n\r\n[Z]\r\nq=1\r\n");
}

TEST_F(IniFile, WriteReplacesTheFirstKeyInPlaceKeepingItsName) {
    WriteFile(Path(), "\xEF\xBB\xBF[Setting]\r\n ScreenToggle = F10 \r\nscreentoggle=F9\r\n");
    ASSERT_TRUE(IniWriteValue(Path(), "Setting", "screentoggle", "F8"));
    EXPECT_EQ(ReadFile(Path()), "\xEF\xBB\xBF[Setting]\r\nScreenToggle=F8\r\nscreentoggle=F9\r\n");
}

TEST_F(IniFile, WriteCreatesFileAndSection) {
    ASSERT_TRUE(IniWriteValue(Path(), "Setting", "start", "1001"));
    EXPECT_EQ(ReadFile(Path()), "[Setting]\r\nstart=1001\r\n");
    ASSERT_TRUE(IniWriteValue(Path(), "Info", "rem", "1"));
    EXPECT_EQ(ReadFile(Path()), "[Setting]\r\nstart=1001\r\n[Info]\r\nrem=1\r\n");
}

TEST_F(IniFile, WriteRefusesNamesThatWouldCorruptTheFile) {
    WriteFile(Path(), "[a]\r\nk=1\r\n");
    EXPECT_FALSE(IniWriteValue(Path(), "a]\r\n[b", "k", "v"));
    EXPECT_FALSE(IniWriteValue(Path(), "a", "k=x", "v"));
    EXPECT_TRUE(IniWriteValue(Path(), "a", "k", "v\r\nother=1"));
    EXPECT_EQ(ReadFile(Path()), "[a]\r\nk=v\r\n");
}

TEST_F(IniFile, FailedWriteLeavesNoFileBehind) {
    EXPECT_FALSE(IniWriteValue(Root() + "/missing/dir/s.ini", "a", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(Root() + "/missing"));
    // A read-only folder: the old file stays whole and no temporary remains.
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    WriteFile(Path(), "[a]\r\nk=1\r\n");
    chmod(Root().c_str(), 0500);
    EXPECT_FALSE(IniWriteValue(Path(), "a", "k", "2"));
    chmod(Root().c_str(), 0700);
    EXPECT_EQ(ReadFile(Path()), "[a]\r\nk=1\r\n");
}

TEST_F(IniFile, WriteThroughALinkKeepsTheLink) {
    WriteFile(Root() + "/real.ini", "[a]\r\nk=1\r\n");
    std::filesystem::create_symlink(Root() + "/real.ini", Path());
    ASSERT_TRUE(IniWriteValue(Path(), "a", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    EXPECT_EQ(ReadFile(Root() + "/real.ini"), "[a]\r\nk=2\r\n");
}

TEST_F(IniFile, WriteKeepsTheFileMode) {
    WriteFile(Path(), "[a]\r\nk=1\r\n");
    chmod(Path().c_str(), 0600);
    ASSERT_TRUE(IniWriteValue(Path(), "a", "k", "2"));
    struct stat st {};
    ASSERT_EQ(stat(Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Root()), {}), 2);  // s.ini, home
}

}  // namespace
}  // namespace vostra
