// The file-system side of extraction: directory chains and target files
// that appear under their own name only once they are complete.
#pragma once

#include <cstdint>
#include <string>

namespace vostra::zip {

// Creates base (with missing parents) when it does not exist, then each
// level of relative below it. Existing directories are left alone. True
// when base + relative is a directory afterwards.
bool MakeDirectoryChain(const std::string& base, const std::string& relative);

// Writes one extracted file to a temporary name in the target's folder and
// renames it over the target on Commit, so a failed extraction never leaves
// a partial file under the entry's name. The destructor removes an
// uncommitted temporary file.
class PendingFile {
public:
    explicit PendingFile(std::string target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const uint8_t* data, size_t size);

    // Gives the file its mode (read-only drops the write bits) and its
    // last-access and last-write times (FILETIME values; Linux keeps no
    // settable creation time), then renames it over the target.
    bool Commit(bool read_only, uint64_t last_access, uint64_t last_write);

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
};

}  // namespace vostra::zip
