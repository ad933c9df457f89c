// The pictures the launcher looks up by id, with the pixel size each
// window layout relies on, and the output folder they are written to.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "canvas.h"

namespace artgen {

struct CatalogueEntry {
    int id;
    int width;
    int height;
    const char* role;
};

const std::vector<CatalogueEntry>& PngCatalogue();

// Writes pictures under an output root (res/): png/<id>.png,
// bitmap/<id>.bmp, icon/<id>.ico and icon/<id>.png, checking each PNG's
// size against the catalogue and remembering what was written.
class Output {
public:
    explicit Output(std::string root);

    void Png(int id, const Canvas& canvas);
    void Bitmap(int id, const Canvas& canvas);
    void Icon(int id, const std::vector<const Canvas*>& sizes, const Canvas& large);

    // The catalogue ids that were never written.
    std::vector<int> Missing() const;

private:
    std::string root_;
    std::set<int> written_;
};

}  // namespace artgen
