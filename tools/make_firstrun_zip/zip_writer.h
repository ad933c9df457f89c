// A small writer of zip archives in the classic format, for the build-time
// first-run archive and for tests that need archives with exact headers.
// It writes what it is told, including inconsistent fields, and checks
// nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vostra::ziptool {

struct WriterEntry {
    std::string name;
    std::string data;                       // the uncompressed content
    uint16_t method = 8;                    // 8 deflates data, 0 stores it
    uint16_t version_made_by = 20;          // host 0 (DOS) in the high byte
    uint16_t version_needed = 20;
    uint16_t flags = 0;                     // bit 3: sizes in a data descriptor
    uint16_t dos_date = (44 << 9) | (1 << 5) | 1;  // 2024-01-01
    uint16_t dos_time = 0;
    uint16_t internal_attributes = 0;
    uint32_t external_attributes = 0x20;    // the DOS archive attribute
    std::string local_extra;
    std::string central_extra;
    std::string comment;
    // Overrides: bytes written instead of the (compressed) data, and the
    // recorded CRC-32 and uncompressed size.
    std::optional<std::string> raw_data;
    std::optional<uint32_t> crc;
    std::optional<uint32_t> uncompressed_size;
};

// data as raw deflate (no zlib header), at the given level.
std::string DeflateRaw(std::string_view data, int level = 9);

uint32_t Crc32(std::string_view data);

// A DOS date and time field pair for a calendar time.
uint16_t DosDate(int year, int month, int day);
uint16_t DosTime(int hour, int minute, int second);

// Local headers and data, then the central directory and the end record.
std::string BuildZip(const std::vector<WriterEntry>& entries, std::string_view comment = {});

}  // namespace vostra::ziptool
