#include "update/version_reply.h"

#include <gtest/gtest.h>

#include "platform/http_client.h"

namespace vostra {
namespace {

struct ReplyCase {
    const char* reply;
    bool update;
};

class UpdateReplyRule : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(UpdateReplyRule, TellsDownloadUrlFromRefusal) {
    EXPECT_EQ(IsUpdateReply(GetParam().reply), GetParam().update) << GetParam().reply;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, UpdateReplyRule,
    ::testing::Values(ReplyCase{"", false}, ReplyCase{"0", false}, ReplyCase{"-1", false},
                      ReplyCase{"12345", false},        // five characters
                      ReplyCase{"123456", true},        // six digits
                      ReplyCase{"http://h/c.exe", true},  // a URL reads as 0
                      ReplyCase{"abcdef", true},
                      ReplyCase{"-100000", false},      // long enough but negative
                      ReplyCase{"  -7 http://x", false},  // blanks before the sign
                      ReplyCase{"-00000", true},        // minus zero is not negative
                      ReplyCase{"-abcdef", true},       // no digits: reads as 0
                      ReplyCase{"-99999999999999999999999", false},  // overflow stays negative
                      ReplyCase{"登录器更新了", true},  // six UTF-16 units, 18 bytes
                      ReplyCase{"登录器更新", false}));  // five units, 15 bytes

TEST(VersionQueryUrl, JoinsBaseQueryAndVersionUnencoded) {
    EXPECT_EQ(ComposeVersionQueryUrl("http://h:1", "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "None VerSion Supprot"),
              "http://h:1/getClientVersion.php?p=orbix&g=vstr&v=None VerSion Supprot");
}

TEST(VersionReplyText, KeepsLineEndsAndBlanks) {
    EXPECT_EQ(ReplyTextFromBody(" http://h/c.exe\r\n"), " http://h/c.exe\r\n");
}

TEST(VersionReplyText, ReadsAtMost1023Bytes) {
    const std::string body(5000, 'a');
    EXPECT_EQ(ReplyTextFromBody(body), std::string(1023, 'a'));
}

TEST(VersionReplyText, EndsAtTheFirstNul) {
    EXPECT_EQ(ReplyTextFromBody(std::string("http://a\0http://b", 17)), "http://a");
}

TEST(VersionReplyText, ReplacesBytesThatAreNotText) {
    // A multi-byte character cut by the 1023-byte limit, and a stray byte.
    std::string body(1022, 'a');
    body += "\xe7\x99\xbb";
    EXPECT_EQ(ReplyTextFromBody(body), std::string(1022, 'a') + "\xef\xbf\xbd");
    EXPECT_EQ(ReplyTextFromBody("ab\xff"), "ab\xef\xbf\xbd");
}

TEST(RequestUrl, DropsEdgeBlanksAndLineEnds) {
    EXPECT_EQ(RequestUrlText(" http://h/c.exe\r\n"), "http://h/c.exe");
    EXPECT_EQ(RequestUrlText("http://h/a\tb\nc"), "http://h/abc");
}

TEST(RequestUrl, EncodesWhatARequestLineCannotHold) {
    EXPECT_EQ(RequestUrlText("http://h/q?v=None VerSion Supprot"),
              "http://h/q?v=None%20VerSion%20Supprot");
    EXPECT_EQ(RequestUrlText("http://h/\xe7\x99\xbb\x7f"), "http://h/%E7%99%BB%7F");
    EXPECT_EQ(RequestUrlText("http://h/a%20b"), "http://h/a%20b");
}

}  // namespace
}  // namespace vostra
