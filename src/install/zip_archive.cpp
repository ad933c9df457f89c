#include "install/zip_archive.h"

#include <algorithm>

namespace vostra::zip {
namespace {

// Each backward step reaches this much further back and reads this much
// more than that, so that consecutive chunks overlap by the 4 bytes a
// signature needs.
constexpr uint64_t kChunkStep = 1024;
constexpr size_t kChunkRead = kChunkStep + 4;

bool IsEndSignature(const uint8_t* p) {
    return p[0] == 0x50 && p[1] == 0x4B && p[2] == 0x05 && p[3] == 0x06;
}

}  // namespace

std::optional<uint64_t> FindEndRecord(MemorySource& source) {
    const uint64_t size = source.Size();
    if (size <= 4) return std::nullopt;
    const uint64_t window = std::min(size, kEndRecordWindow);
    uint8_t chunk[kChunkRead];
    uint64_t back = 4;
    while (back < window) {
        back = std::min(back + kChunkStep, window);
        const uint64_t read_pos = size - back;
        const size_t read_len = static_cast<size_t>(std::min<uint64_t>(kChunkRead, back));
        source.Seek(read_pos);
        if (!source.ReadExact(chunk, read_len)) return std::nullopt;
        for (size_t i = read_len - 4 + 1; i-- > 0;) {
            if (IsEndSignature(chunk + i)) return read_pos + i;
        }
    }
    return std::nullopt;
}

std::unique_ptr<Archive> Archive::Open(const uint8_t* data, uint64_t size, ZipResult& result) {
    std::unique_ptr<Archive> archive(new Archive(MemorySource(data, size)));
    const std::optional<uint64_t> record = FindEndRecord(archive->source_);
    if (!record || !archive->ReadEndRecord(*record)) {
        result = kZipNoFile;
        return nullptr;
    }
    // The archive is open even when its first entry cannot be read; the
    // walk then simply has nothing to stand on.
    archive->GoToFirst();
    result = kZipOk;
    return archive;
}

bool Archive::ReadEndRecord(uint64_t record_pos) {
    uint32_t signature = 0;
    uint16_t this_disk = 0, central_disk = 0, entries_here = 0, entries_total = 0;
    source_.Seek(record_pos);
    if (!source_.ReadU32(signature) || !source_.ReadU16(this_disk) ||
        !source_.ReadU16(central_disk) || !source_.ReadU16(entries_here) ||
        !source_.ReadU16(entries_total) || !source_.ReadU32(central_size_) ||
        !source_.ReadU32(central_offset_) || !source_.ReadU16(comment_size_)) {
        return false;
    }
    if (this_disk != 0 || central_disk != 0 || entries_here != entries_total) return false;
    const uint64_t directory_end = uint64_t{central_offset_} + central_size_;
    if (record_pos < directory_end) return false;
    entry_count_ = entries_total;
    end_record_pos_ = record_pos;
    bytes_before_ = record_pos - directory_end;
    return true;
}

bool Archive::GoToFirst() {
    current_number_ = 0;
    current_header_pos_ = bytes_before_ + central_offset_;
    current_valid_ = entry_count_ > 0 && ReadCentralHeader();
    return current_valid_;
}

bool Archive::GoToNext() {
    // Never step past an unreadable header, nor past the last entry.
    if (!current_valid_ || current_number_ + 1 >= entry_count_) return false;
    current_header_pos_ += kCentralHeaderSize + uint64_t{current_.name_length} +
                           current_.extra_length + current_.comment_length;
    ++current_number_;
    current_valid_ = ReadCentralHeader();
    return current_valid_;
}

bool Archive::GoTo(uint32_t index) {
    if (index >= entry_count_) return false;
    if (index < current_number_ || !current_valid_) {
        if (!GoToFirst()) return false;
    }
    while (current_number_ < index) {
        if (!GoToNext()) return false;
    }
    return current_valid_;
}

bool Archive::ReadCentralHeader() {
    const uint8_t* h = source_.View(current_header_pos_, kCentralHeaderSize);
    if (h == nullptr || LoadU32(h) != kCentralSignature) return false;
    CentralEntry& e = current_;
    e.version_made_by = LoadU16(h + 4);
    e.version_needed = LoadU16(h + 6);
    e.flags = LoadU16(h + 8);
    e.method = LoadU16(h + 10);
    e.dos_time = LoadU16(h + 12);
    e.dos_date = LoadU16(h + 14);
    e.crc = LoadU32(h + 16);
    e.compressed_size = LoadU32(h + 20);
    e.uncompressed_size = LoadU32(h + 24);
    e.name_length = LoadU16(h + 28);
    e.extra_length = LoadU16(h + 30);
    e.comment_length = LoadU16(h + 32);
    e.disk_number = LoadU16(h + 34);
    e.internal_attributes = LoadU16(h + 36);
    e.external_attributes = LoadU32(h + 38);
    e.local_header_offset = LoadU32(h + 42);
    const size_t name_bytes = std::min<size_t>(e.name_length, kMaxRawNameBytes);
    const uint8_t* name = source_.View(current_header_pos_ + kCentralHeaderSize, name_bytes);
    if (name == nullptr) return false;
    e.raw_name.assign(reinterpret_cast<const char*>(name), name_bytes);
    return true;
}

ZipResult Archive::CheckLocalHeader(LocalHeader& out) {
    if (!current_valid_) return kZipBadHeader;
    const CentralEntry& e = current_;
    const uint64_t pos = bytes_before_ + e.local_header_offset;
    const uint8_t* h = source_.View(pos, kLocalHeaderSize);
    if (h == nullptr || LoadU32(h) != kLocalSignature) return kZipBadHeader;
    const uint16_t flags = LoadU16(h + 6);
    const uint16_t method = LoadU16(h + 8);
    if (method != e.method || (method != 0 && method != 8)) return kZipBadHeader;
    // With bit 3 the sizes and CRC follow the data and the local fields
    // may be zero.
    if ((flags & 0x0008) == 0 &&
        (LoadU32(h + 14) != e.crc || LoadU32(h + 18) != e.compressed_size ||
         LoadU32(h + 22) != e.uncompressed_size)) {
        return kZipBadHeader;
    }
    const uint16_t name_length = LoadU16(h + 26);
    const uint16_t extra_length = LoadU16(h + 28);
    if (name_length != e.name_length) return kZipBadHeader;
    const uint64_t extra_pos = pos + kLocalHeaderSize + name_length;
    const uint8_t* extra = source_.View(extra_pos, extra_length);
    if (extra == nullptr) return kZipBadExtra;
    out.flags = flags;
    out.data_start = extra_pos + extra_length;
    out.extra = extra;
    out.extra_length = extra_length;
    return kZipOk;
}

}  // namespace vostra::zip
