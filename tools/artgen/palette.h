// The launcher's colour scheme: deep night blue panels trimmed with gold,
// cream lettering. Every picture takes its colours from here so that the
// windows read as one family.
#pragma once

#include <cstdint>

namespace artgen {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};

constexpr Rgba Hex(uint32_t rgb, double alpha = 1.0) {
    return Rgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                (rgb & 0xFF) / 255.0, alpha};
}

constexpr Rgba WithAlpha(Rgba c, double alpha) { return Rgba{c.r, c.g, c.b, alpha}; }

namespace pal {
constexpr Rgba kInk = Hex(0x050a18);         // outlines, deepest shadow
constexpr Rgba kNavyDeep = Hex(0x0a132b);    // panel bottoms
constexpr Rgba kNavy = Hex(0x13224a);        // panel bodies
constexpr Rgba kNavyLight = Hex(0x1f3a72);   // panel tops, hover fills
constexpr Rgba kSteel = Hex(0x3b5d9c);       // highlights on blue
constexpr Rgba kGoldDark = Hex(0x8a6a2a);    // trim in shadow
constexpr Rgba kGold = Hex(0xd4ad55);        // trim
constexpr Rgba kGoldLight = Hex(0xf6e09a);   // trim in light
constexpr Rgba kCream = Hex(0xfff5d3);       // lettering (the overlay text colour)
constexpr Rgba kCreamDim = Hex(0xe3d3a4);    // lettering at rest
constexpr Rgba kRed = Hex(0xb8302a);         // the close buttons when hovered
constexpr Rgba kRedDark = Hex(0x6e1410);
constexpr Rgba kColourKey = Hex(0x00ff00);   // the login popup's transparent colour
}  // namespace pal

}  // namespace artgen
