// Replacing a file that may be a running executable: the new bytes go to a
// temporary file in the target's own folder, which is then renamed over the
// target. A running program keeps its old inode, so this works where an
// in-place overwrite fails with ETXTBSY.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// Writes all of data to fd, going on after short writes and interrupts.
// False (errno set) on a write error.
bool WriteAll(int fd, const void* data, size_t size);

// Copies source over target atomically, leaving target with mode `mode`.
// Returns 0 on success, otherwise an errno value; on failure the target is
// unchanged and no temporary file is left behind.
int ReplaceFileWithCopy(const std::string& source, const std::string& target,
                        unsigned mode = 0755);

// Writes data as the whole new content of path, atomically. The file keeps
// its current mode, or gets `new_mode` when it does not exist yet. Returns 0
// or an errno value; the folder is never created.
int WriteFileAtomically(const std::string& path, std::string_view data,
                        unsigned new_mode = 0644);

}  // namespace vostra
