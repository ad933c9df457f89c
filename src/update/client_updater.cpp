#include "update/client_updater.h"

#include <sys/stat.h>
#include <unistd.h>

#include "app/file_md5.h"
#include "update/download_sink.h"
#include "update/version_reply.h"

namespace vostra {
namespace {

constexpr char kRunEnd[] = "=====================";

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Collects a reply body, keeping no more than the reply can hold.
class ReplyCollector final : public HttpReceiver {
public:
    explicit ReplyCollector(const UpdateRunLog& log) : m_log(log) {}

    bool OnHead(const HttpResponseHead& head) override {
        m_log.Write("Http QueryInfoStatusCode:" + std::to_string(head.status));
        return head.status < 400;
    }
    bool OnBody(const char* data, size_t size) override {
        const size_t room = kVersionReplyMaxBytes - m_strBody.size();
        m_strBody.append(data, size < room ? size : room);
        // Stop reading once the buffer is full: the rest is never used.
        return m_strBody.size() < kVersionReplyMaxBytes;
    }
    const std::string& body() const { return m_strBody; }

private:
    const UpdateRunLog& m_log;
    std::string m_strBody;
};

}  // namespace

std::string ApplicationNameOf(const std::string& own_path) {
    const std::string name = FileNameOf(own_path);
    const size_t dot = name.rfind('.');
    return (dot == std::string::npos || dot == 0) ? name : name.substr(0, dot);
}

CClientUpdater::CClientUpdater(const UpdateContext& ctx, const std::string& temp_name,
                               const std::string& sub_folder)
    : m_ctx(ctx), m_log(UpdateRunLogPath(ctx.app_data_folder)) {
    const std::string cache_dir = ctx.app_data_folder + "/cache";
    if (access(cache_dir.c_str(), F_OK) != 0) mkdir(cache_dir.c_str(), 0700);
    m_strDownloadPath = cache_dir + temp_name;
    // A download left by an earlier run, complete or partial, is discarded.
    unlink(m_strDownloadPath.c_str());
    RemoveStaleParts(m_strDownloadPath);
    m_strInstalledPath = ctx.app_data_folder + sub_folder + FileNameOf(ctx.own_path);
    m_strSubFolder = sub_folder;
}

HttpGetOptions CClientUpdater::RequestOptions(long connect_timeout_ms) const {
    HttpGetOptions options;
    options.user_agent = ApplicationNameOf(m_ctx.own_path);
    options.connect_timeout_ms = connect_timeout_ms;
    options.stall_timeout_ms = m_ctx.stall_timeout_ms;
    options.stop_requested = m_ctx.stop_requested;
    return options;
}

bool CClientUpdater::CheckVersion(const std::string& base_url,
                                  const std::string& path_and_query,
                                  const std::string& version) {
    m_strQueryUrl = ComposeVersionQueryUrl(base_url, path_and_query, version);
    const std::string reply = FetchUrlText(m_strQueryUrl);
    m_log.Write("Server response check version msg:" + reply);
    if (!IsUpdateReply(reply)) {
        m_log.Write("Finish Update.");
        m_log.Write(kRunEnd);
        return false;
    }
    m_strReply = reply;
    return true;
}

std::string CClientUpdater::FetchUrlText(const std::string& url) {
    ReplyCollector collector(m_log);
    const HttpResult result =
        m_ctx.http->Get(url, RequestOptions(kVersionConnectTimeoutMs), collector);
    if (result.outcome == HttpOutcome::kFailed) {
        m_log.WriteException(result.error_text);
        return "";
    }
    // A stop means either an error status (no body was read) or a full
    // buffer; the collected body is right in both cases.
    return ReplyTextFromBody(collector.body());
}

void CClientUpdater::DownloadAndRun(const std::string& url) {
    m_log.Write("ExcuUpdate,URL=" + url);
    DownloadSink sink(m_log, PartPathFor(m_strDownloadPath), m_ctx.progress);
    const HttpResult result = m_ctx.http->Get(url, RequestOptions(0), sink);
    if (StopRequested()) {
        // The player is leaving: nothing of this run stays behind.
        sink.Discard();
        return;
    }
    if (result.outcome == HttpOutcome::kFailed || !sink.write_error().empty()) {
        sink.Discard();
        m_log.WriteException(result.outcome == HttpOutcome::kFailed ? result.error_text
                                                                    : sink.write_error());
        return;
    }
    if (!sink.complete()) {
        // An error status, a size already reached, a body that ended short
        // or a file that could not be created: nothing more to log.
        sink.Discard();
        return;
    }
    FinishDownload(sink);
}

bool CClientUpdater::StopRequested() const {
    return m_ctx.stop_requested && m_ctx.stop_requested();
}

void CClientUpdater::FinishDownload(DownloadSink& sink) {
    const std::string error = sink.Publish(m_strDownloadPath);
    if (!error.empty()) {
        m_log.WriteException(error);
        return;
    }
    m_log.Write("Finish download,file size=" + std::to_string(sink.total()));
    std::string md5;
    ComputeFileMd5(m_strDownloadPath, md5);
    m_log.Write("Finish download,file md5=" + md5);
    if (StopRequested()) {
        unlink(m_strDownloadPath.c_str());
        return;
    }
    StartHandoff(m_strDownloadPath, m_strInstalledPath);
}

bool CClientUpdater::StartHandoff(const std::string& download_path,
                                  const std::string& installed_path) {
    const std::string cmd_line = "-d " + installed_path;
    // Ending without a started client would leave the player with no
    // launcher at all (and again at every start); when the start fails the
    // launcher goes on running instead.
    if (!m_ctx.start_process(download_path, cmd_line)) return false;
    m_ctx.end_process();
    return true;
}

}  // namespace vostra
