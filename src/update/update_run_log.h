// The update run's own handle on the update log. It composes the log's path
// from its own copy of the sub-folder ("/orbix/" + "vstr" + "/", one more
// "/", then "res/update.log"); the doubled slash names the same file that
// the application core's WriteUpdateLog writes, in the same line format.
#pragma once

#include <cstdint>
#include <string>

namespace vostra {

// A log larger than this is deleted before the next version check.
inline constexpr int64_t kUpdateLogSizeLimit = 10485760;

// The log of the data folder below app_data_folder, by the run's own
// composition.
std::string UpdateRunLogPath(const std::string& app_data_folder);

// Deletes the file at path when it exists and holds more than
// kUpdateLogSizeLimit bytes.
void LimitUpdateLogSize(const std::string& path);

class UpdateRunLog {
public:
    explicit UpdateRunLog(std::string path) : m_strPath(std::move(path)) {}

    void Write(const std::string& message) const;
    // The two lines of a failed transfer or file operation: the fixed
    // line, then the reason, cut to 254 UTF-16 units.
    void WriteException(const std::string& reason) const;

private:
    std::string m_strPath;
};

}  // namespace vostra
