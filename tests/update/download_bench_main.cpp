// vostra-download-bench: the launcher's own download and MD5 code paths as
// a command, for scripts/bench-download.sh to time against curl and
// md5sum.
//
//   vostra-download-bench download URL FILE   download URL into FILE
//   vostra-download-bench md5 FILE            print FILE's MD5
#include <cstdio>
#include <cstring>
#include <string>

#include "app/file_md5.h"
#include "platform/http_client.h"
#include "update/download_sink.h"
#include "update/update_context.h"
#include "update/update_run_log.h"

namespace {

int Download(const std::string& url, const std::string& file) {
    // The update run's log lines go to a log beside the file.
    const vostra::UpdateRunLog log(file + ".log");
    vostra::DownloadSink sink(log, vostra::PartPathFor(file));
    vostra::HttpGetOptions options;
    options.user_agent = "vostra-download-bench";
    options.stall_timeout_ms = vostra::kTransferStallTimeoutMs;
    const auto result = vostra::CreateHttpClient()->Get(url, options, sink);
    if (result.outcome == vostra::HttpOutcome::kFailed || !sink.complete()) {
        fprintf(stderr, "download failed: %s\n", result.error_text.c_str());
        sink.Discard();
        return 1;
    }
    const std::string error = sink.Publish(file);
    if (!error.empty()) {
        fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "download") == 0) return Download(argv[2], argv[3]);
    if (argc == 3 && strcmp(argv[1], "md5") == 0) {
        std::string md5;
        if (!vostra::ComputeFileMd5(argv[2], md5)) return 1;
        printf("%s\n", md5.c_str());
        return 0;
    }
    fprintf(stderr, "usage: vostra-download-bench download URL FILE | md5 FILE\n");
    return 2;
}
