#include "catalogue.h"

#include <filesystem>
#include <stdexcept>

#include "image_files.h"

namespace artgen {

const std::vector<CatalogueEntry>& PngCatalogue() {
    static const std::vector<CatalogueEntry> entries = {
        {172, 1, 30, "title strip: middle tile"},
        {203, 203, 30, "title strip: left end with the product name"},
        {206, 92, 30, "title strip: right end under the window buttons"},
        {207, 28, 26, "close: normal"}, {208, 28, 26, "close: hover"},
        {227, 28, 26, "close: pressed"},
        {220, 28, 26, "maximise: normal"}, {213, 28, 26, "maximise: hover"},
        {228, 28, 26, "maximise: pressed"},
        {221, 28, 26, "restore: normal"}, {217, 28, 26, "restore: hover"},
        {229, 28, 26, "restore: pressed"},
        {209, 28, 26, "minimise: normal"}, {210, 28, 26, "minimise: hover"},
        {230, 28, 26, "minimise: pressed"},
        {211, 59, 24, "new server: normal"}, {212, 59, 24, "new server: hover"},
        {231, 59, 24, "new server: pressed"},
        {223, 97, 24, "boss key: normal"}, {215, 97, 24, "boss key: hover"},
        {233, 97, 24, "boss key: pressed"},
        {224, 59, 24, "full screen: normal"}, {214, 59, 24, "full screen: hover"},
        {234, 59, 24, "full screen: pressed"},
        {226, 78, 24, "refresh: normal"}, {219, 78, 24, "refresh: hover"},
        {236, 78, 24, "refresh: pressed"},
        {252, 78, 24, "clear cache: normal"}, {253, 78, 24, "clear cache: hover"},
        {261, 78, 24, "clear cache: pressed"},
        {275, 1, 1, "overlay shade tile"},
        {276, 23, 23, "busy animation frame 1"}, {277, 23, 23, "busy animation frame 2"},
        {278, 23, 23, "busy animation frame 3"}, {279, 23, 23, "busy animation frame 4"},
        {304, 256, 110, "message box background"},
        {314, 82, 34, "message box OK: normal"}, {313, 82, 34, "message box OK: hover, pressed"},
        {312, 82, 34, "message box Cancel: normal"},
        {311, 82, 34, "message box Cancel: hover, pressed"},
        {316, 9, 9, "message box close cross"},
        {319, 1199, 733, "login window background (shaped)"},
        {320, 31, 30, "login popup minimise: normal"}, {321, 31, 30, "login popup minimise: hover"},
        {322, 31, 30, "login popup minimise: pressed"},
        {323, 35, 36, "login popup close: normal"}, {324, 35, 36, "login popup close: hover"},
        {325, 35, 36, "login popup close: pressed"},
    };
    return entries;
}

Output::Output(std::string root) : root_(std::move(root)) {
    for (const char* sub : {"png", "bitmap", "icon"})
        std::filesystem::create_directories(std::filesystem::path(root_) / sub);
}

void Output::Png(int id, const Canvas& canvas) {
    for (const auto& e : PngCatalogue()) {
        if (e.id != id) continue;
        if (e.width != canvas.width() || e.height != canvas.height())
            throw std::runtime_error("PNG " + std::to_string(id) + " has the wrong size");
        WritePng(canvas, root_ + "/png/" + std::to_string(id) + ".png");
        written_.insert(id);
        return;
    }
    throw std::runtime_error("PNG " + std::to_string(id) + " is not in the catalogue");
}

void Output::Bitmap(int id, const Canvas& canvas) {
    WriteBmp24(canvas, root_ + "/bitmap/" + std::to_string(id) + ".bmp");
}

void Output::Icon(int id, const std::vector<const Canvas*>& sizes, const Canvas& large) {
    WriteIco(sizes, root_ + "/icon/" + std::to_string(id) + ".ico");
    WritePng(large, root_ + "/icon/" + std::to_string(id) + ".png");
}

std::vector<int> Output::Missing() const {
    std::vector<int> missing;
    for (const auto& e : PngCatalogue())
        if (!written_.count(e.id)) missing.push_back(e.id);
    return missing;
}

}  // namespace artgen
