#include "app/update_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/app_paths.h"
#include "platform/text_utf.h"

namespace vostra {

std::string FormatUpdateLogLine(const std::tm* t, const std::string& message) {
    char stamp[96];
    if (t != nullptr) {
        snprintf(stamp, sizeof stamp, "%2d-%2d-%2d %2d:%2d:%2d : ", t->tm_year + 1900,
                 t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
    } else {
        snprintf(stamp, sizeof stamp, "%2d-%2d-%2d %2d:%2d:%2d : ", 0, 0, 0, -1, -1, -1);
    }
    return std::string(stamp) + "\tUpdateModule\t" + message;
}

int AppendUpdateLogLine(const std::string& path, const std::string& message) {
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    const std::tm* t = localtime_r(&now, &local);
    const std::u16string text = Utf8ToUtf16(FormatUpdateLogLine(t, message) + "\r\n");

    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }

    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    ssize_t n;
    do {
        n = write(fd, bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    close(fd);
    return n == static_cast<ssize_t>(bytes.size()) ? 0 : -1;
}

int WriteUpdateLog(const std::string& message) {
    return AppendUpdateLogLine(GetUpdateLogPath(), message);
}

}  // namespace vostra
