// The settings store: one key of systemset.ini in the res folder of the
// data folder. Nothing is cached; every call composes the path and reads or
// writes the file.
#pragma once

#include <string>

namespace vostra {

// Values are seen through a buffer of 260 characters, as the settings file
// was designed with: at most 259 UTF-16 units of a value come back.
constexpr size_t kSettingBufferChars = 260;

// Reads section/key into out. A missing file or key gives def (its trailing
// blanks dropped); a longer value is cut to 259 characters.
void ReadSetting(const std::string& section, const std::string& key, const std::string& def,
                 std::string& out);

// Writes section/key = value, creating the file, section or key as needed.
// A failed write is lost silently, the old file kept whole.
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);

// The same rules on an explicit file, for callers and tests that hold one.
std::string ReadIniSetting(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def);

}  // namespace vostra
