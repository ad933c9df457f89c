#include <gtest/gtest.h>

#include <cstdlib>

#include "login/login_urls.h"
#include "platform/adapter_address.h"

namespace vostra {
namespace {

struct LoginUrlCase {
    const char* base;
    const char* mac;
    const char* url;
};

class LoginUrlComposition : public ::testing::TestWithParam<LoginUrlCase> {};

TEST_P(LoginUrlComposition, AddressGoesIntoThePath) {
    EXPECT_EQ(ComposeLoginUrl(GetParam().base, GetParam().mac), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, LoginUrlComposition,
    ::testing::Values(
        LoginUrlCase{"http://op.example/client/gamecode/vstr/", "00-1A-2B-3C-4D-5E",
                     "http://op.example/client/gamecode/vstr/mac/00-1A-2B-3C-4D-5E/"},
        LoginUrlCase{"http://op.example/client/gamecode/vstr/", "",
                     "http://op.example/client/gamecode/vstr/mac//"},
        // A query without a trailing slash: inserted right before the "?".
        LoginUrlCase{"http://op.example/login?x=1", "00-1A-2B-3C-4D-5E",
                     "http://op.example/loginmac/00-1A-2B-3C-4D-5E/?x=1"},
        // The last "?" counts.
        LoginUrlCase{"http://op.example/login?x=1?y", "AA-BB-CC-DD-EE-FF",
                     "http://op.example/login?x=1mac/AA-BB-CC-DD-EE-FF/?y"},
        // A trailing slash wins over a query.
        LoginUrlCase{"http://op.example/a?b/", "AA-BB-CC-DD-EE-FF",
                     "http://op.example/a?b/mac/AA-BB-CC-DD-EE-FF/"},
        LoginUrlCase{"http://op.example/login", "AA-BB-CC-DD-EE-FF",
                     "http://op.example/login/mac/AA-BB-CC-DD-EE-FF/"},
        LoginUrlCase{"", "AA-BB-CC-DD-EE-FF", "/mac/AA-BB-CC-DD-EE-FF/"}));

// The operator's address comes from the environment here, so the test does
// not depend on how the build was configured.
TEST(LoginPageUrl, IsTheOperatorsLoginPathWithThisMachinesAddress) {
    const char* old = getenv("VOSTRA_OPERATOR_URL");
    const std::string saved = old ? old : "";
    setenv("VOSTRA_OPERATOR_URL", "http://op.example:8081/", 1);
    const std::string url = LoginPageUrl();
    if (old) setenv("VOSTRA_OPERATOR_URL", saved.c_str(), 1); else unsetenv("VOSTRA_OPERATOR_URL");
    EXPECT_EQ(url, "http://op.example:8081/client/gamecode/vstr/mac/" + GetMacAddress() + "/");
}

TEST(PlayLink, MarkerAnywhereCaseSensitive) {
    EXPECT_TRUE(IsPlayLink("http://g.example/play_gamecode/vstr/s1"));
    EXPECT_TRUE(IsPlayLink("http://g.example/enter?do=play_gamecode&sid=7"));
    EXPECT_TRUE(IsPlayLink("http://g.example/#play_gamecode"));
    EXPECT_TRUE(IsPlayLink("play_gamecode"));
    EXPECT_FALSE(IsPlayLink("http://g.example/enter?do=PLAY_GAMECODE"));
    EXPECT_FALSE(IsPlayLink("http://g.example/Play_Gamecode"));
    EXPECT_FALSE(IsPlayLink("http://g.example/play_game_code"));
    EXPECT_FALSE(IsPlayLink("http://g.example/play_gamecod"));
    EXPECT_FALSE(IsPlayLink(""));
}

struct GameUrlCase {
    std::string url;
    GameUrlCheck check;
};

class GameUrlChecking : public ::testing::TestWithParam<GameUrlCase> {};

TEST_P(GameUrlChecking, OnlySoundWebAddressesAreTaken) {
    const GameUrlCheck check = CheckGameUrl(GetParam().url);
    EXPECT_EQ(check, GetParam().check) << GetParam().url << ": " << GameUrlCheckName(check);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, GameUrlChecking,
    ::testing::Values(
        GameUrlCase{"http://g.example/play_gamecode?sid=1&k=a%20b", GameUrlCheck::kAccepted},
        GameUrlCase{"https://g.example:8443/s1/play_gamecode", GameUrlCheck::kAccepted},
        GameUrlCase{"HTTPS://G.example/play_gamecode", GameUrlCheck::kAccepted},
        GameUrlCase{"http://user:pw@g.example/play_gamecode", GameUrlCheck::kAccepted},
        GameUrlCase{"http://127.0.0.1:18080/play_gamecode", GameUrlCheck::kAccepted},
        GameUrlCase{"http://g.example/play_gamecode?name=a b ", GameUrlCheck::kAccepted},
        GameUrlCase{"http://g.example/play_gamecode?n=\xE5\x85\xAC", GameUrlCheck::kAccepted},
        GameUrlCase{"file:///home/u/.ssh/id_rsa?play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"javascript:alert(1)//play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"data:text/html,play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"httpx://g.example/play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http:/g.example/play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http:///play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http://?play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http://u@/play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http://:80/play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"/relative/play_gamecode", GameUrlCheck::kNotWeb},
        GameUrlCase{"http://g.example/play_gamecode\r\n-u", GameUrlCheck::kControlCharacter},
        GameUrlCase{"http://g.example/play_gamecode\tx", GameUrlCheck::kControlCharacter},
        GameUrlCase{"http://g.example/play_gamecode\x7F", GameUrlCheck::kControlCharacter},
        GameUrlCase{std::string("http://g.example/play_gamecode\0x", 32),
                    GameUrlCheck::kControlCharacter},
        GameUrlCase{"http://g.example/play_gamecode\xFF", GameUrlCheck::kNotUtf8},
        GameUrlCase{"http://g.example/play_gamecode\xED\xA0\x80", GameUrlCheck::kNotUtf8}));

TEST(GameUrlLength, BoundIsInclusive) {
    std::string url = "http://g.example/play_gamecode?pad=";
    url.append(kMaxGameUrlBytes - url.size(), 'x');
    EXPECT_EQ(CheckGameUrl(url), GameUrlCheck::kAccepted);
    url += 'x';
    EXPECT_EQ(CheckGameUrl(url), GameUrlCheck::kTooLong);
}

}  // namespace
}  // namespace vostra
