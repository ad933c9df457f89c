// One run of the zip reader on arbitrary bytes: open, list, extract every
// entry into a temporary base directory, close. Shared by the libFuzzer
// target and the test that replays the corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vostra::test {

// Extracts below root/base and empties it again afterwards. Returns false
// when anything appeared in root beside base, that is, outside the base
// directory.
bool RunZipFuzzInput(const std::string& root, const uint8_t* data, size_t size);

}  // namespace vostra::test
