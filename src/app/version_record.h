// The version record every launcher executable carries, the Linux form of a
// Windows version resource: a translation list (4-byte entries: language id,
// code page, little-endian) and named strings such as
// "\StringFileInfo\080403a8\FileVersion". It lives in its own ELF section of
// fixed size, so a new version can be stamped into a copy without relinking.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vostra {

inline constexpr char kVersionSectionName[] = ".vostra_version";
inline constexpr size_t kVersionSectionSize = 512;
inline constexpr char kVersionMagic[8] = {'V', 'S', 'V', 'R', 'S', 'N', '0', '1'};

struct VersionRecord {
    std::string translation;  // raw bytes of the translation list
    std::vector<std::pair<std::string, std::string>> strings;

    // The value of a sub-block path, nullopt when absent.
    std::optional<std::string> Query(std::string_view key) const;
};

// "\StringFileInfo\llllcccc\FileVersion" for one translation.
std::string FileVersionKey(uint16_t language, uint16_t code_page);

// Serialises a record into the section's fixed size; nullopt if it does
// not fit.
std::optional<std::vector<uint8_t>> EncodeVersionRecord(const VersionRecord& record);

// Parses a section's bytes, checking every length against the data.
std::optional<VersionRecord> DecodeVersionRecord(std::string_view data);

// The same layout as EncodeVersionRecord for one translation and its
// FileVersion, computed at compile time for the executable's own record.
constexpr std::array<uint8_t, kVersionSectionSize> MakeVersionSection(std::string_view version,
                                                                      uint16_t language,
                                                                      uint16_t code_page) {
    std::array<uint8_t, kVersionSectionSize> out{};
    size_t at = 0;
    auto put16 = [&](size_t v) {
        out[at++] = static_cast<uint8_t>(v & 0xFF);
        out[at++] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    auto put = [&](std::string_view s) {
        put16(s.size());
        for (char c : s) out[at++] = static_cast<uint8_t>(c);
    };
    for (char c : kVersionMagic) out[at++] = static_cast<uint8_t>(c);
    put16(4);
    put16(language);
    put16(code_page);
    put16(1);
    constexpr char hex[] = "0123456789abcdef";
    char key[] = "\\StringFileInfo\\00000000\\FileVersion";
    for (int i = 0; i < 4; ++i) {
        key[16 + i] = hex[(language >> (12 - 4 * i)) & 0xF];
        key[20 + i] = hex[(code_page >> (12 - 4 * i)) & 0xF];
    }
    put(std::string_view(key, sizeof key - 1));
    put(version);
    return out;
}

}  // namespace vostra
