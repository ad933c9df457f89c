// The resources compiled into the executable (a GResource bundle), looked
// up by the type and numeric id the rest of the program uses:
//   "PNG" id      /res/png/<id>.png
//   "ZIP" id      /res/zip/<id>.zip
//   "ICON" id     /res/icon/<id>.ico   (and a PNG copy at /res/icon/<id>.png)
//   "BITMAP" id   /res/bitmap/<id>.bmp
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vostra {

// The resource's bytes, which live as long as the process; nullopt when the
// bundle has no such resource.
std::optional<std::string_view> LoadResourceBytes(std::string_view type, int id);

// The same by the bundle path, for resources without an id.
std::optional<std::string_view> LoadResourceByPath(const std::string& path);

}  // namespace vostra
