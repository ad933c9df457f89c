#include "zip_writer.h"

#include "little_endian.h"

#include <zlib.h>

#include <stdexcept>

namespace vostra::ziptool {
namespace {

struct Prepared {
    std::string payload;
    uint32_t crc;
    uint32_t size;
    uint32_t offset;
};

Prepared Prepare(const WriterEntry& e) {
    Prepared p{};
    if (e.raw_data) {
        p.payload = *e.raw_data;
    } else {
        p.payload = e.method == 8 ? DeflateRaw(e.data) : e.data;
    }
    p.crc = e.crc.value_or(Crc32(e.data));
    p.size = e.uncompressed_size.value_or(static_cast<uint32_t>(e.data.size()));
    return p;
}

}  // namespace

std::string DeflateRaw(std::string_view data, int level) {
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    std::string out(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

uint32_t Crc32(std::string_view data) {
    return static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

uint16_t DosDate(int year, int month, int day) {
    return static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

uint16_t DosTime(int hour, int minute, int second) {
    return static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

std::string BuildZip(const std::vector<WriterEntry>& entries, std::string_view comment) {
    std::string out;
    std::vector<Prepared> prepared;
    for (const WriterEntry& e : entries) {
        Prepared p = Prepare(e);
        p.offset = static_cast<uint32_t>(out.size());
        const bool descriptor = e.flags & 0x0008;
        Put32(out, 0x04034B50);
        Put16(out, e.version_needed);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.dos_time);
        Put16(out, e.dos_date);
        Put32(out, descriptor ? 0 : p.crc);
        Put32(out, descriptor ? 0 : static_cast<uint32_t>(p.payload.size()));
        Put32(out, descriptor ? 0 : p.size);
        Put16(out, static_cast<uint32_t>(e.name.size()));
        Put16(out, static_cast<uint32_t>(e.local_extra.size()));
        out += e.name;
        out += e.local_extra;
        out += p.payload;
        if (descriptor) {
            Put32(out, 0x08074B50);
            Put32(out, p.crc);
            Put32(out, static_cast<uint32_t>(p.payload.size()));
            Put32(out, p.size);
        }
        prepared.push_back(std::move(p));
    }
    const auto central_offset = static_cast<uint32_t>(out.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const WriterEntry& e = entries[i];
        const Prepared& p = prepared[i];
        Put32(out, 0x02014B50);
        Put16(out, e.version_made_by);
        Put16(out, e.version_needed);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.dos_time);
        Put16(out, e.dos_date);
        Put32(out, p.crc);
        Put32(out, static_cast<uint32_t>(p.payload.size()));
        Put32(out, p.size);
        Put16(out, static_cast<uint32_t>(e.name.size()));
        Put16(out, static_cast<uint32_t>(e.central_extra.size()));
        Put16(out, static_cast<uint32_t>(e.comment.size()));
        Put16(out, 0);
        Put16(out, e.internal_attributes);
        Put32(out, e.external_attributes);
        Put32(out, p.offset);
        out += e.name;
        out += e.central_extra;
        out += e.comment;
    }
    const auto central_size = static_cast<uint32_t>(out.size()) - central_offset;
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(entries.size()));
    Put16(out, static_cast<uint32_t>(entries.size()));
    Put32(out, central_size);
    Put32(out, central_offset);
    Put16(out, static_cast<uint32_t>(comment.size()));
    out += comment;
    return out;
}

}  // namespace vostra::ziptool
