// The version query against the demo server, one fault at a time; each
// case checks the whole log of the run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/file_md5.h"
#include "update/client_updater.h"
#include "update/update_check.h"
#include "update_test_support.h"

namespace vostra {
namespace {

using ::testing::HasSubstr;
using Messages = std::vector<std::string>;

class VersionCheckTest : public test::UpdateTest {
protected:
    Messages NoUpdateLog(const std::string& reply) const {
        return {QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:200",
                "Server response check version msg:" + reply, "Finish Update.",
                "====================="};
    }
};

TEST_F(VersionCheckTest, RefusalEndsTheRun) {
    StartServer({"--reply", "-1"});
    RunUpdateCheck(TestContext());
    EXPECT_EQ(LogMessages(), NoUpdateLog("-1"));
    EXPECT_TRUE(starts_.empty());
}

TEST_F(VersionCheckTest, FiveDigitsAndEmptyBodyMeanNoUpdate) {
    for (const std::string reply : {"12345", ""}) {
        std::filesystem::remove(LogPath());
        StartServer({"--reply", reply});
        RunUpdateCheck(TestContext());
        EXPECT_EQ(LogMessages(), NoUpdateLog(reply));
        server_.Stop();
    }
}

TEST_F(VersionCheckTest, CurrentClientGetsNoUpdate) {
    StartServer({"--client", PublishLauncher("1.0.0.0")});
    RunUpdateCheck(TestContext());
    EXPECT_EQ(LogMessages(), NoUpdateLog("0"));
}

TEST_F(VersionCheckTest, SixDigitsAreAccepted) {
    StartServer({"--reply", "123456"});
    CClientUpdater updater(TestContext(), "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_TRUE(updater.CheckVersion(server_.url(), "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "1.0.0.0"));
    EXPECT_EQ(updater.reply(), "123456");
    EXPECT_EQ(LogMessages(),
              (Messages{"Http QueryInfoStatusCode:200", "Server response check version msg:123456"}));
}

TEST_F(VersionCheckTest, NewerClientAnswersWithItsUrl) {
    StartServer({"--client", PublishLauncher("1.0.0.1")});
    CClientUpdater updater(TestContext(), "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_TRUE(updater.CheckVersion(server_.url(), "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "1.0.0.0"));
    EXPECT_EQ(updater.query_url(), QueryUrl("1.0.0.0"));
    EXPECT_EQ(updater.reply(), ClientUrl());
    EXPECT_EQ(LogMessages(), (Messages{"Http QueryInfoStatusCode:200",
                                       "Server response check version msg:" + ClientUrl()}));
}

TEST_F(VersionCheckTest, UserAgentIsTheExecutableNameWithoutExtension) {
    StartServer({"--fault", "version-echo-user-agent"});
    UpdateContext ctx = TestContext();
    ctx.own_path = Root() + "/bin/kxvstrtmp.exe";
    CClientUpdater updater(ctx, "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_TRUE(updater.CheckVersion(server_.url(), "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "1.0.0.0"));
    EXPECT_EQ(updater.reply(), "kxvstrtmp");
}

TEST_F(VersionCheckTest, Status404GivesAnEmptyReply) {
    StartServer({"--client", PublishLauncher("1.0.0.1"), "--fault", "version-404"});
    RunUpdateCheck(TestContext());
    EXPECT_EQ(LogMessages(), (Messages{QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:404",
                                       "Server response check version msg:", "Finish Update.",
                                       "====================="}));
}

TEST_F(VersionCheckTest, UnreachableServiceLogsTheExceptionLines) {
    StartServer({"--fault", "unreachable"});
    RunUpdateCheck(TestContext());
    const Messages log = LogMessages();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0], QueryUrl("1.0.0.0"));
    EXPECT_EQ(log[1], "Try Download File Exception");
    EXPECT_THAT(log[2], HasSubstr("onnect"));
    EXPECT_EQ((Messages{log.begin() + 3, log.end()}),
              (Messages{"Server response check version msg:", "Finish Update.",
                        "====================="}));
}

