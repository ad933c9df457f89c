#include "platform/known_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace vostra {
namespace {

// Creates path and its missing parents with mode 0700.
void MakeFoldersPrivate(const std::string& path) {
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos == path.size() || path[pos] == '/') {
            const std::string part = path.substr(0, pos);
            if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return;
        }
    }
}

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// XDG_DESKTOP_DIR from $XDG_CONFIG_HOME/user-dirs.dirs, "" when absent.
// The file holds shell assignments such as XDG_DESKTOP_DIR="$HOME/Desktop".
std::string DesktopFromUserDirs(const std::string& home) {
    const char* config = getenv("XDG_CONFIG_HOME");
    const std::string config_dir =
        (config && config[0] == '/') ? std::string(config) : home + "/.config";
    std::ifstream in(config_dir + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DESKTOP_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') return "";
        value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) return home + value.substr(5);
        if (!value.empty() && value[0] == '/') return value;
        return "";
    }
    return "";
}

std::string DataHome() {
    const char* xdg = getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return StripTrailingSlashes(xdg);
    return GetHomeFolder() + "/.local/share";
}

}  // namespace

std::string GetHomeFolder() {
    const char* home = getenv("HOME");
    if (home && home[0] != '\0') return StripTrailingSlashes(home);
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string GetAppDataFolder() {
    const std::string dir = DataHome();
    struct stat st {};
    if (stat(dir.c_str(), &st) != 0) MakeFoldersPrivate(dir);
    return dir;
}

std::string GetDesktopFolder() {
    const std::string home = GetHomeFolder();
    const std::string dir = DesktopFromUserDirs(home);
    return dir.empty() ? home + "/Desktop" : StripTrailingSlashes(dir);
}

std::string GetProgramsFolder() { return DataHome() + "/applications"; }

std::string GetUserCacheFolder() {
    const char* xdg = getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/') return StripTrailingSlashes(xdg);
    return GetHomeFolder() + "/.cache";
}

std::string GetModuleFilePath() {
    std::string buf(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0) return "";
    buf.resize(static_cast<size_t>(n));
    const std::string deleted = " (deleted)";
    if (buf.size() > deleted.size() &&
        buf.compare(buf.size() - deleted.size(), deleted.size(), deleted) == 0) {
        buf.resize(buf.size() - deleted.size());
    }
    return buf;
}

}  // namespace vostra
