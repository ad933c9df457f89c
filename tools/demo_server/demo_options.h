// Command-line options of the demo operator server.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace vostra::demo {

// Faults the server can be told to show, for the launcher's tests.
enum class Fault {
    kVersion404,              // version service answers 404
    kVersionStall,            // version service accepts and never answers
    kVersionTrailingLineEnd,  // the download URL is followed by CR LF
    kVersionLong,             // the reply is longer than 1023 bytes
    kVersionRedirect,         // the version query is redirected once
    kVersionEchoUserAgent,    // the version service answers with the caller's user agent
    kDownload404,             // the client download answers 404
    kDownloadNoLength,        // the client is sent without Content-Length
    kDownloadCut,             // the connection is cut half-way
    kDownloadStall,           // half the client, then silence
    kUnreachable,             // nothing listens on the printed port
    kLoginTall,               // the login page is far taller than the login form
};

struct DemoOptions {
    std::string host = "127.0.0.1";
    int port = 18080;             // 0: any free port (printed on start)
    std::string client_path;      // the published client; empty: none
    int64_t client_rate = 0;      // bytes per second of its download; 0: unthrottled
    std::optional<std::string> fixed_reply;  // answer every version query with this
    std::set<Fault> faults;
    // Benchmark aids. auto_login: the login page submits its form by itself
    // with this account once loaded, so no typing sits in a timed path.
    // login_stamp: each answered login writes the CLOCK_MONOTONIC time in
    // nanoseconds to this file (replacing it whole), the moment the browser
    // receives the play link.
    std::string auto_login;
    std::string login_stamp;

    bool Has(Fault f) const { return faults.count(f) != 0; }
};

// Parses argv; on a bad option returns false with the reason in error.
bool ParseDemoOptions(int argc, char** argv, DemoOptions& out, std::string& error);

// The usage text.
std::string DemoUsage();

}  // namespace vostra::demo
