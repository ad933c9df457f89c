#include "core_fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/command_modes.h"
#include "app/file_version.h"
#include "app/ini_file.h"
#include "app/version_record.h"
#include "platform/text_utf.h"

namespace vostra::test {
namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "core fuzz: property broken: %s\n", what);
        abort();
    }
}

void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Whatever the file held, a value written is the value read back, and a
// second write of the same value changes nothing.
void CheckSettingsFile(const std::string& path) {
    IniReadValue(path, "Setting", "screentoggle");
    IniReadValue(path, "", "");
    if (!IniWriteValue(path, "Setting", "start", "1001")) return;
    Require(IniReadValue(path, "setting", "START") == std::optional<std::string>("1001"),
            "written value reads back");
    std::ifstream in(path, std::ios::binary);
    const std::string once((std::istreambuf_iterator<char>(in)), {});
    Require(IniWriteValue(path, "Setting", "start", "1001"), "second write succeeds");
    std::ifstream again(path, std::ios::binary);
    const std::string twice((std::istreambuf_iterator<char>(again)), {});
    Require(once == twice, "rewriting the same value is stable");
}

void CheckCommandLine(const uint8_t* data, size_t size) {
    const std::u16string line =
        Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
    SelectStartMode(line);
    const GameWindowArgs args = SelectGameWindowOrNormal(line);
    Require(args.game_url.size() <= line.size(), "the URL is part of the line");
    Require(PathAfterOption(line).size() <= line.size(), "the path is part of the line");
}

}  // namespace

void FuzzCoreInput(const uint8_t* data, size_t size, const std::string& folder) {
    const std::string path = folder + "/input";
    WriteInput(path, data, size);
    GetFileVersionString(path);
    DecodeVersionRecord(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckSettingsFile(path);
    CheckCommandLine(data, size);
    remove(path.c_str());
}

}  // namespace vostra::test
