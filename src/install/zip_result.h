// Result codes of the zip reader (0 is success). Every reader operation
// returns one and also leaves it as the process-wide last result.
#pragma once

#include <cstdint>

namespace vostra {

using ZipResult = uint32_t;

inline constexpr ZipResult kZipOk = 0x00000000;
// Open: no end record, or the end record or central directory is
// inconsistent. Extract: the target file cannot be created, or a directory
// entry's folder cannot be made (reported rather than passed as success).
inline constexpr ZipResult kZipNoFile = 0x00000200;
// Extract: writing the target file failed.
inline constexpr ZipResult kZipWriteFailed = 0x00000400;
// Entry information: the local header disagrees with the central header.
// Entry information and extract: the entry cannot be reached because a
// central header before it (or its own) is unreadable.
inline constexpr ZipResult kZipBadHeader = 0x00000700;
// Entry information: the local extra field cannot be read.
inline constexpr ZipResult kZipBadExtra = 0x00000800;
// Entry information and extract: the entry's name still climbs out of the
// base directory after cleaning ("../x", "..\x", "a/.."), or a relative
// destination does. Such an entry is never written.
inline constexpr ZipResult kZipUnsafeName = 0x00000900;
// Extract: every byte was read but the CRC-32 (or the length) of the data
// differs from the central header's. The target file is not left behind.
inline constexpr ZipResult kZipCrcMismatch = 0x00000A00;
// Extract: the encryption header's check byte is wrong (password error).
inline constexpr ZipResult kZipBadPassword = 0x00001000;
// Bad argument: null handle, or entry index out of range.
inline constexpr ZipResult kZipBadArgument = 0x00010000;
// The handle is not a reader handle.
inline constexpr ZipResult kZipNotReader = 0x00080000;
// Open: the reader already holds an archive. Every open makes a reader of
// its own, so OpenZipFromMemory never meets it; kept for the full table.
inline constexpr ZipResult kZipAlreadyOpen = 0x01000000;
// Extract: reading or inflating the entry's data failed, or stopped before
// the end of the entry; also when the entry's local header fails its checks
// (bad signature, method, sizes, name length or extra field), since its data
// cannot be read then.
inline constexpr ZipResult kZipDataError = 0x05000000;

}  // namespace vostra
