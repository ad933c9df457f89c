#include "update/update_run_log.h"

#include <sys/stat.h>
#include <unistd.h>

#include "app/resource_strings.h"
#include "app/update_log.h"
#include "platform/text_utf.h"

namespace vostra {
namespace {

// The reason is fetched into a 255-character buffer with its NUL.
constexpr size_t kReasonMaxUnits = 254;

}  // namespace

std::string UpdateRunLogPath(const std::string& app_data_folder) {
    const std::string sub_folder =
        LoadResString(IDS_UPDATE_SUBFOLDER) + LoadResString(IDS_GAME_CODE) + "/";
    return app_data_folder + sub_folder + "/" + "res/update.log";
}

void LimitUpdateLogSize(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (st.st_size > kUpdateLogSizeLimit) unlink(path.c_str());
}

void UpdateRunLog::Write(const std::string& message) const {
    AppendUpdateLogLine(m_strPath, message);
}

void UpdateRunLog::WriteException(const std::string& reason) const {
    Write("Try Download File Exception");
    Write(std::string(Utf8PrefixByUtf16Units(reason, kReasonMaxUnits)));
}

}  // namespace vostra
