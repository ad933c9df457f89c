// The first-run files: the default settings file and the uninstall icon,
// unpacked once from the archive embedded in the executable (resource "ZIP"
// 269) into the install folder's res folder.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

inline constexpr int kFirstRunArchiveId = 269;
// Value of [Setting] start once the first-run files are in place.
inline constexpr int kFirstRunDone = 1001;

// Unpacks the embedded archive into installFolder/res unless the settings
// file there says it was done. Returns true when the settings file exists
// afterwards.
bool UnpackFirstRunFiles(const std::string& installFolder);

// The same with the archive given, for tests. An existing systemset.ini is
// never overwritten; a stale res/data.zip is deleted. The first-run marker
// is written only when systemset.ini exists after unpacking, so a failed
// unpacking is tried again at the next start instead of leaving the hot
// keys without settings for good.
bool UnpackFirstRunArchive(const std::string& installFolder, std::string_view archive);

// A setting's value read as a decimal number the way the Windows program
// read it: leading blanks, an optional sign and the digits that follow;
// anything else reads as 0; values beyond the int range are clamped.
int SettingToInt(const std::string& text);

}  // namespace vostra
