#include "launcher/hot_key_registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_paths.h"
#include "launcher/hot_key_grammar.h"
#include "support/sandbox.h"

namespace vostra {
namespace {

// Records the calls the registration makes, answering each with `answer`.
class RecordingHotKeys : public GlobalHotKeys {
public:
    explicit RecordingHotKeys(bool answer) : m_answer(answer) {}
    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override {
        calls.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                        std::to_string(virtualKey));
        return m_answer;
    }
    bool UnregisterHotKey(int id) override {
        calls.push_back("unregister " + std::to_string(id));
        return m_answer;
    }
    std::vector<std::string> calls;

private:
    bool m_answer;
};

class HotKeyRegistration : public test::Sandbox {
protected:
    void WriteSettings(const std::string& settingSection) {
        WriteFile(GetSettingsPath(), "[Setting]\r\n" + settingSection);
    }
    static std::vector<std::string> Run(bool answer = true) {
        RecordingHotKeys keys(answer);
        RegisterHotKeys(keys);
        return keys.calls;
    }
};

using Calls = std::vector<std::string>;

TEST_F(HotKeyRegistration, ShippedSettingsRegisterBossThenFullScreenThenF5) {
    WriteSettings("screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n");
    EXPECT_EQ(Run(), (Calls{"unregister 2", "register 2 0 121", "unregister 3", "register 3 0 122",
                            "register 1 0 116"}));
}

TEST_F(HotKeyRegistration, EmptyValuesLeaveOnlyF5) {
    WriteSettings("screentoggle=\r\nfullscreen=\r\n");
    EXPECT_EQ(Run(), (Calls{"register 1 0 116"}));
}

TEST_F(HotKeyRegistration, UnknownNameIsStillAskedForWithKeyCodeZero) {
    WriteSettings("screentoggle=Ctrl+Esc\r\nfullscreen=Alt+Num5\r\n");
    EXPECT_EQ(Run(), (Calls{"unregister 2", "register 2 2 0", "unregister 3", "register 3 1 101",
                            "register 1 0 116"}));
}

TEST_F(HotKeyRegistration, NoSettingsFileRegistersTheDigitZeroForBoth) {
    EXPECT_EQ(Run(), (Calls{"unregister 2", "register 2 0 48", "unregister 3", "register 3 0 48",
                            "register 1 0 116"}));
}

TEST_F(HotKeyRegistration, RefusalsDoNotStopTheOtherKeys) {
    WriteSettings("screentoggle=F10\r\nfullscreen=F11\r\n");
    EXPECT_EQ(Run(false).size(), 5u);
}

}  // namespace
}  // namespace vostra
