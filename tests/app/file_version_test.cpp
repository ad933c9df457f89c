#include "app/file_version.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/sandbox.h"

namespace vostra {
namespace {

class FileVersion : public test::Sandbox {
protected:
    // Runs the stamp tool on a copy of the launcher; returns the copy's path.
    std::string Stamp(const std::string& name, const std::string& options) {
        const std::string out = Root() + "/" + name;
        const std::string cmd = std::string(VOSTRA_STAMP_BIN) + " " + options + " '" +
                                VOSTRA_LAUNCHER_BIN + "' '" + out + "'";
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        return out;
    }
    // A copy of the launcher with bytes patched at an offset.
    std::string Patched(const std::string& name, off_t at, const std::string& bytes) {
        const std::string path = Root() + "/" + name;
        WriteFile(path, ReadFile(VOSTRA_LAUNCHER_BIN));
        const int fd = open(path.c_str(), O_WRONLY);
        EXPECT_EQ(pwrite(fd, bytes.data(), bytes.size(), at), static_cast<ssize_t>(bytes.size()));
        close(fd);
        return path;
    }
};

TEST_F(FileVersion, TheLauncherCarriesItsVersionRecord) {
    EXPECT_EQ(GetFileVersionString(VOSTRA_LAUNCHER_BIN), "1.0.0.0");
    const auto record = ReadVersionRecord(VOSTRA_LAUNCHER_BIN);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->translation, std::string("\x04\x08\xa8\x03", 4));
}

TEST_F(FileVersion, MissingFileIsEmptyAndForeignFilesHaveNoVersion) {
    EXPECT_EQ(GetFileVersionString(Root() + "/none"), "");
    WriteFile(Root() + "/text", "hello");
    EXPECT_EQ(GetFileVersionString(Root() + "/text"), kNoVersionText);
    EXPECT_EQ(GetFileVersionString("/bin/sh"), kNoVersionText);  // ELF without a record
    EXPECT_EQ(GetFileVersionString(Root()), kNoVersionText);     // a folder
    WriteFile(Root() + "/head", ReadFile(VOSTRA_LAUNCHER_BIN).substr(0, 100));
    EXPECT_EQ(GetFileVersionString(Root() + "/head"), kNoVersionText);
}

TEST_F(FileVersion, StampedCopyKeepsModeAndChangesOnlyTheRecord) {
    const std::string copy = Stamp("v1", "--version 1.0.0.1");
    EXPECT_EQ(GetFileVersionString(copy), "1.0.0.1");
    struct stat a {}, b {};
    stat(VOSTRA_LAUNCHER_BIN, &a);
    stat(copy.c_str(), &b);
    EXPECT_EQ(a.st_mode, b.st_mode);
    const std::string x = ReadFile(VOSTRA_LAUNCHER_BIN), y = ReadFile(copy);
    ASSERT_EQ(x.size(), y.size());
    size_t differing = 0;
    for (size_t i = 0; i < x.size(); ++i) differing += x[i] != y[i];
    EXPECT_GE(differing, 1u);
    EXPECT_LE(differing, kVersionSectionSize);
}

TEST_F(FileVersion, SeveralTranslationsAreJoinedInOrder) {
    const std::string copy = Stamp("multi", "--translation 040904b0=2.0 --translation 080403a8=1.5");
    EXPECT_EQ(GetFileVersionString(copy), "2.01.5");
}

TEST_F(FileVersion, ShortTranslationListOrMissingValueGivesNothing) {
    EXPECT_EQ(GetFileVersionString(Stamp("short", "--raw-translation 0408")), "");
    // Translation 0409/04b0 listed, but the only FileVersion is 0804/03a8's.
    EXPECT_EQ(GetFileVersionString(Stamp("other", "--raw-translation 0904b004")), "");
    EXPECT_EQ(GetFileVersionString(Stamp("wiped", "--no-record")), kNoVersionText);
}

TEST_F(FileVersion, CorruptHeadersAreRejected) {
    // e_shoff (64-bit, offset 0x28) far past the end of the file.
    EXPECT_EQ(GetFileVersionString(Patched("shoff", 0x28, std::string("\xff\xff\xff\xff\xff\xff\xff\x7f", 8))),
              kNoVersionText);
    // e_shstrndx (offset 0x3e) past the section count.
    EXPECT_EQ(GetFileVersionString(Patched("strndx", 0x3e, std::string("\xff\xff", 2))), kNoVersionText);
    // e_shentsize (offset 0x3a) far larger than a section header.
    EXPECT_EQ(GetFileVersionString(Patched("bigentsize", 0x3a, std::string("\xff\xff", 2))), kNoVersionText);
    // e_shentsize (offset 0x3a) too small for a section header.
    EXPECT_EQ(GetFileVersionString(Patched("entsize", 0x3a, std::string("\x01\x00", 2))), kNoVersionText);
}

TEST(VersionRecordCodec, DecodeChecksEveryLength) {
    VersionRecord r;
    r.translation = "abcd";
    r.strings = {{"k", "v"}};
    const auto bytes = EncodeVersionRecord(r);
    ASSERT_TRUE(bytes);
    std::string data(bytes->begin(), bytes->end());
    ASSERT_TRUE(DecodeVersionRecord(data));
    // Cut in the middle of every field: never reads past the end.
    for (size_t n = 0; n < 24; ++n) {
        const auto d = DecodeVersionRecord(std::string_view(data).substr(0, n));
        if (d) {
            EXPECT_LE(d->strings.size(), 1u);
        }
    }
    data[8] = '\xff';  // translation length far beyond the data
    data[9] = '\xff';
    EXPECT_FALSE(DecodeVersionRecord(data));
    r.strings = {{"k", std::string(600, 'x')}};
    EXPECT_FALSE(EncodeVersionRecord(r));  // does not fit the section
}

}  // namespace
}  // namespace vostra
