#include "login/login_keys.h"

namespace vostra {
namespace {

// X keysyms (the values GDK's keyvals share).
constexpr uint32_t kReturn = 0xff0d;
constexpr uint32_t kKeypadEnter = 0xff8d;
constexpr uint32_t kTab = 0xff09;
constexpr uint32_t kIsoLeftTab = 0xfe20;  // Shift+Tab
constexpr uint32_t kEscape = 0xff1b;
constexpr uint32_t kSpace = 0x0020;
constexpr uint32_t kF4 = 0xffc1;

bool IsEnter(uint32_t k) { return k == kReturn || k == kKeypadEnter; }

// A, C, V and X in either case: the clipboard and select-all shortcuts.
bool IsEditLetter(uint32_t k) {
    switch (k) {
        case 'a': case 'A': case 'c': case 'C': case 'v': case 'V': case 'x': case 'X':
            return true;
        default:
            return false;
    }
}

}  // namespace

LoginKeyAction ClassifyPopupKey(const LoginKey& key) {
    if (key.alt && key.keyval == kF4) return LoginKeyAction::kExitQuestion;
    if (IsEnter(key.keyval)) return LoginKeyAction::kToPage;
    if (key.keyval == kTab || key.keyval == kIsoLeftTab) return LoginKeyAction::kToPage;
    if (key.control && IsEditLetter(key.keyval)) return LoginKeyAction::kToPage;
    if (key.keyval == kSpace || key.keyval == kEscape) return LoginKeyAction::kSwallow;
    return LoginKeyAction::kDefault;
}

LoginKeyAction ClassifyLoginWindowKey(const LoginKey& key) {
    if (key.alt && key.keyval == kF4) return LoginKeyAction::kExitQuestion;
    if (IsEnter(key.keyval) || key.keyval == kEscape) return LoginKeyAction::kSwallow;
    return LoginKeyAction::kDefault;
}

}  // namespace vostra
