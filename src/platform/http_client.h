// HTTP GET for the self-update, behind a narrow interface: the update code
// sees a response head (status, Content-Length) before any body byte, then
// the body in pieces, and can stop the transfer at either point. The Linux
// implementation is libcurl (http_client_curl.cpp); tests may substitute
// their own.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vostra {

struct HttpResponseHead {
    long status = 0;                            // of the final response, after redirects
    std::optional<std::string> content_length;  // raw header value; nullopt when absent
};

// Receives one response. Returning false from either call ends the transfer
// at once; that counts as a stop, not as a failure.
class HttpReceiver {
public:
    virtual ~HttpReceiver() = default;
    virtual bool OnHead(const HttpResponseHead& head) = 0;
    virtual bool OnBody(const char* data, size_t size) = 0;
};

struct HttpGetOptions {
    std::string user_agent;
    long connect_timeout_ms = 0;  // 0: the library's default
    // The transfer fails when no byte has arrived for this long, whatever
    // its phase (connecting, waiting for the head, reading the body).
    // 0: no limit.
    long stall_timeout_ms = 0;
    // Asked about once a second and whenever bytes arrive, even while
    // nothing does; true ends the transfer as a stop. Empty: never.
    std::function<bool()> stop_requested;
};

enum class HttpOutcome {
    kComplete,  // the whole response was received
    kStopped,   // the receiver asked to stop
    kFailed,    // network, protocol or time-out failure; see error_text
};

struct HttpResult {
    HttpOutcome outcome = HttpOutcome::kFailed;
    std::string error_text;  // a readable reason when failed
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // A plain GET with no body and no extra headers; redirects are followed
    // and only the final response reaches the receiver.
    virtual HttpResult Get(const std::string& url, const HttpGetOptions& options,
                           HttpReceiver& receiver) = 0;
};

// The platform's client.
std::unique_ptr<HttpClient> CreateHttpClient();

// The text of a URL as it goes on the wire, cleaned the way browsers parse a
// typed address: leading and trailing blanks and control characters are
// dropped, tabs and line ends inside are removed, and what may not appear in
// a request line (blanks, other control bytes, bytes above 0x7F) is
// percent-encoded. So a version service reply with a trailing line end, or
// a version text with blanks, still names the intended resource.
std::string RequestUrlText(const std::string& url);

}  // namespace vostra
