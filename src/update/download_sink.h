// Receives the new client's download into a file of this run's own in the
// cache folder ("<download path>.<pid>.part"). Only a complete download is
// renamed to the download path, so two launchers running at once never
// write, delete or start each other's half-written file.
//
// The download keeps the resume arithmetic: S is the size of the part file
// as found, new bytes are appended at its end, and the download is complete
// when S + received equals the announced size T. As the part file belongs
// to this run and starts empty, S is 0 and no Range request is needed; the
// bytes of an earlier run are never resumed (every run starts from an empty
// file, as the run's start discards earlier downloads anyway).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/http_client.h"
#include "update/update_run_log.h"

namespace vostra {

// The name this process downloads to before the download is complete.
std::string PartPathFor(const std::string& download_path);

// Removes part files of earlier runs whose process no longer runs. Called
// at the start of a run, before this process downloads anything.
void RemoveStaleParts(const std::string& download_path);

// The announced size: the Content-Length text read as a decimal number the
// way wcstol does (0 when absent or not a number). Sizes are held in 64
// bits, so a client of 2 GiB or more is logged with its true size and can
// still add up, where a 32-bit size would wrap or clamp.
int64_t ParseContentLength(const std::optional<std::string>& text);

class DownloadSink final : public HttpReceiver {
public:
    using Progress = std::function<void(int64_t received, int64_t total)>;
    // `progress`, when set, hears of every piece written: the bytes so far
    // (S + received) and the announced size T.
    DownloadSink(const UpdateRunLog& log, std::string part_path, Progress progress = {});
    ~DownloadSink() override;
    DownloadSink(const DownloadSink&) = delete;
    DownloadSink& operator=(const DownloadSink&) = delete;

    // Logs the status; below 400 logs the announced size T, creates the
    // part file and takes its size S. Stops the transfer on an error
    // status, on S == T (with its error line) and when the file cannot be
    // created (silently).
    bool OnHead(const HttpResponseHead& head) override;
    // Appends the bytes at the end of the file; a failed write stops the
    // transfer and is kept in write_error().
    bool OnBody(const char* data, size_t size) override;

    const std::string& write_error() const { return m_strWriteError; }
    bool complete() const { return m_bReceiving && m_nStart + m_nReceived == m_nTotal; }
    int64_t total() const { return m_nTotal; }

    // Makes the file executable, closes it and renames it to target.
    // "" on success, else the reason (the part file is then removed).
    std::string Publish(const std::string& target);
    // Closes and removes the part file, if one was created.
    void Discard();

private:
    const UpdateRunLog& m_log;
    std::string m_strPartPath;
    int m_nFd = -1;
    bool m_bReceiving = false;  // the head was accepted and the body is being read
    int64_t m_nTotal = 0;     // T
    int64_t m_nStart = 0;     // S
    int64_t m_nReceived = 0;  // bytes written by this download
    std::string m_strWriteError;
    Progress m_progress;
};

}  // namespace vostra
