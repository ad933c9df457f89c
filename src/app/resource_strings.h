// The launcher's string table, by the ids every subsystem refers to. Paths
// in it use "/" where the Windows program used a backslash.
#pragma once

#include <string>

namespace vostra {

enum StringId : int {
    IDS_GAME_NAME = 102,         // "Vostra"
    IDS_BRAND_NAME = 105,        // "Orbix网", program-menu folder
    IDS_PRODUCT_TITLE = 107,     // "Vostra登录器"
    IDS_UNINSTALL_LINK = 109,    // "卸载-Vostra"
    IDS_LOGIN_URL = 114,         // login page base URL
    IDS_PLEASE_WAIT = 116,       // overlay text
    IDS_GAME_CODE = 117,         // "vstr"
    IDS_DOWNLOAD_NAME = 118,     // "/kxvstrtmp.exe"
    IDS_UPDATE_SUBFOLDER = 119,  // "/orbix/"
    IDS_UNINSTALL_COPY = 120,    // "/cache/kxvstrtmpu.exe"
    IDS_OPERATOR_FOLDER = 124,   // "orbix"
    IDS_DESKTOP_BRAND = 125,     // "Orbix网", desktop shortcut
    IDS_VERSION_SERVICE = 191,   // version service base URL, no trailing slash
    IDS_VERSION_QUERY = 192,     // path and query of the version query
    IDS_SETTINGS_FILE = 197,     // "res//systemset.ini"
};

// The text of a string resource; "" for an unknown id.
std::string LoadResString(int id);

// Base URL of the operator's web server (scheme, host, port; no trailing
// slash): $VOSTRA_OPERATOR_URL when set and not empty, else the build's
// VOSTRA_OPERATOR_URL. Resources 114 and 191 are built on it.
std::string OperatorBaseUrl();

}  // namespace vostra
