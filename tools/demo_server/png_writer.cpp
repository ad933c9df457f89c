#include "png_writer.h"

#include <zlib.h>

namespace vostra::demo {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

void AppendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

// A chunk: its length, type, data and the CRC of type and data.
void AppendChunk(std::string& out, const char type[4], const std::string& data) {
    AppendBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t type_at = out.size();
    out.append(type, 4);
    out += data;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0),
                            reinterpret_cast<const Bytef*>(out.data() + type_at),
                            static_cast<uInt>(out.size() - type_at));
    AppendBigEndian(out, static_cast<uint32_t>(crc));
}

// The rows as the encoder hands them to zlib: each one starts with its
// filter type, 0 (none), followed by R, G, B, A per pixel.
std::string RawRows(const RgbaImage& image) {
    std::string raw;
    raw.reserve(static_cast<size_t>(image.height) * (1 + 4 * static_cast<size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';
        for (int x = 0; x < image.width; ++x) {
            AppendBigEndian(raw, image.pixels[static_cast<size_t>(y) * image.width + x]);
        }
    }
    return raw;
}

}  // namespace

std::string EncodePng(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        return "";
    }
    const std::string raw = RawRows(image);
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packed_size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return "";
    }
    packed.resize(packed_size);

    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(image.width));
    AppendBigEndian(header, static_cast<uint32_t>(image.height));
    header += '\x08';  // bits per sample
    header += '\x06';  // colour type: RGB with alpha
    header += '\0';    // compression: deflate
    header += '\0';    // filter method: adaptive
    header += '\0';    // no interlace

    std::string png(kSignature, sizeof kSignature - 1);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", "");
    return png;
}

}  // namespace vostra::demo
