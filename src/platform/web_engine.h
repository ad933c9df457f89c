// The web engine every page of the launcher runs on (WebKitGTK): one web
// context per process on the launcher's own website-data folders, so that
// the login page and the game window (a second process) share cookies and
// the disk cache.
#pragma once

#include <webkit2/webkit2.h>

#include <functional>
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

// Drops the process's web context, once no view uses it any more, so that
// the engine's network process ends with it; a later SharedWebContext
// makes a new one. The launcher does this after the login, while the game
// runs in its own process.
void ReleaseSharedWebContext();

// The folders of the running user (GetWebDataDir, GetWebCacheDir).
WebEngineFolders DefaultWebEngineFolders();

// The cookie store's file in a data folder.
std::string CookieStorePath(const std::string& data_dir);

// Clears the engine's caches of the launcher's web data: the memory and
// disk caches and the offline application cache, never cookies nor what
// pages stored themselves (local storage, IndexedDB). Asynchronous, on the
// GUI thread: `done` runs there afterwards with the number of entries the
// listing before the clear found. The context is released again at the
// end when the process had none before, so that its network process goes.
void ClearWebEngineCaches(std::function<void(int listed)> done);

// Whether the machine has a GPU the engine could composite with: a DRM
// render node (/dev/dri/renderD*). Without one, accelerated compositing
// runs on software GL, which costs a game page about a third more time to
// show and a hundred MiB more memory for nothing.
bool HasGpuRenderNode();

// The game view's compositing: the engine's own policy where a GPU is
// there (a canvas game gains from it), none where it is not.
void ChooseGameCompositing(WebKitSettings* settings);

// Opens the URL in the user's default web browser, outside the launcher.
// False when no browser could be started.
bool OpenInDefaultBrowser(const std::string& url);

}  // namespace vostra
