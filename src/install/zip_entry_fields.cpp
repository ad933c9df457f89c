#include "install/zip_entry_fields.h"

#include <ctime>

#include "platform/text_utf.h"

namespace vostra::zip {
namespace {

// A reported name fits a buffer of 260 UTF-16 units with its NUL.
constexpr size_t kMaxNameUnits = 259;

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

// One pass of the cleaning rules; false when none applied.
bool CleanOnce(std::u16string& name) {
    if (name.size() >= 2 && name[1] == u':') {
        name.erase(0, 2);
        return true;
    }
    if (!name.empty() && IsSeparator(name[0])) {
        name.erase(0, 1);
        return true;
    }
    for (const char16_t* step : {u"\\..\\", u"\\../", u"/../", u"/..\\"}) {
        const size_t at = name.find(step);
        if (at != std::u16string::npos) {
            name.erase(0, at + 4);
            return true;
        }
    }
    return false;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::string DecodeEntryName(std::string_view raw) {
    const size_t nul = raw.find('\0');
    if (nul != std::string_view::npos) raw = raw.substr(0, nul);
    std::u16string wide = Utf8ToUtf16(raw);
    if (wide.size() > kMaxNameUnits) {
        wide.resize(kMaxNameUnits);
        if (IsHighSurrogate(wide.back())) wide.pop_back();
    }
    return Utf16ToUtf8(wide);
}

std::string CleanEntryName(std::string_view name) {
    std::u16string wide = Utf8ToUtf16(name);
    while (CleanOnce(wide)) {
    }
    return Utf16ToUtf8(wide);
}

bool ClimbsOutOfBase(std::string_view name) {
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

uint32_t AttributesFromHost(uint16_t version_made_by, uint32_t external_attributes) {
    const unsigned host = version_made_by >> 8;
    bool read_only, hidden, system, directory, archive;
    if (host == 0 || host == 7 || host == 11 || host == 14) {
        read_only = external_attributes & 0x01;
        hidden = external_attributes & 0x02;
        system = external_attributes & 0x04;
        directory = external_attributes & 0x10;
        archive = external_attributes & 0x20;
    } else {
        // A Unix mode in the high half: S_IFDIR, and the owner's write bit.
        directory = external_attributes & 0x40000000u;
        read_only = (external_attributes & 0x00800000u) == 0;
        archive = true;
        hidden = false;
        system = false;
    }
    return (directory ? kAttrDirectory : 0) | (archive ? kAttrArchive : 0) |
           (hidden ? kAttrHidden : 0) | (read_only ? kAttrReadOnly : 0) |
           (system ? kAttrSystem : 0);
}

uint64_t DosTimeToFileTime(uint16_t dos_date, uint16_t dos_time) {
    std::tm local{};
    local.tm_year = (dos_date >> 9) + 1980 - 1900;
    local.tm_mon = ((dos_date >> 5) & 15) - 1;
    local.tm_mday = dos_date & 31;
    local.tm_hour = dos_time >> 11;
    local.tm_min = (dos_time >> 5) & 63;
    local.tm_sec = (dos_time & 31) * 2;
    // The zone's rule for that date decides daylight saving (not the
    // offset in force today), so a stamp reads back as the time it was.
    local.tm_isdst = -1;
    // Fields out of range (month 0, day 0, hour 31) are carried over into
    // the next larger field, as mktime does; no DOS stamp makes it fail.
    const std::time_t t = std::mktime(&local);
    if (t == static_cast<std::time_t>(-1) || t < 0) return kFileTimeUnixEpoch;
    return kFileTimeUnixEpoch + static_cast<uint64_t>(t) * 10000000ull;
}

void ApplyExtendedTimestamp(const uint8_t* extra, size_t length, EntryTimes& times) {
    if (extra == nullptr || length <= 4) return;
    size_t block = 0;
    while (length - block >= 5) {
        const unsigned id = extra[block] | (extra[block + 1] << 8);
        const size_t size = extra[block + 2] | (extra[block + 3] << 8);
        const size_t data = block + 4;
        if (id != 0x5455) {
            block = data + size;
            if (block >= length) return;
            continue;
        }
        // The block's declared size may run past the field: both bound it.
        const size_t end = size < length - data ? data + size : length;
        const uint8_t flags = extra[data];
        size_t at = data + 1;
        uint64_t* targets[3] = {&times.last_write, &times.last_access, &times.creation};
        for (int bit = 0; bit < 3; ++bit) {
            if ((flags & (1u << bit)) == 0) continue;
            if (end < 4 || at > end - 4) break;
            const uint32_t t = extra[at] | (extra[at + 1] << 8) | (extra[at + 2] << 16) |
                               (static_cast<uint32_t>(extra[at + 3]) << 24);
            *targets[bit] = UnixTimeToFileTime(t);
            at += 4;
        }
        return;
    }
}

}  // namespace vostra::zip
