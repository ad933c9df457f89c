#include "fuzz/zip_fuzz_target.h"

#include <algorithm>
#include <filesystem>

#include "install/zip_reader.h"

namespace vostra::test {
namespace {

// Enough entries to reach every code path without letting one input with
// 65535 entries take minutes.
constexpr int kMaxEntries = 64;

}  // namespace

bool RunZipFuzzInput(const std::string& root, const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const std::string base = root + "/base";
    fs::create_directories(base);
    if (HZIP zip = OpenZipFromMemory(data, size)) {
        SetBaseDirectory(zip, base);
        ZipEntryInfo ze;
        GetZipEntry(zip, -1, ze);
        const int count = std::min(ze.index, kMaxEntries);
        for (int i = 0; i < count; ++i) {
            const ZipResult r = GetZipEntry(zip, i, ze);
            // Entries whose information fails are still tried, under a
            // fixed name, to drive the data path.
            ExtractZipEntry(zip, i, r == kZipOk ? ze.name : "entry");
        }
        GetZipEntry(zip, 0, ze);
        CloseZip(zip);
    }
    bool contained = true;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(root, ec)) {
        if (item.path().filename() != "base") contained = false;
    }
    for (const auto& item : fs::directory_iterator(base, ec)) {
        // Read-only folders would stop the removal of what they hold.
        fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(item.path(), ec);
    }
    return contained;
}

}  // namespace vostra::test
