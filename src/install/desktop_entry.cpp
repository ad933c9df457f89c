#include "install/desktop_entry.h"

#include <sys/stat.h>

#include "platform/file_replace.h"

namespace vostra {
namespace {

// Escapes a value by the desktop-entry string rules.
std::string EscapeString(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string DesktopExecValue(const std::string& target, const std::string& arguments) {
    std::string quoted = "\"";
    for (char c : target) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
        // A literal percent sign would read as a field code.
        if (c == '%') quoted += '%';
    }
    quoted += '"';
    if (!arguments.empty()) quoted += " " + arguments;
    return EscapeString(quoted);
}

std::string FormatDesktopEntry(const std::string& name, const std::string& target,
                               const std::string& arguments, const std::string& icon) {
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + EscapeString(name) + "\n";
    text += "Exec=" + DesktopExecValue(target, arguments) + "\n";
    if (!icon.empty()) text += "Icon=" + EscapeString(icon) + "\n";
    text += "Terminal=false\n";
    return text;
}

bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& folder, const std::string& linkName,
                    bool useUninstallIcon) {
    const std::string suffix = ".desktop";
    std::string name = linkName;
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        name.resize(name.size() - suffix.size());
    }
    const std::string res = FolderOf(target) + "/res/";
    std::string icon;
    if (useUninstallIcon) {
        icon = res + kUninstallIconFile;
    } else if (FileExists(res + kLauncherIconFile)) {
        icon = res + kLauncherIconFile;
    }
    const std::string path = folder + "/" + linkName;
    const std::string text = FormatDesktopEntry(name, target, arguments, icon);
    if (WriteFileAtomically(path, text, 0755) != 0) return false;
    // Desktops start only entries marked executable; a replaced file kept
    // its old mode.
    chmod(path.c_str(), 0755);
    MarkDesktopEntryTrusted(path);
    return true;
}

}  // namespace vostra
