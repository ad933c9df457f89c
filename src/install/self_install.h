// The per-user self-install, run at every start of the normal launcher:
// the install folder $XDG_DATA_HOME/orbix/vstr with a copy of the executable
// at least as new as the running one, the first-run files, a desktop entry
// on the desktop and two in the program menu.
#pragma once

#include <string>
#include <string_view>

namespace vostra {

// Everything the install reads from the system, so tests can point it at a
// temporary home.
struct InstallEnvironment {
    std::string app_data_folder;     // $XDG_DATA_HOME
    std::string running_executable;  // full path of the running program
    std::string desktop_folder;      // "" when unknown: no desktop entry
    std::string programs_folder;     // "" when unknown: no menu entries
    std::string_view first_run_archive;  // the embedded "ZIP" 269
    std::string_view launcher_icon;      // PNG of the launcher's icon, may be empty
};

// The environment of this process: its folders, /proc/self/exe and the
// resources compiled into the executable.
InstallEnvironment CurrentInstallEnvironment();

// Installs for the current user. Nothing is reported or shown: a step that
// fails is passed over and tried again at the next start.
void EnsureInstalled();
void EnsureInstalledIn(const InstallEnvironment& env);

// The install folder for an application-data folder (no trailing slash).
std::string InstallFolderFor(const std::string& app_data_folder);

// A version text read as one integer: every "." removed, the rest read as a
// decimal number ("1.0.0.2" -> 1002; "", "None VerSion Supprot" -> 0).
int VersionNumber(const std::string& version);

}  // namespace vostra
