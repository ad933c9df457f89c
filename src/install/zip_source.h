// A read-only byte source over one memory block, the lowest layer of the zip
// reader. Reads past the end copy what remains; multi-byte fields are
// little-endian and fail unless they can be read whole.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vostra::zip {

class MemorySource {
public:
    MemorySource(const uint8_t* data, uint64_t size) : data_(data), size_(size) {}

    uint64_t Size() const { return size_; }
    uint64_t Tell() const { return pos_; }

    // Any position may be set; reads from beyond the end give nothing.
    void Seek(uint64_t pos) { pos_ = pos; }

    // Copies up to count bytes to out and advances; returns the bytes copied.
    size_t Read(void* out, size_t count);

    // Reads exactly count bytes, or fails (the position is then unspecified).
    bool ReadExact(void* out, size_t count) { return Read(out, count) == count; }

    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);

    // The bytes at pos without copying; nullptr unless [pos, pos+count) is
    // inside the block.
    const uint8_t* View(uint64_t pos, uint64_t count) const;

private:
    const uint8_t* data_;
    uint64_t size_;
    uint64_t pos_ = 0;
};

inline uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace vostra::zip
