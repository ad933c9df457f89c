// The zip reader the installer uses: opens an archive that lies in memory,
// lists its entries and extracts them below a base directory.
//
// Entry names are cleaned so that an entry cannot name a drive, an absolute
// path or a parent directory; a name that would still climb out of the base
// directory is refused (kZipUnsafeName), so nothing an archive holds is
// written outside it. Names use "/" or "\" as separators, as zip tools on
// both systems write them; both are separators here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "install/zip_result.h"

namespace vostra {

// What the reader reports about one entry.
struct ZipEntryInfo {
    int index = 0;
    std::string name;           // UTF-8; at most 259 UTF-16 units
    uint32_t attr = 0;          // Windows file attribute bits (zip_entry_fields.h)
    uint64_t atime = 0;         // last access, FILETIME (100 ns since 1601, UTC)
    uint64_t ctime = 0;         // creation, FILETIME
    uint64_t mtime = 0;         // last write, FILETIME
    uint32_t comp_size = 0;
    uint32_t unc_size = 0;
};

struct ZipHandle;
using HZIP = ZipHandle*;

// Opens the archive at data. The memory must stay valid and unchanged until
// the handle is closed; it is read in place, never copied. Null on failure,
// with the reason in the last result. The base directory starts as the
// current directory.
HZIP OpenZipFromMemory(const void* data, size_t length);

// Makes path (with "/" appended unless it ends in "/" or "\", the latter
// taken as "/") the base directory for relative destinations.
ZipResult SetBaseDirectory(HZIP handle, const std::string& path);

// index -1: ze.index = number of entries, every other field empty. Otherwise
// the entry's information; kZipUnsafeName comes with the information filled
// in, so a listing can show what was refused.
ZipResult GetZipEntry(HZIP handle, int index, ZipEntryInfo& ze);

// Writes entry index to destination (relative to the base directory unless
// it begins with "/"), or creates it when the entry is a directory. A file
// appears under its name only when complete and verified; an existing file
// of that name is replaced. Read-only entries get a mode without write
// bits; last-access and last-write times are set. An entry whose local
// header fails its checks gives kZipDataError and creates nothing.
ZipResult ExtractZipEntry(HZIP handle, int index, const std::string& destination);

// Closes the archive and frees the handle (null: kZipBadArgument). Every
// call refuses a handle that is not open (closed already, or never made by
// OpenZipFromMemory) with kZipNotReader.
ZipResult CloseZip(HZIP handle);

// The result of the most recent reader operation in this process.
ZipResult GetLastZipResult();

}  // namespace vostra
