// One fuzz input through the core's parsers of hostile text: the settings
// file reader and writer, the version record (as an ELF file and as a bare
// record) and the command-line mode tests. Aborts when a property breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vostra::test {

// folder: an existing scratch folder the input may be written into.
void FuzzCoreInput(const uint8_t* data, size_t size, const std::string& folder);

}  // namespace vostra::test
