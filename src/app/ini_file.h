// Reader and writer of Windows-style INI files, keeping the rules of the
// Windows private-profile functions that the settings file was made for:
//  - section and key names match without regard to (ASCII) case;
//  - blanks around section names, key names and values are trimmed, and one
//    pair of enclosing double or single quotes around a value is dropped;
//  - the first of duplicate keys wins; only the first of duplicate sections
//    is searched; lines before the first section belong to none;
//  - a line without "=" is no key; a "[" line that never closes is neither a
//    section nor a key (it is skipped, as Wine's reader does);
//  - a UTF-8 byte-order mark is skipped; CR LF, LF and CR line ends are read.
// Text is bytes: values come back exactly as stored (UTF-8 in practice).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vostra {

// The value of key in section, or nullopt when the file, the section or the
// key is missing or the file cannot be read (or is not a regular file). The file is read as a stream,
// so a huge file costs time, not memory; a line longer than 64 KiB is seen
// only up to that length. A value ends at its first NUL byte.
std::optional<std::string> IniReadValue(const std::string& path, std::string_view section,
                                        std::string_view key);

// Sets key in section to value. The section and key are created when
// missing (a new key goes after the last non-blank line of its section, a
// new section at the end of the file); an existing key's value is replaced
// in place; every other line is kept, and every line of the result ends in
// CR LF. The file is replaced atomically, so a failed write leaves the old
// file whole. A value is cut at its first line break. Returns false when
// nothing was written: a name holding a line break, "[" "]" in a section
// name or "=" in a key name, a missing folder, an unreadable file, or a file
// over 64 MiB.
bool IniWriteValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace vostra
