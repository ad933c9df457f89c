#include "game_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace vostra::demo {
namespace {

struct Point {
    double x;
    double y;
};

// A colour, each channel in [0, 1]: straight alpha for a paint,
// premultiplied in the canvas's pixels.
struct Colour {
    double r;
    double g;
    double b;
    double a;
};

// Samples per pixel along each axis, so that edges come out smooth.
constexpr int kSamples = 4;

bool InsidePolygon(const std::vector<Point>& polygon, Point p) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

// A picture being painted, in premultiplied colour so that layers add up
// simply.
class Canvas {
public:
    Canvas(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

    // Paints `colour` over the pixels, scaled by how much of each pixel
    // `inside` covers.
    void Fill(const std::function<bool(Point)>& inside, Colour colour) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        hits += inside({x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples});
                    }
                }
                if (hits > 0) Over(x, y, colour, static_cast<double>(hits) / (kSamples * kSamples));
            }
        }
    }

    // Paints `colour` with an opacity given per pixel centre.
    void Shade(const std::function<double(Point)>& opacity, Colour colour) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const double o = std::clamp(opacity({x + 0.5, y + 0.5}), 0.0, 1.0);
                if (o > 0) Over(x, y, colour, o);
            }
        }
    }

    RgbaImage Image() const {
        RgbaImage image{width_, height_, {}};
        image.pixels.reserve(pixels_.size());
        const auto byte = [](double channel) {
            return static_cast<uint32_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
        };
        for (const Colour& c : pixels_) {
            const auto straight = [&c](double premultiplied) {
                return c.a > 0 ? premultiplied / c.a : 0;
            };
            image.pixels.push_back(byte(straight(c.r)) << 24 | byte(straight(c.g)) << 16 |
                                   byte(straight(c.b)) << 8 | byte(c.a));
        }
        return image;
    }

private:
    void Over(int x, int y, Colour colour, double coverage) {
        Colour& dst = pixels_[static_cast<size_t>(y) * width_ + x];
        const double a = colour.a * coverage;
        dst.r = colour.r * a + dst.r * (1 - a);
        dst.g = colour.g * a + dst.g * (1 - a);
        dst.b = colour.b * a + dst.b * (1 - a);
        dst.a = a + dst.a * (1 - a);
    }

    int width_;
    int height_;
    std::vector<Colour> pixels_;  // premultiplied
};

std::function<bool(Point)> InPolygon(std::vector<Point> polygon) {
    return [polygon = std::move(polygon)](Point p) { return InsidePolygon(polygon, p); };
}

std::function<bool(Point)> InEllipse(Point centre, double rx, double ry) {
    return [=](Point p) {
        const double dx = (p.x - centre.x) / rx;
        const double dy = (p.y - centre.y) / ry;
        return dx * dx + dy * dy <= 1;
    };
}

// The corners of a five-pointed star around `centre`, its first point up.
std::vector<Point> StarCorners(Point centre, double outer, double inner) {
    std::vector<Point> corners;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        corners.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return corners;
}

}  // namespace

RgbaImage ShipPicture() {
    Canvas canvas(48, 48);
    // The engine's flame under the hull.
    canvas.Fill(InPolygon({{18, 36}, {30, 36}, {24, 47}}), {1.0, 0.62, 0.2, 0.9});
    canvas.Fill(InPolygon({{21, 36}, {27, 36}, {24, 43}}), {1.0, 0.92, 0.55, 1.0});
    // Wings, then the hull over them.
    canvas.Fill(InPolygon({{24, 14}, {44, 40}, {24, 34}, {4, 40}}), {0.42, 0.56, 0.78, 1.0});
    canvas.Fill(InPolygon({{24, 2}, {31, 24}, {29, 38}, {19, 38}, {17, 24}}),
                {0.86, 0.91, 0.98, 1.0});
    // The cockpit, with a small highlight.
    canvas.Fill(InEllipse({24, 19}, 3.5, 6.5), {0.16, 0.42, 0.78, 1.0});
    canvas.Fill(InEllipse({23, 16.5}, 1.2, 2.2), {0.75, 0.9, 1.0, 0.9});
    return canvas.Image();
}

RgbaImage StarPicture() {
    Canvas canvas(32, 32);
    const Point centre{16, 16.5};
    canvas.Shade(
        [centre](Point p) {
            const double d = std::hypot(p.x - centre.x, p.y - centre.y) / 16;
            return 0.45 * std::pow(std::max(0.0, 1 - d), 2);
        },
        {1.0, 0.86, 0.4, 1.0});
    canvas.Fill(InPolygon(StarCorners(centre, 13, 5.5)), {1.0, 0.8, 0.25, 1.0});
    canvas.Fill(InPolygon(StarCorners({centre.x, centre.y - 0.5}, 7, 3)), {1.0, 0.95, 0.7, 1.0});
    return canvas.Image();
}

}  // namespace vostra::demo
