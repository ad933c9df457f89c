#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vostra {
namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A temporary file beside target, named after it so a leftover is easy to
// recognise. Returns the descriptor or -1 with errno set.
int MakeTempBeside(const std::string& target, std::string& temp_path) {
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    temp_path = FolderOf(target) + "/." + base + ".XXXXXX";
    std::vector<char> name(temp_path.begin(), temp_path.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd >= 0) temp_path.assign(name.data());
    return fd;
}

// Finishes a temporary file: mode, flush to disk, rename over target.
int CommitTemp(int fd, const std::string& temp_path, const std::string& target, unsigned mode) {
    int err = 0;
    if (fchmod(fd, mode) != 0 || fsync(fd) != 0) err = errno;
    if (close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && rename(temp_path.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) unlink(temp_path.c_str());
    return err;
}

}  // namespace

bool WriteAll(int fd, const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

int ReplaceFileWithCopy(const std::string& source, const std::string& target, unsigned mode) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    std::string temp_path;
    const int out = MakeTempBeside(target, temp_path);
    if (out < 0) {
        const int err = errno;
        close(in);
        return err;
    }
    std::vector<char> buf(1 << 20);
    int err = 0;
    for (;;) {
        const ssize_t n = read(in, buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        if (n == 0) break;
        if (!WriteAll(out, buf.data(), static_cast<size_t>(n))) {
            err = errno;
            break;
        }
    }
    close(in);
    if (err != 0) {
        close(out);
        unlink(temp_path.c_str());
        return err;
    }
    return CommitTemp(out, temp_path, target, mode);
}

int WriteFileAtomically(const std::string& path, std::string_view data, unsigned new_mode) {
    unsigned mode = new_mode;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    std::string temp_path;
    const int fd = MakeTempBeside(path, temp_path);
    if (fd < 0) return errno;
    if (!WriteAll(fd, data.data(), data.size())) {
        const int err = errno;
        close(fd);
        unlink(temp_path.c_str());
        return err;
    }
    return CommitTemp(fd, temp_path, path, mode);
}

}  // namespace vostra
