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
    RecordingHotKeys m_keys{true};
    LauncherHotKeys m_set;

    std::vector<std::string> Register() {
        m_set = RegisterHotKeys(m_keys);
        return Take();
    }
    std::vector<std::string> Hold(bool hold) {
        HoldActiveOnlyHotKeys(m_keys, m_set, hold);
        return Take();
    }
    std::vector<std::string> Take() {
        std::vector<std::string> calls;
        calls.swap(m_keys.calls);
        return calls;
    }
};

using Calls = std::vector<std::string>;

// The boss key at once and for good; F5 and the full-screen key only while
// the launcher is active.
TEST_F(HotKeyRegistration, BossKeyAtOnceTheOthersWhileActive) {
    WriteSettings("screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n");
    EXPECT_EQ(Register(), (Calls{"unregister 2", "register 2 0 121"}));
    EXPECT_EQ(Hold(true), (Calls{"unregister 3", "register 3 0 122", "unregister 1",
                                 "register 1 0 116"}));
    EXPECT_EQ(Hold(true), Calls{});
    EXPECT_EQ(Hold(false), (Calls{"unregister 3", "unregister 1"}));
    EXPECT_EQ(Hold(false), Calls{});
    EXPECT_EQ(Hold(true).size(), 4u);
}

// The keys are read once: a later change of the file changes nothing.
TEST_F(HotKeyRegistration, SettingsChangedLaterChangeNothing) {
    WriteSettings("screentoggle=F10\r\nfullscreen=F11\r\n");
    Register();
    WriteSettings("screentoggle=F2\r\nfullscreen=F3\r\n");
    EXPECT_EQ(Hold(true), (Calls{"unregister 3", "register 3 0 122", "unregister 1",
                                 "register 1 0 116"}));
}

TEST_F(HotKeyRegistration, EmptyOrUnusableValuesLeaveOnlyF5) {
    WriteSettings("screentoggle=\r\nfullscreen=Win+F\r\n");
    EXPECT_EQ(Register(), Calls{});
    EXPECT_EQ(Hold(true), (Calls{"unregister 1", "register 1 0 116"}));
}

TEST_F(HotKeyRegistration, NoSettingsFileRegistersTheShippedKeys) {
    EXPECT_EQ(Register(), (Calls{"unregister 2", "register 2 0 121"}));
    EXPECT_EQ(Hold(true)[1], "register 3 0 122");
}

TEST_F(HotKeyRegistration, RefusalsDoNotStopTheOtherKeys) {
    WriteSettings("screentoggle=F10\r\nfullscreen=F11\r\n");
    RecordingHotKeys refusing(false);
    LauncherHotKeys set = RegisterHotKeys(refusing);
    HoldActiveOnlyHotKeys(refusing, set, true);
    EXPECT_EQ(refusing.calls.size(), 6u);
}

}  // namespace
}  // namespace vostra
