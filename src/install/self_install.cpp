#include "install/self_install.h"

#include <sys/stat.h>

#include <cstdio>

#include "app/file_version.h"
#include "app/resource_strings.h"
#include "install/desktop_entry.h"
#include "install/first_run.h"
#include "platform/file_replace.h"
#include "platform/resources.h"
#include "platform/known_folders.h"

namespace vostra {
namespace {

// Id of the launcher's own icon; the bundle holds a PNG copy of it.
constexpr char kLauncherIconResource[] = "/res/icon/273.png";

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// True when something (even a dangling link) goes by that name.
bool NameTaken(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

void MakeFolder(const std::string& path) {
    if (!IsDirectory(path)) mkdir(path.c_str(), 0755);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The start entries show the launcher's icon: on Linux that needs a file,
// so the icon picture is kept in res beside the settings (where the
// uninstall removes it with the rest). Rewritten only when it differs.
void WriteLauncherIcon(const std::string& install_folder, std::string_view png) {
    if (png.empty()) return;
    const std::string res = install_folder + "/res";
    MakeFolder(res);
    const std::string path = res + "/" + kLauncherIconFile;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && static_cast<size_t>(st.st_size) == png.size()) {
        std::string current(png.size(), '\0');
        if (FILE* f = fopen(path.c_str(), "rb")) {
            const size_t n = fread(current.data(), 1, current.size(), f);
            fclose(f);
            if (n == png.size() && current == png) return;
        }
    }
    WriteFileAtomically(path, png, 0644);
}

void CreateDesktopShortcut(const InstallEnvironment& env, const std::string& installed) {
    // The desktop folder is the user's: never created, only used when there.
    if (env.desktop_folder.empty() || !IsDirectory(env.desktop_folder)) return;
    const std::string link = LoadResString(IDS_DESKTOP_BRAND) + "《" +
                             LoadResString(IDS_GAME_NAME) + "》.desktop";
    if (NameTaken(env.desktop_folder + "/" + link)) return;
    CreateShortcut(installed, "1", env.desktop_folder, link, false);
}

// Menus and desktops watch these folders themselves (inotify), so unlike
// the Windows shell nothing has to be told about the new entries.
void CreateMenuShortcuts(const InstallEnvironment& env, const std::string& installed) {
    if (env.programs_folder.empty()) return;
    // $XDG_DATA_HOME/applications may be missing on a fresh account.
    MakeFolder(env.programs_folder);
    const std::string brand = env.programs_folder + "/" + LoadResString(IDS_BRAND_NAME);
    MakeFolder(brand);
    const std::string folder = brand + "/" + LoadResString(IDS_GAME_NAME);
    MakeFolder(folder);
    if (!IsDirectory(folder)) return;
    CreateShortcut(installed, "1", folder, LoadResString(IDS_GAME_NAME) + ".desktop", false);
    CreateShortcut(installed, "-u", folder, LoadResString(IDS_UNINSTALL_LINK) + ".desktop",
                   true);
}

// Copies the running executable over the installed one when that is
// missing, unversioned or older.
void RefreshInstalledCopy(const std::string& running, const std::string& installed) {
    const int installed_version = VersionNumber(GetFileVersionString(installed));
    const int running_version = VersionNumber(GetFileVersionString(running));
    if (installed_version != 0 && installed_version >= running_version) return;
    // Running the installed file itself: a copy onto itself changes nothing.
    if (SameFile(running, installed)) return;
    ReplaceFileWithCopy(running, installed, 0755);
}

}  // namespace

std::string InstallFolderFor(const std::string& app_data_folder) {
    return app_data_folder + "/" + LoadResString(IDS_OPERATOR_FOLDER) + "/" +
           LoadResString(IDS_GAME_CODE);
}

int VersionNumber(const std::string& version) {
    std::string digits;
    for (char c : version) {
        if (c != '.') digits += c;
    }
    return SettingToInt(digits);
}

InstallEnvironment CurrentInstallEnvironment() {
    InstallEnvironment env;
    env.app_data_folder = GetAppDataFolder();
    env.running_executable = GetModuleFilePath();
    env.desktop_folder = GetDesktopFolder();
    env.programs_folder = GetProgramsFolder();
    env.first_run_archive =
        LoadResourceBytes("ZIP", kFirstRunArchiveId).value_or(std::string_view());
    env.launcher_icon = LoadResourceByPath(kLauncherIconResource).value_or(std::string_view());
    return env;
}

void EnsureInstalled() { EnsureInstalledIn(CurrentInstallEnvironment()); }

void EnsureInstalledIn(const InstallEnvironment& env) {
    const std::string operator_folder =
        env.app_data_folder + "/" + LoadResString(IDS_OPERATOR_FOLDER);
    MakeFolder(operator_folder);
    const std::string install_folder = InstallFolderFor(env.app_data_folder);
    MakeFolder(install_folder);
    UnpackFirstRunArchive(install_folder, env.first_run_archive);
    if (env.running_executable.empty()) return;
    const std::string installed = install_folder + "/" + FileNameOf(env.running_executable);
    WriteLauncherIcon(install_folder, env.launcher_icon);
    CreateDesktopShortcut(env, installed);
    CreateMenuShortcuts(env, installed);
    RefreshInstalledCopy(env.running_executable, installed);
}

}  // namespace vostra
