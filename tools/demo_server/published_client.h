// The client the demo operator publishes, and how the version service
// decides that a caller's client is older.
#pragma once

#include <cstdint>
#include <string>

namespace vostra::demo {

struct PublishedClient {
    std::string path;     // empty: nothing published
    int64_t size = 0;
    std::string version;  // its FileVersion
};

// Reads the file's size and FileVersion; a missing file publishes nothing.
PublishedClient LoadPublishedClient(const std::string& path);

// True when `published` is a newer dotted version than `current`. A current
// text that is not a dotted number (no version record, say) counts as older
// than anything published.
bool IsNewerVersion(const std::string& published, const std::string& current);

}  // namespace vostra::demo
