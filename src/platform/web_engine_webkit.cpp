#include "platform/web_engine.h"

#include <gio/gio.h>

#include "app/app_paths.h"

namespace vostra {
namespace {

WebKitWebContext* g_pContext = nullptr;

// The engine keeps several caches below its base cache folder (HSTS, the
// DOM cache storage, ...). Only the HTTP disk cache goes to the folder the
// player's cache cleaning empties; the rest stays with the website data.
WebKitWebsiteDataManager* MakeDataManager(const WebEngineFolders& folders) {
    const std::string other_caches = folders.data_dir + "/caches";
    return WEBKIT_WEBSITE_DATA_MANAGER(g_object_new(
        WEBKIT_TYPE_WEBSITE_DATA_MANAGER, "base-data-directory", folders.data_dir.c_str(),
        "base-cache-directory", other_caches.c_str(), "disk-cache-directory",
        folders.cache_dir.c_str(), nullptr));
}

}  // namespace

std::string CookieStorePath(const std::string& data_dir) { return data_dir + "/cookies.sqlite"; }

WebEngineFolders DefaultWebEngineFolders() { return {GetWebDataDir(), GetWebCacheDir()}; }

WebKitWebContext* SharedWebContext(const WebEngineFolders& folders) {
    if (g_pContext != nullptr) return g_pContext;
    WebKitWebsiteDataManager* manager = MakeDataManager(folders);
    g_pContext = webkit_web_context_new_with_website_data_manager(manager);
    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(manager);
    g_mkdir_with_parents(folders.data_dir.c_str(), 0700);
    webkit_cookie_manager_set_persistent_storage(cookies,
                                                 CookieStorePath(folders.data_dir).c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    g_object_unref(manager);  // the context holds it
    return g_pContext;
}

void ReleaseSharedWebContext() {
    if (g_pContext == nullptr) return;
    g_object_unref(g_pContext);
    g_pContext = nullptr;
}

namespace {

constexpr WebKitWebsiteDataTypes kCacheTypes = static_cast<WebKitWebsiteDataTypes>(
    WEBKIT_WEBSITE_DATA_MEMORY_CACHE | WEBKIT_WEBSITE_DATA_DISK_CACHE |
    WEBKIT_WEBSITE_DATA_OFFLINE_APPLICATION_CACHE);

struct CacheClear {
    WebKitWebsiteDataManager* manager = nullptr;
    bool release_context = false;
    int listed = 0;
    std::function<void(int)> done;
};

void OnCachesCleared(GObject*, GAsyncResult* result, gpointer data) {
    auto* clear = static_cast<CacheClear*>(data);
    webkit_website_data_manager_clear_finish(clear->manager, result, nullptr);
    g_object_unref(clear->manager);
    if (clear->release_context) ReleaseSharedWebContext();
    if (clear->done) clear->done(clear->listed);
    delete clear;
}

void OnCachesListed(GObject*, GAsyncResult* result, gpointer data) {
    auto* clear = static_cast<CacheClear*>(data);
    GList* items = webkit_website_data_manager_fetch_finish(clear->manager, result, nullptr);
    clear->listed = static_cast<int>(g_list_length(items));
    g_list_free_full(items, reinterpret_cast<GDestroyNotify>(webkit_website_data_unref));
    webkit_website_data_manager_clear(clear->manager, kCacheTypes, 0, nullptr, OnCachesCleared,
                                      clear);
}

}  // namespace

void ClearWebEngineCaches(std::function<void(int listed)> done) {
    auto* clear = new CacheClear;
    clear->release_context = g_pContext == nullptr;
    clear->done = std::move(done);
    WebKitWebContext* context = SharedWebContext(DefaultWebEngineFolders());
    clear->manager = WEBKIT_WEBSITE_DATA_MANAGER(
        g_object_ref(webkit_web_context_get_website_data_manager(context)));
    webkit_website_data_manager_fetch(clear->manager, kCacheTypes, nullptr, OnCachesListed, clear);
}

bool HasGpuRenderNode() {
    GDir* dir = g_dir_open("/dev/dri", 0, nullptr);
    if (dir == nullptr) return false;
    bool found = false;
    while (const char* name = g_dir_read_name(dir)) {
        if (g_str_has_prefix(name, "renderD")) {
            found = true;
            break;
        }
    }
    g_dir_close(dir);
    return found;
}

void ChooseGameCompositing(WebKitSettings* settings) {
    if (!HasGpuRenderNode()) {
        webkit_settings_set_hardware_acceleration_policy(settings,
                                                         WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    }
}

bool OpenInDefaultBrowser(const std::string& url) {
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error);
    if (error != nullptr) {
        g_printerr("vostra: cannot open %s: %s\n", url.c_str(), error->message);
        g_error_free(error);
    }
    return ok != FALSE;
}

}  // namespace vostra
