// File operations of the desktop shell: sending items to the trash and
// telling the desktop that something is gone.
#pragma once

#include <string>

namespace vostra {

// Moves one file or one folder with everything in it to the freedesktop
// trash, silently. Where the trash cannot be used (a file system without a
// usable trash folder, such as tmpfs), the item is deleted for good instead,
// as Windows does on a drive without a Recycle Bin. True when the item is
// gone.
bool ShellDeletePath(const std::string& path);

// Tells the desktop that path and its folder changed. Desktops watch their
// desktop and menu folders themselves (inotify), so nothing needs to be
// sent; the call stays so the uninstall reads as it acts.
void NotifyShellRemoved(const std::string& path);

// True when the folder holds nothing, or cannot be listed (a missing folder
// counts as empty).
bool IsDirectoryEmpty(const std::string& folder);

}  // namespace vostra
