// HttpClient on libcurl's easy interface. The proxy comes from the
// environment (curl's own handling of http_proxy and friends).
#include <curl/curl.h>
#include <strings.h>

#include <chrono>
#include <cstring>
#include <mutex>

#include "platform/http_client.h"

namespace vostra {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 10;
constexpr long kReadBufferBytes = 128 * 1024;

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r' ||
                     text[e - 1] == '\n')) {
        --e;
    }
    return std::string(text.substr(b, e - b));
}

bool HeaderNameIs(std::string_view line, const char* name) {
    const size_t n = strlen(name);
    return line.size() > n && line[n] == ':' && strncasecmp(line.data(), name, n) == 0;
}

// The state of one transfer, shared by curl's callbacks.
class Transfer {
public:
    Transfer(CURL* curl, const HttpGetOptions& options, HttpReceiver& receiver)
        : curl_(curl), options_(options), receiver_(receiver) {}

    bool stopped() const { return stopped_; }
    bool stalled() const { return stalled_; }

    size_t OnHeaderLine(std::string_view line);
    size_t OnBody(const char* data, size_t size);
    int OnProgress(curl_off_t dlnow);
    // Hands the head over if no blank line did (a body-less reply whose end
    // of head went unnoticed). False when the receiver stops.
    bool DeliverHeadOnce();

private:
    void Touch() { last_activity_ = Clock::now(); }

    CURL* curl_;
    const HttpGetOptions& options_;
    HttpReceiver& receiver_;
    HttpResponseHead head_;
    bool saw_location_ = false;
    bool head_delivered_ = false;
    bool stopped_ = false;
    bool stalled_ = false;
    curl_off_t last_dlnow_ = 0;
    Clock::time_point last_activity_ = Clock::now();
};

bool Transfer::DeliverHeadOnce() {
    if (head_delivered_) return true;
    head_delivered_ = true;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &head_.status);
    if (!receiver_.OnHead(head_)) stopped_ = true;
    return !stopped_;
}

size_t Transfer::OnHeaderLine(std::string_view line) {
    Touch();
    if (line.substr(0, 5) == "HTTP/") {
        // A new response begins (after a redirect or an interim reply).
        head_ = HttpResponseHead{};
        saw_location_ = false;
        head_delivered_ = false;
    } else if (HeaderNameIs(line, "Content-Length")) {
        head_.content_length = Trim(line.substr(strlen("Content-Length:")));
    } else if (HeaderNameIs(line, "Location")) {
        saw_location_ = true;
    } else if (line == "\r\n" || line == "\n") {
        long code = 0;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &code);
        const bool interim = code >= 100 && code < 200;
        const bool followed = code >= 300 && code < 400 && code != 304 && saw_location_;
        if (!interim && !followed && !DeliverHeadOnce()) return 0;
    }
    return line.size();
}

size_t Transfer::OnBody(const char* data, size_t size) {
    Touch();
    if (!DeliverHeadOnce()) return 0;
    if (!receiver_.OnBody(data, size)) {
        stopped_ = true;
        return 0;
    }
    return size;
}

int Transfer::OnProgress(curl_off_t dlnow) {
    if (options_.stop_requested && options_.stop_requested()) {
        stopped_ = true;
        return 1;
    }
    if (dlnow != last_dlnow_) {
        last_dlnow_ = dlnow;
        Touch();
    }
    if (options_.stall_timeout_ms <= 0) return 0;
    const auto idle = Clock::now() - last_activity_;
    if (idle > std::chrono::milliseconds(options_.stall_timeout_ms)) {
        stalled_ = true;
        return 1;
    }
    return 0;
}

size_t HeaderCallback(char* data, size_t size, size_t count, void* self) {
    return static_cast<Transfer*>(self)->OnHeaderLine(std::string_view(data, size * count));
}

size_t WriteCallback(char* data, size_t size, size_t count, void* self) {
    return static_cast<Transfer*>(self)->OnBody(data, size * count);
}

int ProgressCallback(void* self, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(self)->OnProgress(dlnow);
}

std::string StallText(long ms) {
    return "Timeout was reached: no data received for " + std::to_string(ms) + " ms";
}

class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient() {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpResult Get(const std::string& url, const HttpGetOptions& options,
                   HttpReceiver& receiver) override;
};

void ConfigureHandle(CURL* curl, const std::string& url, const HttpGetOptions& options,
                     Transfer& transfer, char* error_buffer) {
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReadBufferBytes);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_buffer);
    if (!options.user_agent.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERAGENT, options.user_agent.c_str());
    }
    if (options.connect_timeout_ms > 0) {
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connect_timeout_ms);
    }
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, HeaderCallback);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteCallback);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ProgressCallback);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

HttpResult CurlHttpClient::Get(const std::string& url, const HttpGetOptions& options,
                               HttpReceiver& receiver) {
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) return {HttpOutcome::kFailed, "Failed to initialise the HTTP library"};
    const std::string wire_url = RequestUrlText(url);
    Transfer transfer(curl.get(), options, receiver);
    char error_buffer[CURL_ERROR_SIZE] = {};
    ConfigureHandle(curl.get(), wire_url, options, transfer, error_buffer);

    const CURLcode rc = curl_easy_perform(curl.get());
    if (transfer.stopped()) return {HttpOutcome::kStopped, ""};
    if (transfer.stalled()) return {HttpOutcome::kFailed, StallText(options.stall_timeout_ms)};
    if (rc != CURLE_OK) {
        std::string text = error_buffer[0] ? error_buffer : curl_easy_strerror(rc);
        return {HttpOutcome::kFailed, text};
    }
    if (!transfer.DeliverHeadOnce()) return {HttpOutcome::kStopped, ""};
    return {HttpOutcome::kComplete, ""};
}

}  // namespace

std::unique_ptr<HttpClient> CreateHttpClient() { return std::make_unique<CurlHttpClient>(); }

}  // namespace vostra
