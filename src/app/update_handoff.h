// The update handoff: a freshly downloaded client, started with
// "-d <installed path>", copies itself over the installed client, logs the
// result and starts the installed client.
#pragma once

#include <string>

namespace vostra {

enum class HandoffResult {
    kNotHandoff,  // the line is exactly "-d": nothing copied, nothing logged
    kStarted,     // installed client replaced and started: end with code 0
    kFailed,      // logged; the process goes on as a normal launcher
};

// How long a failing copy is retried before the failure is logged.
inline constexpr int kHandoffRetryMillis = 5000;

// Runs the handoff for a line whose head is "-d". own_path is the running
// executable. The copy replaces the installed file through a temporary file
// and a rename, so it works while the old launcher still runs; it keeps the
// file executable. Log lines, in order: the MD5 of the new file, its
// version, the closing line; or the failure with its errno and the closing
// line; or the exception lines.
HandoffResult RunUpdateHandoff(const std::u16string& line, const std::string& own_path);

}  // namespace vostra
