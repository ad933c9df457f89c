// Conversions between UTF-8 (what Linux hands us) and UTF-16 (the unit in
// which the launcher's command-line rules count characters).
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// Decodes UTF-8; every byte that does not start a well-formed sequence
// becomes U+FFFD, so any input gives a result.
std::u16string Utf8ToUtf16(std::string_view text);

// Encodes UTF-16; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Number of UTF-16 units the UTF-8 text would take.
size_t Utf16Length(std::string_view text);

// The longest prefix of the UTF-8 text that fits in max_units UTF-16 units
// without splitting a character. Bytes that are not valid UTF-8 count as one
// unit each and are kept as they are.
std::string_view Utf8PrefixByUtf16Units(std::string_view text, size_t max_units);

}  // namespace vostra
