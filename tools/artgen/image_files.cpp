#include "image_files.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace artgen {
namespace {

struct Pixel {
    uint8_t r, g, b, a;
};

// Reads one pixel of the surface, undoing cairo's premultiplied alpha.
Pixel ReadPixel(const Canvas& canvas, int x, int y) {
    cairo_surface_flush(canvas.surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    const uint32_t v = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
    const uint8_t a = v >> 24;
    auto channel = [a](uint32_t c) -> uint8_t {
        if (a == 0) return 0;
        return uint8_t((c * 255 + a / 2) / a);
    };
    return Pixel{channel((v >> 16) & 0xFF), channel((v >> 8) & 0xFF), channel(v & 0xFF), a};
}

class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) { U8(v & 0xFF); U8(v >> 8); }
    void U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
    void Append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

void WriteFile(const std::vector<uint8_t>& bytes, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void BitmapInfoHeader(ByteWriter& w, int width, int height, int bits, uint32_t imageSize) {
    w.U32(40);
    w.U32(uint32_t(width));
    w.U32(uint32_t(height));
    w.U16(1);
    w.U16(uint16_t(bits));
    w.U32(0);  // BI_RGB
    w.U32(imageSize);
    w.U32(2835);  // 72 dpi
    w.U32(2835);
    w.U32(0);
    w.U32(0);
}

// The BGRA rows and the 1-bit AND mask (set where fully transparent) of
// one icon image, bottom row first as the format wants.
std::vector<uint8_t> IconImage(const Canvas& c) {
    const int n = c.width();
    const int maskStride = ((n + 31) / 32) * 4;
    ByteWriter w;
    BitmapInfoHeader(w, n, n * 2, 32, uint32_t(n * n * 4 + maskStride * n));
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const Pixel p = ReadPixel(c, x, y);
            w.U8(p.b); w.U8(p.g); w.U8(p.r); w.U8(p.a);
        }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (ReadPixel(c, x, y).a == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        w.Append(row);
    }
    return w.bytes();
}

}  // namespace

// Cairo writes opaque pictures as plain RGB; the loaders expect an alpha
// channel in every PNG, so the file is written through libpng instead.
void WritePng(const Canvas& canvas, const std::string& path) {
    const int w = canvas.width(), h = canvas.height();
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel p = ReadPixel(canvas, x, y);
            uint8_t* d = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
            d[0] = p.r; d[1] = p.g; d[2] = p.b; d[3] = p.a;
        }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        throw std::runtime_error("cannot encode " + path);
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, &rgba[size_t(y) * size_t(w) * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
}

void WriteBmp24(const Canvas& canvas, const std::string& path) {
    const int w = canvas.width();
    const int h = canvas.height();
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t imageSize = uint32_t(stride * h);
    ByteWriter out;
    out.U8('B'); out.U8('M');
    out.U32(14 + 40 + imageSize);
    out.U32(0);
    out.U32(14 + 40);
    BitmapInfoHeader(out, w, h, 24, imageSize);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Pixel p = ReadPixel(canvas, x, y);
            if (p.a != 255) throw std::runtime_error(path + ": bitmap pixels must be opaque");
            out.U8(p.b); out.U8(p.g); out.U8(p.r);
        }
        for (int pad = w * 3; pad < stride; ++pad) out.U8(0);
    }
    WriteFile(out.bytes(), path);
}

void WriteIco(const std::vector<const Canvas*>& images, const std::string& path) {
    std::vector<std::vector<uint8_t>> entries;
    for (const Canvas* c : images) {
        if (c->width() != c->height() || c->width() > 255)
            throw std::runtime_error(path + ": icon images must be square, at most 255 px");
        entries.push_back(IconImage(*c));
    }
    ByteWriter out;
    out.U16(0);
    out.U16(1);  // icon
    out.U16(uint16_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.U8(uint8_t(images[i]->width()));
        out.U8(uint8_t(images[i]->height()));
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);   // planes
        out.U16(32);  // bits per pixel
        out.U32(uint32_t(entries[i].size()));
        out.U32(offset);
        offset += uint32_t(entries[i].size());
    }
    for (const auto& e : entries) out.Append(e);
    WriteFile(out.bytes(), path);
}

}  // namespace artgen
