#include "app/settings.h"

#include "app/app_paths.h"
#include "app/ini_file.h"
#include "platform/text_utf.h"

namespace vostra {

std::string ReadIniSetting(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) {
    std::optional<std::string> value = IniReadValue(path, section, key);
    std::string_view result;
    if (value) {
        result = *value;
    } else {
        result = def;
        while (!result.empty() && (result.back() == ' ' || result.back() == '\t')) {
            result.remove_suffix(1);
        }
    }
    return std::string(Utf8PrefixByUtf16Units(result, kSettingBufferChars - 1));
}

void ReadSetting(const std::string& section, const std::string& key, const std::string& def,
                 std::string& out) {
    out = ReadIniSetting(GetSettingsPath(), section, key, def);
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    IniWriteValue(GetSettingsPath(), section, key, value);
}

}  // namespace vostra
