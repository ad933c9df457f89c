// Where the per-user folders live on Linux. The application-data folder of
// the Windows program is $XDG_DATA_HOME (default ~/.local/share); the desktop
// is the XDG desktop folder; the program menu is $XDG_DATA_HOME/applications.
#pragma once

#include <string>

namespace vostra {

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share. The
// folder (and missing parents) is created with mode 0700 when missing, since
// a fresh account may not have it yet. No trailing slash.
std::string GetAppDataFolder();

// The XDG desktop folder (XDG_DESKTOP_DIR from user-dirs.dirs, else
// $HOME/Desktop). Never created here.
std::string GetDesktopFolder();

// $XDG_DATA_HOME/applications; not created here.
std::string GetProgramsFolder();

// $XDG_CACHE_HOME when it is an absolute path, else $HOME/.cache; not
// created here.
std::string GetUserCacheFolder();

// $HOME, or the password database's home folder when HOME is unset.
std::string GetHomeFolder();

// Full path of the running executable (/proc/self/exe). A binary replaced
// while it runs reads "... (deleted)"; that suffix is removed.
std::string GetModuleFilePath();

}  // namespace vostra
