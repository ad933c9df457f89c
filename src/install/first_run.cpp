#include "install/first_run.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>

#include "app/ini_file.h"
#include "app/settings.h"
#include "install/zip_reader.h"
#include "platform/resources.h"

namespace vostra {
namespace {

constexpr char kSettingsFileName[] = "systemset.ini";

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Extracts every entry below res, except a settings file that is there
// already. The results are not examined: whatever failed is tried again at
// the next start because no marker gets written without settings.
void ExtractArchive(const std::string& res, std::string_view archive) {
    HZIP zip = OpenZipFromMemory(archive.data(), archive.size());
    if (zip == nullptr) return;
    SetBaseDirectory(zip, res);
    ZipEntryInfo ze;
    GetZipEntry(zip, -1, ze);
    const int count = ze.index;
    for (int i = 0; i < count; ++i) {
        if (GetZipEntry(zip, i, ze) != kZipOk) continue;
        if (ze.name == kSettingsFileName && FileExists(res + "/" + kSettingsFileName)) continue;
        ExtractZipEntry(zip, i, ze.name);
    }
    CloseZip(zip);
}

}  // namespace

int SettingToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT_MAX} + 1) value = int64_t{INT_MAX} + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool UnpackFirstRunArchive(const std::string& installFolder, std::string_view archive) {
    const std::string res = installFolder + "/res";
    const std::string settings = res + "/" + kSettingsFileName;
    if (SettingToInt(ReadIniSetting(settings, "Setting", "start", "-1")) == kFirstRunDone) {
        return true;
    }
    mkdir(res.c_str(), 0755);
    if (!archive.empty()) ExtractArchive(res, archive);
    unlink((res + "/data.zip").c_str());
    if (!FileExists(settings)) return false;
    IniWriteValue(settings, "Setting", "start", std::to_string(kFirstRunDone));
    return true;
}

bool UnpackFirstRunFiles(const std::string& installFolder) {
    const std::optional<std::string_view> archive = LoadResourceBytes("ZIP", kFirstRunArchiveId);
    return UnpackFirstRunArchive(installFolder, archive.value_or(std::string_view()));
}

}  // namespace vostra
