// The update log: res/update.log in the data folder, UTF-16LE without a
// byte-order mark, one line per message:
//   "%2d-%2d-%2d %2d:%2d:%2d : \t%s\t%s" + CR LF
// with year, month, day, hour, minute, second (blank-padded), the module tag
// "UpdateModule" and the message.
#pragma once

#include <ctime>
#include <string>

namespace vostra {

// Formats one line (without its CR LF). A null time means the clock's
// conversion failed: year, month and day print 0, the time of day -1.
std::string FormatUpdateLogLine(const std::tm* local_time, const std::string& message);

// Appends one line, stamped with the local time, to the log at path. The
// file is created when missing, but never its folder. The line and its CR LF
// go out in one write to a file opened for appending, so several processes
// can log at once without losing or mixing lines. 0 on success, -1 when the
// line is lost.
int AppendUpdateLogLine(const std::string& path, const std::string& message);

// AppendUpdateLogLine on the data folder's log.
int WriteUpdateLog(const std::string& message);

}  // namespace vostra
