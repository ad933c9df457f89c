#include "platform/command_line.h"

namespace vostra {

std::string BuildRawCommandLine(int argc, const char* const* argv) {
    std::string line;
    if (argc < 1 || argv[0] == nullptr) return line;
    const std::string first = argv[0];
    if (!first.empty() && first[0] == '-') {
        line = first;
    } else {
        line = "\"" + first + "\"";
    }
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        line += ' ';
        line += argv[i];
    }
    return line;
}

std::vector<std::string> ArgvForCommandLine(const std::string& app_path,
                                            const std::string* cmd_line) {
    if (cmd_line == nullptr) return {app_path};
    const std::string& line = *cmd_line;
    if (!line.empty() && line[0] == '"') {
        const size_t close = line.find('"', 1);
        if (close != std::string::npos) {
            std::vector<std::string> argv{line.substr(1, close - 1)};
            // The rebuilt line puts exactly one blank between argv[0] and
            // the rest, so the blank after the quote is dropped here.
            size_t rest = close + 1;
            if (rest < line.size()) {
                if (line[rest] == ' ') ++rest;
                argv.push_back(line.substr(rest));
            }
            return argv;
        }
    }
    return {line};
}

}  // namespace vostra
