// The file version of an executable, read from its version record without
// running it.
#pragma once

#include <optional>
#include <string>

#include "app/version_record.h"

namespace vostra {

inline constexpr char kNoVersionText[] = "None VerSion Supprot";

// "" for a missing file; kNoVersionText for a file that is not ELF or has no
// valid record; otherwise, for each 4-byte entry of the translation list in
// order, the FileVersion of that translation (missing ones add nothing). A
// translation list shorter than 4 bytes gives "".
std::string GetFileVersionString(const std::string& path);

// The record of an executable; nullopt when it has none.
std::optional<VersionRecord> ReadVersionRecord(const std::string& path);

// Rewrites the record section of the file at path in place, nothing else.
// False (file untouched) when the file has no record section or the record
// does not fit in it.
bool WriteVersionRecord(const std::string& path, const VersionRecord& record);

// Zeroes the record section, so the file reads as having no version.
bool WipeVersionRecord(const std::string& path);

}  // namespace vostra
