#include "app/elf_section.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace vostra {
namespace {

constexpr uint32_t kShtNobits = 8;
constexpr size_t kMaxSections = 65535;
constexpr size_t kMaxNameTable = 1 << 20;
// Real section headers are 40 or 64 bytes; a far larger entry size would
// only make us read (and allocate) a huge table.
constexpr size_t kMaxEntrySize = 256;

class Reader {
public:
    Reader(int fd, uint64_t file_size) : fd_(fd), file_size_(file_size) {}

    bool Read(uint64_t offset, size_t size, std::string& out) const {
        if (offset > file_size_ || size > file_size_ - offset) return false;
        out.resize(size);
        size_t done = 0;
        while (done < size) {
            const ssize_t n = pread(fd_, out.data() + done, size - done,
                                    static_cast<off_t>(offset + done));
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
    uint64_t file_size() const { return file_size_; }

private:
    int fd_;
    uint64_t file_size_;
};

// Integer fields in the file's own byte order.
struct Decoder {
    bool big_endian = false;
    uint64_t Get(const std::string& b, size_t at, size_t width) const {
        uint64_t v = 0;
        for (size_t i = 0; i < width; ++i) {
            const auto byte = static_cast<uint8_t>(b[at + (big_endian ? i : width - 1 - i)]);
            v = (v << 8) | byte;
        }
        return v;
    }
};

struct SectionHeader {
    uint32_t name = 0;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
};

}  // namespace

std::optional<ElfSection> FindElfSection(int fd, std::string_view name) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const Reader r(fd, static_cast<uint64_t>(st.st_size));

    std::string ident;
    if (!r.Read(0, 16, ident) || memcmp(ident.data(), "\x7f" "ELF", 4) != 0) return std::nullopt;
    const bool is64 = ident[4] == 2;
    if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2)) return std::nullopt;
    Decoder d{ident[5] == 2};

    std::string eh;
    if (!r.Read(0, is64 ? 64 : 52, eh)) return std::nullopt;
    const uint64_t shoff = is64 ? d.Get(eh, 0x28, 8) : d.Get(eh, 0x20, 4);
    const size_t shentsize = d.Get(eh, is64 ? 0x3A : 0x2E, 2);
    const size_t shnum = d.Get(eh, is64 ? 0x3C : 0x30, 2);
    const size_t shstrndx = d.Get(eh, is64 ? 0x3E : 0x32, 2);
    const size_t min_entry = is64 ? 64 : 40;
    if (shoff == 0 || shnum == 0 || shnum > kMaxSections || shentsize < min_entry ||
        shentsize > kMaxEntrySize || shstrndx >= shnum) {
        return std::nullopt;
    }
    std::string table;
    if (!r.Read(shoff, shnum * shentsize, table)) return std::nullopt;

    auto header = [&](size_t i) {
        const size_t at = i * shentsize;
        SectionHeader h;
        h.name = static_cast<uint32_t>(d.Get(table, at, 4));
        h.type = static_cast<uint32_t>(d.Get(table, at + 4, 4));
        h.offset = is64 ? d.Get(table, at + 0x18, 8) : d.Get(table, at + 0x10, 4);
        h.size = is64 ? d.Get(table, at + 0x20, 8) : d.Get(table, at + 0x14, 4);
        return h;
    };

    const SectionHeader names = header(shstrndx);
    if (names.size > kMaxNameTable) return std::nullopt;
    std::string strtab;
    if (!r.Read(names.offset, names.size, strtab)) return std::nullopt;

    for (size_t i = 0; i < shnum; ++i) {
        const SectionHeader h = header(i);
        if (h.name >= strtab.size()) continue;
        const char* start = strtab.data() + h.name;
        const size_t len = strnlen(start, strtab.size() - h.name);
        if (h.name + len >= strtab.size()) continue;  // not NUL-terminated
        if (std::string_view(start, len) != name) continue;
        if (h.type == kShtNobits) return std::nullopt;
        if (h.offset > r.file_size() || h.size > r.file_size() - h.offset) return std::nullopt;
        return ElfSection{h.offset, h.size};
    }
    return std::nullopt;
}

}  // namespace vostra
