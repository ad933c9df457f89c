// Writers of the three picture formats the launcher embeds: PNG with an
// alpha channel, 24-bit Windows bitmaps and Windows icons.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace artgen {

// Writes an 8-bit RGBA PNG (colour type 6) even when every pixel is opaque.
void WritePng(const Canvas& canvas, const std::string& path);

// Writes an uncompressed bottom-up 24-bit BMP; alpha is dropped (the
// canvas must be opaque).
void WriteBmp24(const Canvas& canvas, const std::string& path);

// Writes an .ico holding one 32-bit BGRA image with its AND mask for each
// canvas (sizes up to 255 pixels), in the order given.
void WriteIco(const std::vector<const Canvas*>& images, const std::string& path);

}  // namespace artgen
