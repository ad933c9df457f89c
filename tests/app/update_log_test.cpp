#include "app/update_log.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "app/app_paths.h"
#include "platform/known_folders.h"
#include "platform/text_utf.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

// The log's UTF-16LE bytes as UTF-8 text; fails the test on a BOM or an odd
// byte count.
std::string DecodeLog(const std::string& bytes) {
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                       (static_cast<uint8_t>(bytes[i + 1]) << 8));
    }
    EXPECT_TRUE(units.empty() || units[0] != 0xFEFF);
    return Utf16ToUtf8(units);
}

class UpdateLog : public test::Sandbox {
protected:
    void MakeResFolder() { std::filesystem::create_directories(GetAppDir() + "res"); }
};

TEST(UpdateLogFormat, PadsWithBlanksNotZeros) {
    std::tm t {};
    t.tm_year = 2014 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 1;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(FormatUpdateLogLine(&t, "Finish Update."),
              "2014- 3- 1  9: 5: 3 : \tUpdateModule\tFinish Update.");
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    EXPECT_EQ(FormatUpdateLogLine(&t, "x"), "2014-12-31 23: 5: 3 : \tUpdateModule\tx");
}

TEST(UpdateLogFormat, FailedClockConversionPrintsZerosAndMinusOnes) {
    EXPECT_EQ(FormatUpdateLogLine(nullptr, "m"), " 0- 0- 0 -1:-1:-1 : \tUpdateModule\tm");
}

TEST_F(UpdateLog, WritesUtf16LittleEndianLinesWithCrLfAndNoBom) {
    MakeResFolder();
    ASSERT_EQ(WriteUpdateLog("Update success.Current Version:1.0.0.1"), 0);
    ASSERT_EQ(WriteUpdateLog("网"), 0);
    const std::string raw = ReadFile(GetUpdateLogPath());
    const std::string text = DecodeLog(raw);
    const std::regex line(
        R"([0-9]{4}-[ 1][0-9]-[ 123][0-9] [ 12][0-9]:[ 0-5][0-9]:[ 0-5][0-9] : \tUpdateModule\t[^\r\n]*\r\n)");
    std::smatch m;
    std::string rest = text;
    int lines = 0;
    while (std::regex_search(rest, m, line, std::regex_constants::match_continuous)) {
        rest = m.suffix();
        ++lines;
    }
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(rest, "");
    EXPECT_NE(text.find("\tUpdateModule\t网\r\n"), std::string::npos);
    EXPECT_EQ(raw.substr(raw.size() - 4), std::string("\r\0\n\0", 4));
}

TEST_F(UpdateLog, NeverCreatesAFolder) {
    EXPECT_EQ(WriteUpdateLog("lost"), -1);
    EXPECT_FALSE(std::filesystem::exists(GetAppDir()));
}

TEST_F(UpdateLog, TheUpdateRunsPathFormReachesTheSameFile) {
    MakeResFolder();
    // The update run composes its own path: application data + "/orbix/" +
    // "vstr" + "/" and one more "/" before "res/update.log".
    const std::string twin = GetAppDataFolder() + "/orbix/" + "vstr" + "/" + "/" + "res/update.log";
    ASSERT_EQ(WriteUpdateLog("one"), 0);
    ASSERT_EQ(AppendUpdateLogLine(twin, "two"), 0);
    ASSERT_EQ(WriteUpdateLog("three"), 0);
    const std::string text = DecodeLog(ReadFile(GetUpdateLogPath()));
    const size_t a = text.find("\tone\r\n"), b = text.find("\ttwo\r\n"), c = text.find("\tthree\r\n");
    ASSERT_NE(c, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
}

TEST_F(UpdateLog, ConcurrentProcessesLoseNoLine) {
    MakeResFolder();
    const std::string path = GetUpdateLogPath();
    constexpr int kWriters = 6, kLines = 150;
    std::vector<pid_t> pids;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int i = 0; i < kLines; ++i) {
                AppendUpdateLogLine(path, "writer " + std::to_string(w) + " line " + std::to_string(i));
            }
            _exit(0);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) waitpid(pid, nullptr, 0);
    const std::string text = DecodeLog(ReadFile(path));
    const std::regex line(R"([^\r\n]*\tUpdateModule\twriter [0-9]+ line [0-9]+\r\n)");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), line), {}),
              kWriters * kLines);
}

}  // namespace
}  // namespace vostra
