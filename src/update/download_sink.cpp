#include "update/download_sink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vostra {
namespace {

constexpr char kPartSuffix[] = ".part";

std::string ErrnoText(const char* what, const std::string& path, int err) {
    return std::string(what) + " " + path + ": " + strerror(err);
}

// The pid in "<name>.<pid>.part", or 0 when the name is not of that form.
long PidOfPart(const std::string& name, const std::string& prefix) {
    const size_t suffix_len = strlen(kPartSuffix);
    if (name.size() <= prefix.size() + suffix_len) return 0;
    if (name.compare(0, prefix.size(), prefix) != 0) return 0;
    if (name.compare(name.size() - suffix_len, suffix_len, kPartSuffix) != 0) return 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix_len);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return strtol(digits.c_str(), nullptr, 10);
}

}  // namespace

std::string PartPathFor(const std::string& download_path) {
    return download_path + "." + std::to_string(getpid()) + kPartSuffix;
}

void RemoveStaleParts(const std::string& download_path) {
    namespace fs = std::filesystem;
    const fs::path path(download_path);
    const std::string prefix = path.filename().string() + ".";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path.parent_path(), ec)) {
        const long pid = PidOfPart(entry.path().filename().string(), prefix);
        if (pid <= 0) continue;
        // Our own pid can only be left by a dead process whose pid was
        // reused: a run of ours never leaves its part file behind.
        const bool dead = kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (dead || pid == getpid()) {
            fs::remove(entry.path(), ec);
        }
    }
}

int64_t ParseContentLength(const std::optional<std::string>& text) {
    if (!text) return 0;
    return strtoll(text->c_str(), nullptr, 10);
}

DownloadSink::DownloadSink(const UpdateRunLog& log, std::string part_path, Progress progress)
    : m_log(log), m_strPartPath(std::move(part_path)), m_progress(std::move(progress)) {}

DownloadSink::~DownloadSink() {
    if (m_nFd >= 0) close(m_nFd);
}

bool DownloadSink::OnHead(const HttpResponseHead& head) {
    m_log.Write("Http QueryInfoStatusCode:" + std::to_string(head.status));
    if (head.status >= 400) return false;
    m_nTotal = ParseContentLength(head.content_length);
    m_log.Write("Content length:" + std::to_string(m_nTotal));

    // Created only now, after the status and the size have been read.
    m_nFd = open(m_strPartPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (m_nFd < 0) return false;
    struct stat st {};
    m_nStart = fstat(m_nFd, &st) == 0 ? st.st_size : 0;
    if (m_nStart == m_nTotal) {
        m_log.Write("ERROR!Before download dwFileSize == dwToatlSize,exit");
        return false;
    }
    // New bytes always go after the ones already there.
    lseek(m_nFd, 0, SEEK_END);
    m_bReceiving = true;
    return true;
}

bool DownloadSink::OnBody(const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(m_nFd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_strWriteError = ErrnoText("Failed to write", m_strPartPath, n < 0 ? errno : ENOSPC);
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
        m_nReceived += n;
    }
    if (m_progress) m_progress(m_nStart + m_nReceived, m_nTotal);
    return true;
}

std::string DownloadSink::Publish(const std::string& target) {
    std::string error;
    if (fchmod(m_nFd, 0755) != 0) error = ErrnoText("Failed to set the mode of", m_strPartPath, errno);
    if (close(m_nFd) != 0 && error.empty()) error = ErrnoText("Failed to write", m_strPartPath, errno);
    m_nFd = -1;
    m_bReceiving = false;
    if (error.empty() && rename(m_strPartPath.c_str(), target.c_str()) != 0) {
        error = ErrnoText("Failed to rename to", target, errno);
    }
    if (!error.empty()) unlink(m_strPartPath.c_str());
    return error;
}

void DownloadSink::Discard() {
    if (m_nFd < 0) return;
    close(m_nFd);
    m_nFd = -1;
    m_bReceiving = false;
    unlink(m_strPartPath.c_str());
}

}  // namespace vostra
