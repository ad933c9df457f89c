// The line the login popup shows while a new client downloads.
#pragma once

#include <cstdint>
#include <string>

namespace vostra {

// "正在下载新版本 42%  (1.2 MB / 2.9 MB)" where the size is known, else
// "正在下载新版本  1.2 MB". Sizes in MiB with one decimal.
std::string DownloadProgressText(int64_t received, int64_t total);

}  // namespace vostra
