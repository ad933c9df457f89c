#include "platform/shell_ops.h"

#include <dirent.h>
#include <gio/gio.h>
#include <sys/stat.h>

#include <filesystem>

namespace vostra {

bool ShellDeletePath(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return false;
    GFile* file = g_file_new_for_path(path.c_str());
    const gboolean trashed = g_file_trash(file, nullptr, nullptr);
    g_object_unref(file);
    if (trashed) return true;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    return !ec;
}

void NotifyShellRemoved(const std::string&) {}

bool IsDirectoryEmpty(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return true;
    bool empty = true;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") {
            empty = false;
            break;
        }
    }
    closedir(dir);
    return empty;
}

}  // namespace vostra
