#include "login/download_progress_text.h"

#include <cstdio>

namespace vostra {
namespace {

std::string Megabytes(int64_t bytes) {
    char text[32];
    snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

std::string DownloadProgressText(int64_t received, int64_t total) {
    std::string text = "正在下载新版本";
    if (total > 0) {
        const int64_t percent = received >= total ? 100 : (received < 0 ? 0 : received * 100 / total);
        text += " " + std::to_string(percent) + "%  (" + Megabytes(received) + " / " +
                Megabytes(total) + ")";
    } else {
        text += "  " + Megabytes(received);
    }
    return text;
}

}  // namespace vostra
