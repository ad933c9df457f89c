#include "app/command_modes.h"

#include <limits>

namespace vostra {
namespace {

std::u16string Head(const std::u16string& line) { return line.substr(0, 2); }

std::u16string Tail(const std::u16string& line) {
    return line.size() < 2 ? line : line.substr(line.size() - 2);
}

bool IsWideSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// wcstol(text, nullptr, 10): leading white space, an optional sign, then
// digits up to the first non-digit; no digits give 0; out of range saturates.
int64_t ParseDecimalLikeWcstol(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && IsWideSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr uint64_t kMaxMagnitude = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    const uint64_t limit = negative ? kMaxMagnitude + 1 : kMaxMagnitude;
    uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const uint64_t digit = text[i] - u'0';
        if (value > (limit - digit) / 10) {
            overflow = true;
        } else {
            value = value * 10 + digit;
        }
    }
    if (overflow) value = limit;
    if (negative) return value == kMaxMagnitude + 1 ? std::numeric_limits<int64_t>::min()
                                                    : -static_cast<int64_t>(value);
    return static_cast<int64_t>(value);
}

}  // namespace

const char* StartModeName(StartMode mode) {
    switch (mode) {
        case StartMode::kUpdateHandoff: return "update handoff";
        case StartMode::kUninstallStage1: return "uninstall stage 1";
        case StartMode::kUninstallStage2: return "uninstall stage 2";
        case StartMode::kGameWindow: return "game window";
        case StartMode::kNormal: return "normal launcher";
    }
    return "unknown";
}

StartMode SelectStartMode(const std::u16string& line) {
    if (Head(line) == u"-d") return StartMode::kUpdateHandoff;
    if (Tail(line) == u"-u") return StartMode::kUninstallStage1;
    if (Head(line) == u"-u") return StartMode::kUninstallStage2;
    return SelectGameWindowOrNormal(line).frame_wnd != 0 ? StartMode::kGameWindow
                                                         : StartMode::kNormal;
}

GameWindowArgs SelectGameWindowOrNormal(const std::u16string& line) {
    GameWindowArgs args;
    std::u16string s = line;
    static const std::u16string kFrame = u"-frameWnd=";
    static const std::u16string kUrl = u"-gameurl=";
    if (const size_t p = s.find(kFrame); p != std::u16string::npos) {
        s = s.substr(p + kFrame.size());
        if (const size_t q = s.find(u' '); q != std::u16string::npos) {
            args.frame_wnd = ParseDecimalLikeWcstol(s.substr(0, q));
            s = s.substr(q);
        }
    }
    if (const size_t u = s.find(kUrl); u != std::u16string::npos) {
        args.game_url = s.substr(u + kUrl.size());
    }
    return args;
}

std::u16string PathAfterOption(const std::u16string& line) {
    return line.size() > 3 ? line.substr(3) : std::u16string();
}

}  // namespace vostra
