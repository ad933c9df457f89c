// The sessions the login form hands out. Only tokens issued by this run of
// the server count, so a cookie left over from an earlier run is no
// session.
#pragma once

#include <httplib.h>

#include <string>

namespace vostra::demo {

// Name of the session cookie.
inline constexpr char kSessionCookie[] = "vostra_session";

// A new random token (32 hex digits), remembered as issued.
std::string IssueSession();

// True when a Cookie header of the request holds an issued session token.
bool HasSession(const httplib::Request& req);

}  // namespace vostra::demo
