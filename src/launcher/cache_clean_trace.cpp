#include "launcher/cache_clean_trace.h"

#include <unistd.h>

namespace vostra {

void WriteCacheTraceLine(const std::string& line) {
    const std::string whole = line + "\r\n";
    size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = write(STDERR_FILENO, whole.data() + done, whole.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

std::string TraceFirstLookup() { return "*******第一次查找缓存:未找到缓存。************"; }

std::string TraceSecondLookup(int entries) {
    if (entries <= 0) return "*******第二次查找缓存:未找到缓存。************";
    return "*******第二次查找缓存:缓存大小为:" + std::to_string(entries) + "。************";
}

std::string TraceTempFolder(const std::string& folder) { return "临时文件夹路径为:" + folder; }

std::string TraceFolderStart(const std::string& folder) { return "开始清理" + folder + "文件夹"; }

std::string TraceDeleteFailed(const std::string& name, int error) {
    return "***********删除文件:" + name + "失败，错误代码:" + std::to_string(error) +
           "******************";
}

std::string TraceDeleted(const std::string& path) { return "已删除文件:" + path; }

}  // namespace vostra
