#include "app/app_paths.h"

#include "app/resource_strings.h"
#include "platform/known_folders.h"

namespace vostra {
namespace {
std::string g_strAppDir;
}

std::string GetAppDir() {
    if (g_strAppDir.empty()) {
        g_strAppDir = GetAppDataFolder() + "/" + LoadResString(IDS_OPERATOR_FOLDER) + "/" +
                      LoadResString(IDS_GAME_CODE) + "/";
    }
    return g_strAppDir;
}

void ResetAppDirForTesting() { g_strAppDir.clear(); }

std::string GetCacheDir() { return GetAppDataFolder() + "/cache"; }

std::string GetWebDataDir() { return GetAppDir() + "webdata"; }

std::string GetWebCacheDir() {
    return GetUserCacheFolder() + "/" + LoadResString(IDS_OPERATOR_FOLDER) + "/" +
           LoadResString(IDS_GAME_CODE) + "/webcache";
}

std::string GetSettingsPath() { return GetAppDir() + LoadResString(IDS_SETTINGS_FILE); }

std::string GetUpdateLogPath() { return GetAppDir() + "res/update.log"; }

}  // namespace vostra
