#include "install/zip_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <vector>

#include "install/zip_entry_fields.h"
#include "platform/file_replace.h"

namespace vostra::zip {
namespace {

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir that counts an existing directory as success.
bool MakeOne(const std::string& path) {
    return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && IsDirectory(path));
}

bool MakeWithParents(const std::string& path) {
    if (path.empty() || IsDirectory(path)) return true;
    const size_t slash = path.find_last_of('/', path.size() - 2);
    if (slash != std::string::npos && slash > 0 && !MakeWithParents(path.substr(0, slash))) {
        return false;
    }
    return MakeOne(path);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

timespec FileTimeToTimespec(uint64_t filetime) {
    // Both epochs as signed counts, so a time before 1970 stays right.
    const int64_t since_unix =
        static_cast<int64_t>(filetime / 10) - static_cast<int64_t>(kFileTimeUnixEpoch / 10);
    int64_t sec = since_unix / 1000000;
    int64_t usec = since_unix % 1000000;
    if (usec < 0) {
        usec += 1000000;
        --sec;
    }
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(sec);
    ts.tv_nsec = static_cast<long>(usec * 1000 + (filetime % 10) * 100);
    return ts;
}

}  // namespace

bool MakeDirectoryChain(const std::string& base, const std::string& relative) {
    if (!base.empty() && !MakeWithParents(base)) return false;
    if (relative.empty()) return base.empty() || IsDirectory(base);
    const size_t last = relative.find_last_of('/');
    if (last != std::string::npos && last > 0 &&
        !MakeDirectoryChain(base, relative.substr(0, last))) {
        return false;
    }
    return MakeOne(base + relative);
}

PendingFile::PendingFile(std::string target) : target_(std::move(target)) {
    temp_ = FolderOf(target_) + "/.zip-extract-XXXXXX";
    std::vector<char> name(temp_.begin(), temp_.end());
    name.push_back('\0');
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) temp_.assign(name.data());
}

PendingFile::~PendingFile() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(temp_.c_str());
    }
}

bool PendingFile::Write(const uint8_t* data, size_t size) { return WriteAll(fd_, data, size); }

bool PendingFile::Commit(bool read_only, uint64_t last_access, uint64_t last_write) {
    const timespec times[2] = {FileTimeToTimespec(last_access), FileTimeToTimespec(last_write)};
    bool ok = fchmod(fd_, read_only ? 0444 : 0644) == 0;
    ok = futimens(fd_, times) == 0 && ok;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok && rename(temp_.c_str(), target_.c_str()) == 0) return true;
    unlink(temp_.c_str());
    return false;
}

}  // namespace vostra::zip
