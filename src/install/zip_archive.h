// The archive layer of the zip reader: finds the end-of-central-directory
// record, walks the central directory one header at a time and checks an
// entry's local header against its central header. Only the classic format
// (32-bit sizes and offsets, one disk) is read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "install/zip_result.h"
#include "install/zip_source.h"

namespace vostra::zip {

inline constexpr uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr uint32_t kCentralSignature = 0x02014B50;
inline constexpr uint32_t kLocalSignature = 0x04034B50;
inline constexpr size_t kCentralHeaderSize = 46;
inline constexpr size_t kLocalHeaderSize = 30;
// Names are read into a buffer of 260 bytes: a longer one keeps 259.
inline constexpr size_t kMaxRawNameBytes = 259;
// How far back from the end the end record is looked for.
inline constexpr uint64_t kEndRecordWindow = 65535;

// The fields of one central directory header.
struct CentralEntry {
    uint16_t version_made_by = 0;
    uint16_t version_needed = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dos_time = 0;
    uint16_t dos_date = 0;
    uint32_t crc = 0;
    uint32_t compressed_size = 0;
    uint32_t uncompressed_size = 0;
    uint16_t name_length = 0;
    uint16_t extra_length = 0;
    uint16_t comment_length = 0;
    uint16_t disk_number = 0;
    uint16_t internal_attributes = 0;
    uint32_t external_attributes = 0;
    uint32_t local_header_offset = 0;
    std::string raw_name;  // the stored bytes, at most kMaxRawNameBytes
};

// What the local header tells about an entry that passed the checks.
struct LocalHeader {
    uint16_t flags = 0;
    uint64_t data_start = 0;              // first byte of the entry's data
    const uint8_t* extra = nullptr;       // local extra field, in place
    uint16_t extra_length = 0;
};

// Position of the end record's signature, searched backwards within the
// last kEndRecordWindow bytes in overlapping chunks; nullopt when absent.
std::optional<uint64_t> FindEndRecord(MemorySource& source);

class Archive {
public:
    // Reads the end record and goes to the first entry. On failure returns
    // nullptr and sets result to kZipNoFile.
    static std::unique_ptr<Archive> Open(const uint8_t* data, uint64_t size, ZipResult& result);

    uint32_t EntryCount() const { return entry_count_; }
    uint64_t BytesBefore() const { return bytes_before_; }
    MemorySource& Source() { return source_; }

    // Puts the walk on entry index (walking back to the first entry when
    // index lies behind). False when a central header on the way, or the
    // entry's own, cannot be read.
    bool GoTo(uint32_t index);
    const CentralEntry& Current() const { return current_; }

    // Checks the local header of the current entry (kZipBadHeader) and
    // that its extra field lies inside the archive (kZipBadExtra).
    ZipResult CheckLocalHeader(LocalHeader& out);

private:
    explicit Archive(MemorySource source) : source_(source) {}
    bool ReadEndRecord(uint64_t record_pos);
    bool GoToFirst();
    bool GoToNext();
    bool ReadCentralHeader();

    MemorySource source_;
    uint32_t entry_count_ = 0;
    uint32_t central_size_ = 0;
    uint32_t central_offset_ = 0;
    uint16_t comment_size_ = 0;
    uint64_t bytes_before_ = 0;
    uint64_t end_record_pos_ = 0;
    uint32_t current_number_ = 0;
    uint64_t current_header_pos_ = 0;
    bool current_valid_ = false;
    CentralEntry current_;
};

}  // namespace vostra::zip
