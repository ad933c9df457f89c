// Starting one of the system's own processes: the executable is the
// application path; the command line, when there is one, is turned into
// argv by the launcher's command-line rule.
#pragma once

#include <string>

namespace vostra {

// Starts app_path and does not wait for it. Returns true when the child
// began running app_path; on failure errno_out (when given) receives the
// reason. The child keeps our environment and working folder.
bool StartOwnProcess(const std::string& app_path, const std::string* cmd_line,
                     int* errno_out = nullptr);

}  // namespace vostra
