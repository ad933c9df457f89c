#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "operator_site.h"
#include "request_counts.h"
#include "stop_signal.h"

namespace vostra::demo {
namespace {

constexpr size_t kChunkBytes = 256 * 1024;
// A throttled download goes out in small chunks, a tenth of a second's
// worth at most, so that the bytes arrive steadily.
constexpr size_t kThrottledChunkMin = 1024;
constexpr size_t kThrottledChunkMax = 16 * 1024;
constexpr int kStallMillis = 10 * 60 * 1000;

// Holds one download to its rate: after each chunk it sleeps until the
// bytes sent so far are due, so that oversleeping is made up later.
class Pacer {
public:
    explicit Pacer(int64_t rate) : m_nRate(rate) {}

    // The most to send in one go.
    size_t ChunkLimit() const {
        if (m_nRate <= 0) return kChunkBytes;
        return std::clamp(static_cast<size_t>(m_nRate / 10), kThrottledChunkMin,
                          kThrottledChunkMax);
    }

    // Counts `bytes` as sent and waits for their time; false when the
    // server is stopping.
    bool Pace(size_t bytes) {
        using namespace std::chrono;
        if (m_nRate <= 0) return true;
        m_nSent += static_cast<int64_t>(bytes);
        const auto due = m_start + microseconds(m_nSent * 1000000 / m_nRate);
        const auto wait = duration_cast<milliseconds>(due - steady_clock::now()).count();
        return wait <= 0 || SleepUnlessStopping(static_cast<int>(wait));
    }

private:
    int64_t m_nRate;
    int64_t m_nSent = 0;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// One open file per request, read at the offsets the server asks for and
// sent no faster than the client rate.
class ClientFile {
public:
    ClientFile(const std::string& path, int64_t rate)
        : m_nFd(open(path.c_str(), O_RDONLY | O_CLOEXEC)), m_pacer(rate) {}
    ~ClientFile() {
        if (m_nFd >= 0) close(m_nFd);
    }
    bool ok() const { return m_nFd >= 0; }

    // Sends one chunk from offset; false when reading or sending fails (the
    // caller went away) or the server is stopping.
    bool SendChunk(size_t offset, size_t length, httplib::DataSink& sink) {
        const size_t want = std::min(length, m_pacer.ChunkLimit());
        const ssize_t n = pread(m_nFd, m_buffer.data(), want, static_cast<off_t>(offset));
        if (n <= 0) return false;
        if (!sink.write(m_buffer.data(), static_cast<size_t>(n))) return false;
        return m_pacer.Pace(static_cast<size_t>(n));
    }

private:
    int m_nFd;
    Pacer m_pacer;
    std::vector<char> m_buffer = std::vector<char>(kChunkBytes);
};

void ServeWithLength(httplib::Response& res, const DemoOptions& options,
                     std::shared_ptr<ClientFile> file, size_t size) {
    const size_t half = size / 2;
    const bool cut = options.Has(Fault::kDownloadCut);
    const bool stall = options.Has(Fault::kDownloadStall);
    res.set_content_provider(
        size, "application/octet-stream",
        [file, half, cut, stall](size_t offset, size_t length, httplib::DataSink& sink) {
            if (offset >= half && (cut || stall)) {
                // The cut drops the connection at once; the stall keeps it
                // open and silent first.
                if (stall) SleepUnlessStopping(kStallMillis);
                return false;
            }
            if (cut || stall) length = std::min(length, half - offset);
            return file->SendChunk(offset, length, sink);
        });
}

void ServeWithoutLength(httplib::Response& res, std::shared_ptr<ClientFile> file, size_t size) {
    res.set_chunked_content_provider(
        "application/octet-stream", [file, size](size_t offset, httplib::DataSink& sink) {
            if (offset >= size) {
                sink.done();
                return true;
            }
            return file->SendChunk(offset, size - offset, sink);
        });
}

}  // namespace

void RegisterClientDownload(httplib::Server& server, const DemoOptions& options,
                            const PublishedClient& client) {
    server.Get(kClientDownloadPath, [&options, &client](const httplib::Request&,
                                                        httplib::Response& res) {
        CountRequest(Route::kDownload);
        auto file = std::make_shared<ClientFile>(client.path, options.client_rate);
        if (client.path.empty() || options.Has(Fault::kDownload404) || !file->ok()) {
            res.status = 404;
            res.set_content("not found", "text/plain");
            return;
        }
        const auto size = static_cast<size_t>(client.size);
        if (options.Has(Fault::kDownloadNoLength)) {
            ServeWithoutLength(res, file, size);
        } else {
            ServeWithLength(res, options, file, size);
        }
    });
}

}  // namespace vostra::demo
