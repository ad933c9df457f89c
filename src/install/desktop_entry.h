// Shortcuts as freedesktop desktop entries: the ".desktop" file stands where
// the Windows program saved a shell link, under the same name.
#pragma once

#include <string>

namespace vostra {

// File in the installed res folder that the shortcuts show as the
// launcher's own icon (the launcher's icon picture, written by the install).
inline constexpr char kLauncherIconFile[] = "vostra.png";
inline constexpr char kUninstallIconFile[] = "uninstall.ico";

// Text of a desktop entry starting target with one argument. Name is the
// link's file name without ".desktop"; Exec holds the quoted, escaped
// target; Icon is given only when icon is not empty.
std::string FormatDesktopEntry(const std::string& name, const std::string& target,
                               const std::string& arguments, const std::string& icon);

// The Exec value for target and its arguments: the target double-quoted
// with '"', '`', '$' and '\' escaped, "%" doubled, then escaped as a
// desktop-entry string.
std::string DesktopExecValue(const std::string& target, const std::string& arguments);

// Writes folder/linkName, replacing any file of that name, marked
// executable (and trusted where the desktop keeps that flag). The icon is
// res/uninstall.ico beside the target when useUninstallIcon, else the
// launcher's icon in the same folder when it is there. True when saved.
bool CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& folder, const std::string& linkName,
                    bool useUninstallIcon);

// Best effort: sets GIO's "metadata::trusted" on a desktop entry so that
// GNOME's desktop starts it without asking.
void MarkDesktopEntryTrusted(const std::string& path);

}  // namespace vostra
