// Appending little-endian integers to a byte string, as the zip and icon
// formats store them.
#pragma once

#include <cstdint>
#include <string>

namespace vostra::ziptool {

inline void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace vostra::ziptool
