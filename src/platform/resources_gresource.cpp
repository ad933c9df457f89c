#include "platform/resources.h"

#include <gio/gio.h>

extern "C" GResource* vostra_get_resource(void);
extern "C" void vostra_register_resource(void);

namespace vostra {
namespace {

// The bundle is compiled with manual registration: it exists only once
// registered, which happens here on first use.
GResource* Bundle() {
    static GResource* const bundle = [] {
        vostra_register_resource();
        return vostra_get_resource();
    }();
    return bundle;
}

std::string BundlePath(std::string_view type, int id) {
    const std::string n = std::to_string(id);
    if (type == "PNG") return "/res/png/" + n + ".png";
    if (type == "ZIP") return "/res/zip/" + n + ".zip";
    if (type == "ICON") return "/res/icon/" + n + ".ico";
    if (type == "BITMAP") return "/res/bitmap/" + n + ".bmp";
    return "";
}

}  // namespace

std::optional<std::string_view> LoadResourceByPath(const std::string& path) {
    GResource* bundle = Bundle();
    if (bundle == nullptr || path.empty()) return std::nullopt;
    GBytes* bytes =
        g_resource_lookup_data(bundle, path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (bytes == nullptr) return std::nullopt;
    gsize size = 0;
    // Uncompressed resources point into the executable's own data, so the
    // bytes outlive the GBytes wrapper.
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string_view view(data ? data : "", size);
    g_bytes_unref(bytes);
    return view;
}

std::optional<std::string_view> LoadResourceBytes(std::string_view type, int id) {
    return LoadResourceByPath(BundlePath(type, id));
}

}  // namespace vostra
