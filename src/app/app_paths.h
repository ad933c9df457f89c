// The per-user folders of the launcher:
//   data folder   $XDG_DATA_HOME/orbix/vstr/   installed executable, res/
//   res folder    data folder + "res"          systemset.ini, update.log, uninstall.ico
//   cache folder  $XDG_DATA_HOME/cache         downloaded client, uninstall copy
#pragma once

#include <string>

namespace vostra {

// The data folder, ending in "/". Computed on the first call and held for
// the life of the process (computed again only while the held value is
// empty).
std::string GetAppDir();

// Forgets the held data folder, so the next GetAppDir computes it again.
// For tests that move $XDG_DATA_HOME between cases.
void ResetAppDirForTesting();

// The cache folder, no trailing slash. Not created here.
std::string GetCacheDir();

// The web engine's folders, shared by the login page and the game window
// (no trailing slash, not created here): website data, the cookie store
// included, in the data folder's "webdata"; the engine's disk cache, and
// nothing else, in $XDG_CACHE_HOME/orbix/vstr/webcache, the folder the
// cache cleaning empties.
std::string GetWebDataDir();
std::string GetWebCacheDir();

// The settings file, composed anew on every call.
std::string GetSettingsPath();

// The update log of the data folder.
std::string GetUpdateLogPath();

}  // namespace vostra
