#include "app/update_handoff.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "app/command_modes.h"
#include "app/file_md5.h"
#include "app/file_version.h"
#include "app/update_log.h"
#include "platform/file_replace.h"
#include "platform/process_spawn.h"
#include "platform/text_utf.h"

namespace vostra {
namespace {

constexpr char kRunEnd[] = "=====================";
constexpr size_t kExceptionTextMax = 254;  // a 255-character buffer with its NUL

// The installed file keeps its permissions, but is always executable.
unsigned ModeForInstalled(const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return (st.st_mode & 0777) | 0100;
    }
    return 0755;
}

// Copies own_path over target, retrying while it fails. 0 or the last errno.
int CopyOverInstalled(const std::string& own_path, const std::string& target) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kHandoffRetryMillis);
    for (;;) {
        const int err = ReplaceFileWithCopy(own_path, target, ModeForInstalled(target));
        if (err == 0 || Clock::now() >= deadline) return err;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}

HandoffResult CopyAndStart(const std::u16string& line, const std::string& own_path) {
    const std::string target = Utf16ToUtf8(PathAfterOption(line));
    const int err = CopyOverInstalled(own_path, target);
    if (err != 0) {
        char msg[64];
        snprintf(msg, sizeof msg, "Update failure.Error Code:%ld", static_cast<long>(err));
        WriteUpdateLog(msg);
        WriteUpdateLog(kRunEnd);
        return HandoffResult::kFailed;
    }
    std::string md5;
    ComputeFileMd5(target, md5);
    WriteUpdateLog("Finish download,current file md5=" + md5);
    WriteUpdateLog("Update success.Current Version:" + GetFileVersionString(target));
    WriteUpdateLog(kRunEnd);
    // Ending without a running client would leave the player with nothing;
    // when the start fails this process carries on as the launcher.
    if (!StartOwnProcess(target, nullptr)) return HandoffResult::kFailed;
    return HandoffResult::kStarted;
}

}  // namespace

HandoffResult RunUpdateHandoff(const std::u16string& line, const std::string& own_path) {
    if (line.size() == 2) return HandoffResult::kNotHandoff;
    try {
        return CopyAndStart(line, own_path);
    } catch (const std::exception& e) {
        WriteUpdateLog("Try Commond -d Exception");
        const std::u16string text = Utf8ToUtf16(e.what());
        WriteUpdateLog(Utf16ToUtf8(text.substr(0, kExceptionTextMax)));
        return HandoffResult::kFailed;
    }
}

}  // namespace vostra
