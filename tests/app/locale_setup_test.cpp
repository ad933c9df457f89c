// The character type the launcher sets before the toolkit starts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/locale_setup.h"

namespace vostra {
namespace {

struct LocaleCase {
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    bool changes;
    const char* want_lc_all;    // after the call; nullptr: unset
    const char* want_lc_ctype;  // after the call; nullptr: unset
};

class LocaleSetup : public ::testing::TestWithParam<LocaleCase> {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* v = getenv(name);
            saved_[name] = v != nullptr ? std::optional<std::string>(v) : std::nullopt;
        }
    }
    void TearDown() override {
        for (const auto& [name, v] : saved_) {
            if (v) setenv(name.c_str(), v->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    static void Set(const char* name, const char* value) {
        if (value != nullptr) setenv(name, value, 1);
        else unsetenv(name);
    }
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_P(LocaleSetup, MakesOnlyAPlainCCharacterTypeUtf8) {
    const LocaleCase& c = GetParam();
    Set("LC_ALL", c.lc_all);
    Set("LC_CTYPE", c.lc_ctype);
    Set("LANG", c.lang);
    EXPECT_EQ(EnsureUtf8CharacterType(), c.changes);
    const char* all = getenv("LC_ALL");
    const char* ctype = getenv("LC_CTYPE");
    EXPECT_EQ(all != nullptr ? std::string(all) : "<unset>",
              c.want_lc_all != nullptr ? c.want_lc_all : "<unset>");
    EXPECT_EQ(ctype != nullptr ? std::string(ctype) : "<unset>",
              c.want_lc_ctype != nullptr ? c.want_lc_ctype : "<unset>");
    // The language of messages is never touched.
    const char* lang = getenv("LANG");
    EXPECT_EQ(lang != nullptr ? std::string(lang) : "<unset>",
              c.lang != nullptr ? c.lang : "<unset>");
}

INSTANTIATE_TEST_SUITE_P(
    Environments, LocaleSetup,
    ::testing::Values(
        LocaleCase{nullptr, nullptr, nullptr, true, nullptr, "C.UTF-8"},   // a bare image
        LocaleCase{nullptr, nullptr, "C", true, nullptr, "C.UTF-8"},
        LocaleCase{nullptr, nullptr, "POSIX", true, nullptr, "C.UTF-8"},
        LocaleCase{nullptr, "", "", true, nullptr, "C.UTF-8"},              // empty counts as unset
        LocaleCase{nullptr, nullptr, "de_DE.UTF-8", false, nullptr, nullptr},
        LocaleCase{nullptr, "zh_CN.UTF-8", "C", false, nullptr, "zh_CN.UTF-8"},
        LocaleCase{nullptr, "C", "zh_CN.UTF-8", true, nullptr, "C.UTF-8"},  // LC_CTYPE wins over LANG
        LocaleCase{"C", nullptr, "zh_CN.UTF-8", true, "C.UTF-8", nullptr},  // LC_ALL wins over all
        LocaleCase{"en_US.UTF-8", "C", nullptr, false, "en_US.UTF-8", "C"}));

}  // namespace
}  // namespace vostra

// The session bus guard, in the same environment-restoring style.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/session_bus.h"

namespace vostra {
namespace {

class SessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "NO_AT_BRIDGE"}) {
            const char* v = getenv(name);
            saved_[name] = v != nullptr ? std::optional<std::string>(v) : std::nullopt;
            unsetenv(name);
        }
        char tmpl[] = "/tmp/vostra-bus-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        if (fd_ >= 0) close(fd_);
        unlink((dir_ + "/bus").c_str());
        rmdir(dir_.c_str());
        for (const auto& [name, v] : saved_) {
            if (v) setenv(name.c_str(), v->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    void ListenOnRuntimeBus() {
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        snprintf(addr.sun_path, sizeof addr.sun_path, "%s/bus", dir_.c_str());
        ASSERT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    }
    static std::string Env(const char* name) {
        const char* v = getenv(name);
        return v != nullptr ? v : "<unset>";
    }
    std::map<std::string, std::optional<std::string>> saved_;
    std::string dir_;
    int fd_ = -1;
};

TEST_F(SessionBus, NoBusAnywhereIsMadeUnreachable) {
    EXPECT_TRUE(AvoidSessionBusAutolaunch());
    EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
    EXPECT_EQ(Env("NO_AT_BRIDGE"), "1");
}

TEST_F(SessionBus, AGivenAddressIsKept) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus", 1);
    EXPECT_FALSE(AvoidSessionBusAutolaunch());
    EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
    EXPECT_EQ(Env("NO_AT_BRIDGE"), "<unset>");
}

TEST_F(SessionBus, TheRuntimeFoldersBusIsKept) {
    ListenOnRuntimeBus();
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    EXPECT_FALSE(AvoidSessionBusAutolaunch());
    EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "<unset>");
}

TEST_F(SessionBus, ARuntimeFolderWithoutABusIsNoBus) {
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    EXPECT_TRUE(AvoidSessionBusAutolaunch());
    EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
}

}  // namespace
}  // namespace vostra
