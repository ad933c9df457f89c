// Finds a named section of an ELF file through its section headers. Every
// offset and size read from the file is checked against the file's length,
// since the file may be a download of unknown origin.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vostra {

struct ElfSection {
    uint64_t offset = 0;  // file offset of the section's bytes
    uint64_t size = 0;
};

// The section called `name` in the open file fd (ELF32 or ELF64, either byte
// order); nullopt when the file is not ELF, is malformed, or has no such
// section with bytes in the file.
std::optional<ElfSection> FindElfSection(int fd, std::string_view name);

}  // namespace vostra
