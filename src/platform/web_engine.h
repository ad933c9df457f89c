// The web engine every page of the launcher runs on (WebKitGTK): one web
// context per process on the launcher's own website-data folders, so that
// the login page and the game window (a second process) share cookies and
// the disk cache.
#pragma once

#include <webkit2/webkit2.h>

#include <string>

namespace vostra {

struct WebEngineFolders {
    std::string data_dir;   // website data; the cookie store is cookies.sqlite in it
    std::string cache_dir;  // the disk cache and nothing else
};

// The process's web context on the given folders, created on the first
// call and kept for the life of the process (later calls return it,
// whatever folders they name). Cookies persist in SQLite, where a second
// process on the same folders reads them.
WebKitWebContext* SharedWebContext(const WebEngineFolders& folders);

// The folders of the running user (GetWebDataDir, GetWebCacheDir).
WebEngineFolders DefaultWebEngineFolders();

// The cookie store's file in a data folder.
std::string CookieStorePath(const std::string& data_dir);

// Opens the URL in the user's default web browser, outside the launcher.
// False when no browser could be started.
bool OpenInDefaultBrowser(const std::string& url);

}  // namespace vostra
