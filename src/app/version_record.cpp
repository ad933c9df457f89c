#include "app/version_record.h"

#include <cstdio>
#include <cstring>

namespace vostra {
namespace {

class Cursor {
public:
    explicit Cursor(std::string_view data) : data_(data) {}
    bool Read16(size_t& v) {
        if (data_.size() - at_ < 2) return false;
        v = static_cast<uint8_t>(data_[at_]) | (static_cast<uint8_t>(data_[at_ + 1]) << 8);
        at_ += 2;
        return true;
    }
    bool ReadBytes(size_t n, std::string& out) {
        if (data_.size() - at_ < n) return false;
        out.assign(data_.substr(at_, n));
        at_ += n;
        return true;
    }
    bool ReadString(std::string& out) {
        size_t n = 0;
        return Read16(n) && ReadBytes(n, out);
    }
    void Skip(size_t n) { at_ += n; }

private:
    std::string_view data_;
    size_t at_ = 0;
};

void Put16(std::vector<uint8_t>& out, size_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutString(std::vector<uint8_t>& out, std::string_view s) {
    Put16(out, s.size());
    out.insert(out.end(), s.begin(), s.end());
}

}  // namespace

std::optional<std::string> VersionRecord::Query(std::string_view key) const {
    for (const auto& [name, value] : strings) {
        if (name == key) return value;
    }
    return std::nullopt;
}

std::string FileVersionKey(uint16_t language, uint16_t code_page) {
    char buf[64];
    snprintf(buf, sizeof buf, "\\StringFileInfo\\%04x%04x\\FileVersion", language, code_page);
    return buf;
}

std::optional<std::vector<uint8_t>> EncodeVersionRecord(const VersionRecord& record) {
    std::vector<uint8_t> out(kVersionMagic, kVersionMagic + sizeof kVersionMagic);
    if (record.translation.size() > 0xFFFF || record.strings.size() > 0xFFFF) return std::nullopt;
    PutString(out, record.translation);
    Put16(out, record.strings.size());
    for (const auto& [name, value] : record.strings) {
        if (name.size() > 0xFFFF || value.size() > 0xFFFF) return std::nullopt;
        PutString(out, name);
        PutString(out, value);
    }
    if (out.size() > kVersionSectionSize) return std::nullopt;
    out.resize(kVersionSectionSize, 0);
    return out;
}

std::optional<VersionRecord> DecodeVersionRecord(std::string_view data) {
    if (data.size() < sizeof kVersionMagic ||
        memcmp(data.data(), kVersionMagic, sizeof kVersionMagic) != 0) {
        return std::nullopt;
    }
    Cursor c(data);
    c.Skip(sizeof kVersionMagic);
    VersionRecord record;
    size_t count = 0;
    if (!c.ReadString(record.translation) || !c.Read16(count)) return std::nullopt;
    for (size_t i = 0; i < count; ++i) {
        std::string name, value;
        if (!c.ReadString(name) || !c.ReadString(value)) return std::nullopt;
        record.strings.emplace_back(std::move(name), std::move(value));
    }
    return record;
}

}  // namespace vostra
