// How the zip reader turns an entry's stored fields into what it reports:
// the cleaned name, Windows file attribute bits and FILETIME values. Pure
// functions of the stored bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vostra::zip {

// Windows file attribute bits, the form in which attributes are reported.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;

// 100-ns intervals between 1601-01-01 and 1970-01-01, the two epochs.
inline constexpr uint64_t kFileTimeUnixEpoch = 116444736000000000ull;

struct EntryTimes {
    uint64_t last_access = 0;
    uint64_t creation = 0;
    uint64_t last_write = 0;
};

// The stored name bytes (UTF-8; cut at a NUL byte, invalid bytes become
// U+FFFD) as at most 259 UTF-16 units, returned as UTF-8.
std::string DecodeEntryName(std::string_view raw);

// Drops drive prefixes ("C:"), leading separators and everything up to a
// "/../"-like parent step, repeating until no rule applies.
std::string CleanEntryName(std::string_view name);

// True when the name still has a ".." component (separators "/" and "\"):
// the rules above leave "../x", "..\x" and "a/.." untouched.
bool ClimbsOutOfBase(std::string_view name);

// Attributes from the host in the high byte of version-made-by: DOS-like
// hosts (0, 7, 11, 14) store the bits themselves, the others a Unix mode in
// the high 16 bits.
uint32_t AttributesFromHost(uint16_t version_made_by, uint32_t external_attributes);

// A DOS date and time, read as local time, as a UTC FILETIME.
uint64_t DosTimeToFileTime(uint16_t dos_date, uint16_t dos_time);

// A Unix time (seconds) as a FILETIME.
inline uint64_t UnixTimeToFileTime(uint32_t t) {
    return (uint64_t{t} + 11644473600ull) * 10000000ull;
}

// Applies the first "UT" (extended timestamp) block of a local extra field
// to times. Every read stays inside both the block and the field.
void ApplyExtendedTimestamp(const uint8_t* extra, size_t length, EntryTimes& times);

}  // namespace vostra::zip
