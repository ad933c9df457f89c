// The trace lines of the cache cleaning: what was found, which folder is
// cleaned, which file went and which could not. Each line is written whole
// (one write, ending in CR LF) on standard error, where a player or a
// support engineer running the launcher from a terminal reads them.
// Portable: no GTK here.
#pragma once

#include <functional>
#include <string>

namespace vostra {

// Takes one trace line, without its line end.
using CacheTraceSink = std::function<void(const std::string& line)>;

// Writes the line and CR LF to standard error in one write.
void WriteCacheTraceLine(const std::string& line);

// The cache listing's two lookups: the first never finds anything (the
// listing is one fetch), the second gives the number of entries listed.
std::string TraceFirstLookup();
std::string TraceSecondLookup(int entries);
// The disk-cache folder that is about to be cleaned.
std::string TraceTempFolder(const std::string& folder);
// A folder whose cleaning starts (every level).
std::string TraceFolderStart(const std::string& folder);
// A file that could not be deleted: its name without folder, and errno.
std::string TraceDeleteFailed(const std::string& name, int error);
// A file that was deleted, with its whole path.
std::string TraceDeleted(const std::string& path);

}  // namespace vostra
