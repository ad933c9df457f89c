#include "launcher/title_strip_layout.h"

namespace vostra {

StripRect TitleButtonRect(const TitleButton& button, int client_width) {
    return {client_width - button.right_offset, kStripButtonY, button.width, button.height};
}

StripParts LayoutStrip(int client_width, int left_width, int right_width) {
    StripParts parts;
    parts.left = {0, 0, left_width, kStripHeight};
    const int middle = client_width - left_width - right_width;
    parts.middle = {left_width, 0, middle > 0 ? middle : 0, kStripHeight};
    parts.right = {client_width - right_width, 0, right_width, kStripHeight};
    return parts;
}

}  // namespace vostra
