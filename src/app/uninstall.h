// Uninstalling in two stages, since a running executable cannot remove
// itself:
//  stage 1 (the uninstall entry's line ends in "-u"): asks the player, copies
//    the executable to the cache folder and starts the copy with
//    "-u <own path>";
//  stage 2 (the copy): sends the desktop and menu entries and the res folder
//    to the trash, deletes the installed executable for good, and trashes
//    the program and brand menu folders when they are empty.
// Left alone: the install folder itself, the cache folder and the copy.
#pragma once

#include <functional>
#include <string>

namespace vostra {

// Where stage 2 looks; GetUninstallFolders() gives the real ones.
struct UninstallFolders {
    std::string desktop;   // XDG desktop folder
    std::string programs;  // $XDG_DATA_HOME/applications
};

UninstallFolders GetUninstallFolders();

// The items stage 2 removes, built from the folders and the string table.
struct UninstallPlan {
    std::string desktop_entry;    // desktop/Orbix网《Vostra》.desktop
    std::string uninstall_entry;  // programs/Orbix网/Vostra/卸载-Vostra.desktop
    std::string game_entry;       // programs/Orbix网/Vostra/Vostra.desktop
    std::string program_folder;   // programs/Orbix网/Vostra
    std::string brand_folder;     // programs/Orbix网
    std::string installed_exe;    // "" when the line names no usable file
    std::string res_folder;       // beside installed_exe; "" with it
};

// installed_path is what follows "-u " on the stage-2 line. Only an absolute
// path to a regular file is acted on, and only the res folder beside it:
// anything else leaves installed_exe and res_folder empty.
UninstallPlan MakeUninstallPlan(const UninstallFolders& folders, const std::string& installed_path);

// Runs stage 2 on a plan. Each step that fails is skipped silently.
void RunUninstallStage2(const UninstallPlan& plan);

// The question of stage 1: title and message.
inline constexpr char kUninstallTitle[] = "卸载";
std::string UninstallQuestion();

// Stage 1. confirm shows the question and returns true only when the player
// chose OK. Returns true when stage 2 was started.
bool RunUninstallStage1(const std::function<bool()>& confirm, const std::string& own_path);

}  // namespace vostra
