#include "app/file_version.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/elf_section.h"

namespace vostra {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The record section is of fixed size; anything far larger is not ours.
constexpr uint64_t kMaxSectionRead = 64 * 1024;

}  // namespace

std::optional<VersionRecord> ReadVersionRecord(const std::string& path) {
    Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    const auto section = FindElfSection(fd.get(), kVersionSectionName);
    if (!section || section->size > kMaxSectionRead) return std::nullopt;
    std::string data(section->size, '\0');
    if (pread(fd.get(), data.data(), data.size(), static_cast<off_t>(section->offset)) !=
        static_cast<ssize_t>(data.size())) {
        return std::nullopt;
    }
    return DecodeVersionRecord(data);
}

std::string GetFileVersionString(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return "";
    const auto record = ReadVersionRecord(path);
    if (!record) return kNoVersionText;
    const std::string& list = record->translation;
    std::string result;
    for (size_t at = 0; at + 4 <= list.size(); at += 4) {
        const auto byte = [&](size_t i) { return static_cast<uint8_t>(list[at + i]); };
        const uint16_t language = static_cast<uint16_t>(byte(0) | (byte(1) << 8));
        const uint16_t code_page = static_cast<uint16_t>(byte(2) | (byte(3) << 8));
        if (auto value = record->Query(FileVersionKey(language, code_page))) result += *value;
    }
    return result;
}

namespace {

bool WriteSectionBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    Fd fd(open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) return false;
    const auto section = FindElfSection(fd.get(), kVersionSectionName);
    if (!section || section->size != bytes.size()) return false;
    return pwrite(fd.get(), bytes.data(), bytes.size(), static_cast<off_t>(section->offset)) ==
           static_cast<ssize_t>(bytes.size());
}

}  // namespace

bool WriteVersionRecord(const std::string& path, const VersionRecord& record) {
    const auto bytes = EncodeVersionRecord(record);
    return bytes && WriteSectionBytes(path, *bytes);
}

bool WipeVersionRecord(const std::string& path) {
    return WriteSectionBytes(path, std::vector<uint8_t>(kVersionSectionSize, 0));
}

}  // namespace vostra
