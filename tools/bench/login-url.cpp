// login-url
//
// Prints the login page URL the launcher opens on this machine: the
// operator's base URL (VOSTRA_OPERATOR_URL or the built-in default), the
// login path and this machine's adapter address. The login benchmark
// loads the same URL in its other browsers.
#include <cstdio>

#include "login/login_urls.h"

int main() {
    printf("%s\n", vostra::LoginPageUrl().c_str());
    return 0;
}
