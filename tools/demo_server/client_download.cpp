#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "operator_site.h"
#include "stop_signal.h"

namespace vostra::demo {
namespace {

constexpr size_t kChunkBytes = 256 * 1024;
constexpr int kStallMillis = 10 * 60 * 1000;

// One open file per request, read at the offsets the server asks for.
class ClientFile {
public:
    explicit ClientFile(const std::string& path) : m_nFd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ClientFile() {
        if (m_nFd >= 0) close(m_nFd);
    }
    bool ok() const { return m_nFd >= 0; }

    // Sends up to kChunkBytes from offset; false when reading fails.
    bool SendChunk(size_t offset, size_t length, httplib::DataSink& sink) {
        const size_t want = length < kChunkBytes ? length : kChunkBytes;
        const ssize_t n = pread(m_nFd, m_buffer.data(), want, static_cast<off_t>(offset));
        if (n <= 0) return false;
        return sink.write(m_buffer.data(), static_cast<size_t>(n));
    }

private:
    int m_nFd;
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
        auto file = std::make_shared<ClientFile>(client.path);
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
