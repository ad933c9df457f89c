// The login page URL of this machine, joining the string table and the
// adapter address. Kept apart from the text rules so that those are tested
// without reading the machine's interfaces.
#include "app/resource_strings.h"
#include "login/login_urls.h"
#include "platform/adapter_address.h"

namespace vostra {

std::string LoginPageUrl() { return ComposeLoginUrl(LoadResString(IDS_LOGIN_URL), GetMacAddress()); }

}  // namespace vostra
