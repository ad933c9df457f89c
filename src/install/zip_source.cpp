#include "install/zip_source.h"

#include <cstring>

namespace vostra::zip {

size_t MemorySource::Read(void* out, size_t count) {
    if (pos_ >= size_ || count == 0) return 0;
    const uint64_t left = size_ - pos_;
    const size_t n = left < count ? static_cast<size_t>(left) : count;
    std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return n;
}

bool MemorySource::ReadU16(uint16_t& value) {
    uint8_t b[2];
    if (!ReadExact(b, sizeof b)) return false;
    value = LoadU16(b);
    return true;
}

bool MemorySource::ReadU32(uint32_t& value) {
    uint8_t b[4];
    if (!ReadExact(b, sizeof b)) return false;
    value = LoadU32(b);
    return true;
}

const uint8_t* MemorySource::View(uint64_t pos, uint64_t count) const {
    if (pos > size_ || count > size_ - pos) return nullptr;
    return data_ + pos;
}

}  // namespace vostra::zip