TEST_F(VersionCheckTest, StalledServiceEndsLikeAnUnreachableOne) {
    StartServer({"--fault", "version-stall"});
    RunUpdateCheck(TestContext());
    EXPECT_EQ(LogMessages(),
              (Messages{QueryUrl("1.0.0.0"), "Try Download File Exception",
                        "Timeout was reached: no data received for 1500 ms",
                        "Server response check version msg:", "Finish Update.",
                        "====================="}));
    EXPECT_TRUE(starts_.empty());
}

TEST_F(VersionCheckTest, RedirectIsFollowedAndTheFinalStatusLogged) {
    StartServer({"--reply", "-1", "--fault", "version-redirect"});
    RunUpdateCheck(TestContext());
    EXPECT_EQ(LogMessages(), NoUpdateLog("-1"));
}

TEST_F(VersionCheckTest, LongReplyIsReadUpTo1023Bytes) {
    StartServer({"--client", PublishLauncher("1.0.0.1"), "--fault", "version-long"});
    CClientUpdater updater(TestContext(), "/kxvstrtmp.exe", "/orbix/vstr/");
    ASSERT_TRUE(updater.CheckVersion(server_.url(), "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "1.0.0.0"));
    EXPECT_EQ(updater.reply().size(), 1023u);
    EXPECT_EQ(updater.reply().rfind(ClientUrl() + "?pad=xxx", 0), 0u);
}

TEST_F(VersionCheckTest, TrailingLineEndStaysInTheDownloadUrl) {
    const std::string published = PublishLauncher("1.0.0.1");
    StartServer({"--client", published, "--fault", "version-trailing-line-end"});
    RunUpdateCheck(TestContext());
    std::string md5;
    ASSERT_TRUE(ComputeFileMd5(published, md5));
    const std::string size = std::to_string(ReadFile(published).size());
    // The line end is part of the reply and of the URL line; the request
    // itself goes to the URL without it, so the download completes.
    EXPECT_EQ(LogMessages(),
              (Messages{QueryUrl("1.0.0.0"), "Http QueryInfoStatusCode:200",
                        "Server response check version msg:" + ClientUrl() + "\r\n",
                        "ExcuUpdate,URL=" + ClientUrl() + "\r\n", "Http QueryInfoStatusCode:200",
                        "Content length:" + size, "Finish download,file size=" + size,
                        "Finish download,file md5=" + md5}));
    EXPECT_EQ(ends_, 1);
}

TEST_F(VersionCheckTest, ClientWithoutVersionIsOfferedTheUpdate) {
    StartServer({"--client", PublishLauncher("1.0.0.1")});
    const std::string own = Root() + "/plain-binary";
    WriteFile(own, "not an executable with a version record");
    UpdateContext ctx = TestContext();
    ctx.own_path = own;
    CClientUpdater updater(ctx, "/kxvstrtmp.exe", "/orbix/vstr/");
    EXPECT_TRUE(updater.CheckVersion(server_.url(), "getClientVersion.php?p=orbix&g=vstr&v=",
                                     "None VerSion Supprot"));
    EXPECT_EQ(updater.query_url(), QueryUrl("None VerSion Supprot"));
}

}  // namespace
}  // namespace vostra

namespace vostra {
namespace {

TEST(ApplicationName, IsTheFileNameWithoutExtension) {
    EXPECT_EQ(ApplicationNameOf("/home/u/.local/share/orbix/vstr/vostra-launcher"),
              "vostra-launcher");
    EXPECT_EQ(ApplicationNameOf("/home/u/.local/share/cache/kxvstrtmp.exe"), "kxvstrtmp");
    EXPECT_EQ(ApplicationNameOf("/opt/v1.2/launcher.bin.exe"), "launcher.bin");
    EXPECT_EQ(ApplicationNameOf("/opt/.hidden"), ".hidden");
}

}  // namespace
}  // namespace vostra
