// The demo game's pictures, drawn in code when the server starts: the
// player's ship and a star to catch.
#pragma once

#include "png_writer.h"

namespace vostra::demo {

// A 48x48 ship pointing up, on a transparent ground.
RgbaImage ShipPicture();

// A 32x32 golden five-pointed star with a soft glow, on a transparent
// ground.
RgbaImage StarPicture();

}  // namespace vostra::demo
