#include "app/resource_strings.h"

#include <cstdlib>

#ifndef VOSTRA_OPERATOR_URL
#define VOSTRA_OPERATOR_URL "http://127.0.0.1:18080"
#endif

namespace vostra {

std::string OperatorBaseUrl() {
    const char* env = getenv("VOSTRA_OPERATOR_URL");
    std::string url = (env && env[0] != '\0') ? env : VOSTRA_OPERATOR_URL;
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

std::string LoadResString(int id) {
    switch (id) {
        case IDS_GAME_NAME: return "Vostra";
        case IDS_BRAND_NAME: return "Orbix网";
        case IDS_PRODUCT_TITLE: return "Vostra登录器";
        case IDS_UNINSTALL_LINK: return "卸载-Vostra";
        case IDS_LOGIN_URL: return OperatorBaseUrl() + "/client/gamecode/vstr/";
        case IDS_PLEASE_WAIT: return "缓存清理中，请稍后……";
        case IDS_GAME_CODE: return "vstr";
        case IDS_DOWNLOAD_NAME: return "/kxvstrtmp.exe";
        case IDS_UPDATE_SUBFOLDER: return "/orbix/";
        case IDS_UNINSTALL_COPY: return "/cache/kxvstrtmpu.exe";
        case IDS_OPERATOR_FOLDER: return "orbix";
        case IDS_DESKTOP_BRAND: return "Orbix网";
        case IDS_VERSION_SERVICE: return OperatorBaseUrl();
        case IDS_VERSION_QUERY: return "getClientVersion.php?p=orbix&g=vstr&v=";
        case IDS_SETTINGS_FILE: return "res//systemset.ini";
        default: return "";
    }
}

}  // namespace vostra
