// draw-uninstall-icon: draws the uninstall shortcut's icon, a grey waste
// bin with a red cross, as a Windows icon file with one 16 x 16 image at 32
// bits per pixel (1150 bytes):
//   draw-uninstall-icon OUTPUT_ICO
// Run by hand when the picture changes; the result is committed as
// res/firstrun/uninstall.ico.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "little_endian.h"

namespace {

using vostra::ziptool::Put16;
using vostra::ziptool::Put32;

constexpr int kSize = 16;
constexpr int kSamples = 4;  // per axis, for smooth edges

struct Rgba {
    double r, g, b, a;
};

// Paints src over dst.
Rgba Over(Rgba dst, Rgba src) {
    const double a = src.a + dst.a * (1 - src.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double s, double d) { return (s * src.a + d * dst.a * (1 - src.a)) / a; };
    return {mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), a};
}

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The colour of the picture at one point (pixel units, y downwards).
Rgba Sample(double x, double y) {
    Rgba c{0, 0, 0, 0};
    const Rgba outline{0.25, 0.27, 0.30, 1};
    const Rgba body{0.62, 0.66, 0.71, 1};
    // Bin body: a trapezoid narrowing towards the bottom.
    const double t = (y - 5) / 10.0;
    const double left = 3.0 + t, right = 13.0 - t;
    if (y >= 5 && y <= 15 && x >= left && x <= right) {
        const bool edge = y > 14 || x < left + 1 || x > right - 1;
        const bool rib = !edge && y > 6.5 && y < 13.5 &&
                         (std::fabs(x - 6) < 0.5 || std::fabs(x - 8) < 0.5 ||
                          std::fabs(x - 10) < 0.5);
        c = Over(c, edge || rib ? outline : body);
    }
    // Lid and handle.
    if (y >= 3 && y <= 5 && x >= 1.5 && x <= 14.5) c = Over(c, outline);
    if (y >= 1 && y <= 3 && x >= 6 && x <= 10 && !(y > 2 && x > 7 && x < 9)) {
        c = Over(c, outline);
    }
    // Red cross on a white disc at the lower right.
    const double cx = 11.5, cy = 11.5;
    const double d = std::hypot(x - cx, y - cy);
    if (d <= 4.5) c = Over(c, {1, 1, 1, 1});
    if (d <= 3.8) c = Over(c, {0.82, 0.12, 0.12, 1});
    const double cross = std::min(DistanceToSegment(x, y, cx - 2, cy - 2, cx + 2, cy + 2),
                                  DistanceToSegment(x, y, cx - 2, cy + 2, cx + 2, cy - 2));
    if (cross <= 0.75) c = Over(c, {1, 1, 1, 1});
    return c;
}

std::string BuildIcon() {
    uint8_t bgra[kSize][kSize][4] = {};
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba s = Sample(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples);
                    r += s.r * s.a, g += s.g * s.a, b += s.b * s.a, a += s.a;
                }
            }
            uint8_t* p = bgra[py][px];
            if (a > 0) {
                p[0] = static_cast<uint8_t>(std::lround(255 * b / a));
                p[1] = static_cast<uint8_t>(std::lround(255 * g / a));
                p[2] = static_cast<uint8_t>(std::lround(255 * r / a));
            }
            p[3] = static_cast<uint8_t>(std::lround(255 * a / (kSamples * kSamples)));
        }
    }
    const uint32_t image_size = 40 + kSize * kSize * 4 + kSize * 4;
    std::string ico;
    Put16(ico, 0), Put16(ico, 1), Put16(ico, 1);                  // icon directory
    ico += static_cast<char>(kSize), ico += static_cast<char>(kSize);
    ico += '\0', ico += '\0';                                      // no palette
    Put16(ico, 1), Put16(ico, 32), Put32(ico, image_size), Put32(ico, 22);
    Put32(ico, 40), Put32(ico, kSize), Put32(ico, kSize * 2);      // colour + mask height
    Put16(ico, 1), Put16(ico, 32), Put32(ico, 0), Put32(ico, kSize * kSize * 4 + kSize * 4);
    Put32(ico, 0), Put32(ico, 0), Put32(ico, 0), Put32(ico, 0);
    for (int py = kSize - 1; py >= 0; --py) {                      // bottom-up rows
        for (int px = 0; px < kSize; ++px) ico.append(reinterpret_cast<char*>(bgra[py][px]), 4);
    }
    for (int py = kSize - 1; py >= 0; --py) {                      // AND mask, rows of 4 bytes
        uint32_t bits = 0;
        for (int px = 0; px < kSize; ++px) {
            if (bgra[py][px][3] == 0) bits |= 0x8000u >> px;
        }
        ico += static_cast<char>(bits >> 8), ico += static_cast<char>(bits & 0xFF);
        ico += '\0', ico += '\0';
    }
    return ico;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: draw-uninstall-icon OUTPUT_ICO\n");
        return 2;
    }
    const std::string ico = BuildIcon();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << ico;
    return out.flush() ? 0 : 1;
}
