#include "app/file_md5.h"

#include <gtest/gtest.h>

#include "support/sandbox.h"

namespace vostra {
namespace {

class FileMd5 : public test::Sandbox {};

TEST_F(FileMd5, KnownDigests) {
    const std::string path = Root() + "/f";
    const std::pair<std::string, std::string> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
    };
    for (const auto& [data, digest] : cases) {
        WriteFile(path, data);
        std::string out;
        ASSERT_TRUE(ComputeFileMd5(path, out));
        EXPECT_EQ(out, digest);
    }
}

TEST_F(FileMd5, LargerThanOneReadBufferAndAppendsToOut) {
    const std::string path = Root() + "/big";
    WriteFile(path, std::string(3 * 1024 * 1024 + 17, 'a'));
    std::string out = "x";
    ASSERT_TRUE(ComputeFileMd5(path, out));
    ASSERT_EQ(out.size(), 33u);
    std::string again;
    ComputeFileMd5(path, again);
    EXPECT_EQ(out.substr(1), again);
}

TEST_F(FileMd5, MissingOrUnreadableGivesFalseAndNoDigest) {
    std::string out;
    EXPECT_FALSE(ComputeFileMd5(Root() + "/missing", out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ComputeFileMd5(Root(), out));  // a folder cannot be read
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace vostra
