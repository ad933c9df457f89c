// The launcher's modes are chosen from one raw command line, as a Windows
// process receives it. On Linux that line is rebuilt from argv, and starting
// one of our own processes with a command line is the inverse, so the child
// rebuilds exactly the line it was given.
#pragma once

#include <string>
#include <vector>

namespace vostra {

// argv[0] quoted (unless it begins with "-", then it stands as it is),
// followed by every further argument after one blank. Bytes are kept as
// they are; the caller decodes them as UTF-8.
std::string BuildRawCommandLine(int argc, const char* const* argv);

// The argv a child must receive so that BuildRawCommandLine gives back
// cmd_line. Without a command line the child gets { app_path }.
//  - "\"path\" rest" gives { path, rest } (no second argument when nothing
//    follows the blank after the closing quote);
//  - any other line (the "-d ..." and "-u ..." forms) gives { line }.
std::vector<std::string> ArgvForCommandLine(const std::string& app_path,
                                            const std::string* cmd_line);

}  // namespace vostra
