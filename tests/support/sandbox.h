// A temporary home for one test: HOME and the XDG folders point into a
// fresh folder that is removed afterwards, so no test touches the real
// user's files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/app_paths.h"

namespace vostra::test {

class Sandbox : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vostra-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root_ = tmpl;
        SetEnv("HOME", root_ + "/home");
        SetEnv("XDG_DATA_HOME", root_ + "/home/.local/share");
        SetEnv("XDG_CONFIG_HOME", root_ + "/home/.config");
        SetEnv("XDG_CACHE_HOME", root_ + "/home/.cache");
        std::filesystem::create_directories(root_ + "/home");
        ResetAppDirForTesting();
    }

    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        ResetAppDirForTesting();
    }

    static void SetEnv(const char* name, const std::string& value) {
        setenv(name, value.c_str(), 1);
    }

    const std::string& Root() const { return root_; }
    std::string Home() const { return root_ + "/home"; }
    std::string DataHome() const { return root_ + "/home/.local/share"; }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static void WriteFile(const std::string& path, const std::string& data) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << data;
    }

private:
    std::string root_;
};

}  // namespace vostra::test
