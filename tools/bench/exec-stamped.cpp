// exec-stamped STAMP_FILE COMMAND [ARGS...]
//
// Becomes the leader of a new session and process group, writes the
// CLOCK_MONOTONIC time in nanoseconds to STAMP_FILE, then replaces itself
// with COMMAND (searched in PATH). The process keeps its id through the
// exec, so the caller's $! is the command's; the timestamp is the
// command's start as wait-for-pixels counts it; and the whole process
// tree the command starts can be ended through its process group.
// Exit status 127 when COMMAND cannot be run.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: exec-stamped STAMP_FILE COMMAND [ARGS...]\n");
        return 2;
    }
    // A new group, so that ending the group ends its helpers as well.
    setsid();
    // Written under a temporary name and renamed, so a reader never sees
    // half a number.
    const std::string path = argv[1];
    const std::string temp = path + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fprintf(stderr, "exec-stamped: %s: %s\n", temp.c_str(), strerror(errno));
        return 127;
    }
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    char text[32];
    const int n = snprintf(text, sizeof text, "%lld\n",
                           static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
    const bool written = write(fd, text, static_cast<size_t>(n)) == n;
    close(fd);
    if (!written || rename(temp.c_str(), path.c_str()) != 0) {
        fprintf(stderr, "exec-stamped: cannot write %s\n", path.c_str());
        return 127;
    }
    execvp(argv[2], argv + 2);
    fprintf(stderr, "exec-stamped: %s: %s\n", argv[2], strerror(errno));
    return 127;
}
