// MD5 of a file, logged on both sides of an update.
#pragma once

#include <string>

namespace vostra {

// Appends the MD5 of the file's bytes to out as 32 lower-case hexadecimal
// digits and returns true; returns false with out unchanged when the file
// cannot be opened or read. The file is hashed as a stream, so its size
// does not matter.
bool ComputeFileMd5(const std::string& path, std::string& out);

}  // namespace vostra
