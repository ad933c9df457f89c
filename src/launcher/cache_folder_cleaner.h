// Emptying the web engine's disk-cache folder, keeping what the player's
// desktop put there. Portable (POSIX): no GTK here.
//
// Every entry below the folder is deleted, at every level, except files
// named "desktop.ini" in any letter case. An entry without its owner's
// write permission gets it first (a folder before its content is deleted).
// A symbolic link is deleted itself and never followed. Emptied folders
// are removed; a folder still holding something stays, silently. A file
// that cannot be deleted is traced with its errno, and the walk goes on; a
// folder that cannot be listed is left as it is.
#pragma once

#include <atomic>
#include <string>

#include "launcher/cache_clean_trace.h"

namespace vostra {

// Cleans `folder` (the folder itself stays). Traces the start of every
// folder, each deleted file and each failure to `trace`. When `stop` is
// given and becomes true, the walk ends early. False when `folder` itself
// could not be listed.
bool CleanFolder(const std::string& folder, const CacheTraceSink& trace,
                 const std::atomic<bool>* stop = nullptr);

}  // namespace vostra
