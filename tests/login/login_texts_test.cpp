// The login windows' key rules, the error page and the download's progress
// line: the portable decisions behind the windows.
#include <gtest/gtest.h>

#include "login/download_progress_text.h"
#include "login/login_error_page.h"
#include "login/login_keys.h"

namespace vostra {
namespace {

struct KeyCase {
    LoginKey key;
    LoginKeyAction popup;
    LoginKeyAction login_window;
};

class LoginKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LoginKeys, PopupAndLoginWindow) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(ClassifyPopupKey(c.key), c.popup);
    EXPECT_EQ(ClassifyLoginWindowKey(c.key), c.login_window);
}

using A = LoginKeyAction;
INSTANTIATE_TEST_SUITE_P(
    Table, LoginKeys,
    ::testing::Values(
        KeyCase{{0xff0d}, A::kToPage, A::kSwallow},          // Enter submits the page's form
        KeyCase{{0xff8d}, A::kToPage, A::kSwallow},          // keypad Enter
        KeyCase{{0xff09}, A::kToPage, A::kDefault},          // Tab
        KeyCase{{0xfe20}, A::kToPage, A::kDefault},          // Shift+Tab
        KeyCase{{'a', true}, A::kToPage, A::kDefault},       // Ctrl+A
        KeyCase{{'C', true}, A::kToPage, A::kDefault},       // Ctrl+Shift+C
        KeyCase{{'v', true}, A::kToPage, A::kDefault},
        KeyCase{{'x', true}, A::kToPage, A::kDefault},
        KeyCase{{'a'}, A::kDefault, A::kDefault},            // a plain letter is typed
        KeyCase{{'b', true}, A::kDefault, A::kDefault},      // Ctrl+B is no edit key
        KeyCase{{0x20}, A::kSwallow, A::kDefault},           // Space never reaches the page
        KeyCase{{0x20, true}, A::kSwallow, A::kDefault},
        KeyCase{{0xff1b}, A::kSwallow, A::kSwallow},         // Esc closes nothing
        KeyCase{{0xffc1, false, true}, A::kExitQuestion, A::kExitQuestion},  // Alt+F4
        KeyCase{{0xffc1}, A::kDefault, A::kDefault}));       // F4 alone

TEST(LoginErrorPage, ShowsTheReasonAsTextAndRetriesTheLoginUrl) {
    const std::string html =
        LoginErrorPageHtml("http://h/client/gamecode/vstr/mac/00-1A/?a=1&b=\"2\"",
                           "<script>alert(1)</script> & more");
    EXPECT_NE(html.find("href=\"http://h/client/gamecode/vstr/mac/00-1A/?a=1&amp;b=&quot;2&quot;\""),
              std::string::npos);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; more"), std::string::npos);
    EXPECT_NE(html.find("id=\"retry\""), std::string::npos);
}

TEST(LoginErrorPage, EscapesEveryMarkupCharacter) {
    EXPECT_EQ(EscapeHtml("<a href='x'>\"&\"</a>"),
              "&lt;a href=&#39;x&#39;&gt;&quot;&amp;&quot;&lt;/a&gt;");
    EXPECT_EQ(EscapeHtml("登录 ok"), "登录 ok");
}

TEST(DownloadProgressText, PercentWhereTheSizeIsKnownBytesAlways) {
    EXPECT_EQ(DownloadProgressText(0, 2 * 1048576), "正在下载新版本 0%  (0.0 MB / 2.0 MB)");
    EXPECT_EQ(DownloadProgressText(1048576, 4 * 1048576), "正在下载新版本 25%  (1.0 MB / 4.0 MB)");
    EXPECT_EQ(DownloadProgressText(5 * 1048576, 4 * 1048576), "正在下载新版本 100%  (5.0 MB / 4.0 MB)");
    EXPECT_EQ(DownloadProgressText(1572864, 0), "正在下载新版本  1.5 MB");
    // Sizes of 2 GiB and more stay right.
    EXPECT_EQ(DownloadProgressText(int64_t{3} << 30, int64_t{6} << 30),
              "正在下载新版本 50%  (3072.0 MB / 6144.0 MB)");
}

}  // namespace
}  // namespace vostra
