#include "login/login_navigation.h"

namespace vostra {

std::string g_strLastNavUrl;

bool CancelsFormNavigation(std::string_view url) { return IsPlayLink(url); }

std::optional<std::string> PlayLinkToHandOver(std::string_view last_nav_url,
                                              GameUrlCheck* refused) {
    if (!IsPlayLink(last_nav_url)) return std::nullopt;
    const GameUrlCheck check = CheckGameUrl(last_nav_url);
    if (check != GameUrlCheck::kAccepted) {
        if (refused) *refused = check;
        return std::nullopt;
    }
    return std::string(last_nav_url);
}

}  // namespace vostra
