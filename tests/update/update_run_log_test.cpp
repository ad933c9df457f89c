#include "update/update_run_log.h"

#include <sys/stat.h>

#include "app/app_paths.h"
#include "app/update_log.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

// ASCII text as the log stores it: UTF-16LE.
std::string Utf16Le(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

class UpdateRunLogTest : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        std::filesystem::create_directories(DataHome() + "/orbix/vstr/res");
    }
    std::string TwinPath() const { return UpdateRunLogPath(DataHome()); }
};

TEST_F(UpdateRunLogTest, TwinWritesTheCoreLogFile) {
    EXPECT_EQ(TwinPath(), DataHome() + "/orbix/vstr//res/update.log");
    UpdateRunLog(TwinPath()).Write("from the update run");
    WriteUpdateLog("from the handoff");
    const std::string log = ReadFile(GetUpdateLogPath());
    // Both lines, UTF-16LE, in one file.
    EXPECT_NE(log.find(Utf16Le("\tUpdateModule\tfrom the update run\r\n")), std::string::npos);
    EXPECT_NE(log.find(Utf16Le("\tUpdateModule\tfrom the handoff\r\n")), std::string::npos);
}

TEST_F(UpdateRunLogTest, ExceptionReasonIsCutTo254Units) {
    UpdateRunLog(TwinPath()).WriteException(std::string(300, 'e'));
    const std::string log = ReadFile(TwinPath());
    const std::string tail = Utf16Le("\t" + std::string(254, 'e') + "\r\n");
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
}

TEST_F(UpdateRunLogTest, LogAboveTenMebibytesIsDeleted) {
    const std::string path = TwinPath();
    WriteFile(path, std::string(10485761, 'x'));
    LimitUpdateLogSize(path);
    struct stat st {};
    EXPECT_NE(stat(path.c_str(), &st), 0);
}

TEST_F(UpdateRunLogTest, LogOfExactlyTenMebibytesStays) {
    const std::string path = TwinPath();
    WriteFile(path, std::string(10485760, 'x'));
    LimitUpdateLogSize(path);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 10485760);
}

}  // namespace
}  // namespace vostra
