#include "login/game_window_line.h"

namespace vostra {
namespace {

// Longest single argument the kernel passes to a new program
// (MAX_ARG_STRLEN, 32 pages of 4 KiB), terminating NUL included.
constexpr size_t kMaxArgumentBytes = 32 * 4096;

// The child rebuilds its line with argv[0] in quotes, except when argv[0]
// begins with "-": then it stands bare, and "-d..." or "-u..." would be
// read as the update handoff or an uninstall stage.
bool PathIsUsable(std::string_view path) {
    return !path.empty() && path[0] != '-' && path.find('"') == std::string_view::npos &&
           path.find('\0') == std::string_view::npos &&
           path.find("-frameWnd=") == std::string_view::npos;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

GameWindowLine ComposeGameWindowLine(std::string_view exe_path, int64_t frame_wnd,
                                     std::string_view game_url) {
    if (frame_wnd == 0) return {GameLineStatus::kNoFrame, {}};
    if (!PathIsUsable(exe_path)) return {GameLineStatus::kBadPath, {}};
    if (game_url.find('\0') != std::string_view::npos) return {GameLineStatus::kBadUrl, {}};

    std::string options = "-frameWnd=" + std::to_string(frame_wnd) + " -gameurl=";
    options.append(game_url);
    if (EndsWith(options, "-u")) options.replace(options.size() - 1, 1, "%75");
    if (options.size() + 1 > kMaxArgumentBytes) return {GameLineStatus::kTooLong, {}};

    std::string line = "\"";
    line.append(exe_path);
    line += "\" ";
    line += options;
    return {GameLineStatus::kComposed, std::move(line)};
}

const char* GameLineStatusName(GameLineStatus status) {
    switch (status) {
        case GameLineStatus::kComposed: return "composed";
        case GameLineStatus::kNoFrame: return "no frame window";
        case GameLineStatus::kBadPath: return "unusable executable path";
        case GameLineStatus::kBadUrl: return "unusable game URL";
        case GameLineStatus::kTooLong: return "command line too long";
    }
    return "unknown";
}

}  // namespace vostra
