#include "launcher/cache_folder_cleaner.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vostra {
namespace {

bool Stopped(const std::atomic<bool>* stop) { return stop != nullptr && stop->load(); }

// Cleans the folder open on `fd` (taken over and closed), known as `path`.
bool CleanOpenFolder(int fd, const std::string& path, const CacheTraceSink& trace,
                     const std::atomic<bool>* stop) {
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return false;
    }
    const int at = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        if (Stopped(stop)) break;
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (strcasecmp(name.c_str(), "desktop.ini") == 0) continue;
        const std::string full = path + "/" + name;
        struct stat st;
        if (fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            trace(TraceDeleteFailed(name, errno));
            continue;
        }
        // A link's own mode cannot be changed and does not matter.
        if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
            fchmodat(at, name.c_str(), (st.st_mode & 07777) | S_IWUSR, 0);
        }
        if (S_ISDIR(st.st_mode)) {
            trace(TraceFolderStart(full));
            const int sub = openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub >= 0) CleanOpenFolder(sub, full, trace, stop);
            unlinkat(at, name.c_str(), AT_REMOVEDIR);  // fails while something stays
        } else if (unlinkat(at, name.c_str(), 0) != 0) {
            trace(TraceDeleteFailed(name, errno));
        } else {
            trace(TraceDeleted(full));
        }
    }
    closedir(dir);
    return true;
}

}  // namespace

bool CleanFolder(const std::string& folder, const CacheTraceSink& trace,
                 const std::atomic<bool>* stop) {
    trace(TraceFolderStart(folder));
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    return CleanOpenFolder(fd, folder, trace, stop);
}

}  // namespace vostra
