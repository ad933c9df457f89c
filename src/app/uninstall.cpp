#include "app/uninstall.h"

#include <sys/stat.h>
#include <unistd.h>

#include "app/app_paths.h"
#include "app/resource_strings.h"
#include "platform/file_replace.h"
#include "platform/process_spawn.h"
#include "platform/shell_ops.h"
#include "platform/known_folders.h"

namespace vostra {
namespace {

// Trash one item; on success tell the desktop.
void Remove(const std::string& path) {
    if (!path.empty() && ShellDeletePath(path)) NotifyShellRemoved(path);
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

UninstallFolders GetUninstallFolders() { return {GetDesktopFolder(), GetProgramsFolder()}; }

std::string UninstallQuestion() {
    return "您是否确认卸载《" + LoadResString(IDS_GAME_NAME) + "》？";
}

UninstallPlan MakeUninstallPlan(const UninstallFolders& folders, const std::string& installed_path) {
    const std::string game = LoadResString(IDS_GAME_NAME);
    const std::string brand = LoadResString(IDS_BRAND_NAME);
    UninstallPlan plan;
    plan.desktop_entry =
        folders.desktop + "/" + LoadResString(IDS_DESKTOP_BRAND) + "《" + game + "》.desktop";
    plan.brand_folder = folders.programs + "/" + brand;
    plan.program_folder = plan.brand_folder + "/" + game;
    plan.uninstall_entry = plan.program_folder + "/" + LoadResString(IDS_UNINSTALL_LINK) + ".desktop";
    plan.game_entry = plan.program_folder + "/" + game + ".desktop";

    const size_t slash = installed_path.rfind('/');
    if (!installed_path.empty() && installed_path[0] == '/' && slash != std::string::npos &&
        IsRegularFile(installed_path)) {
        plan.installed_exe = installed_path;
        plan.res_folder = installed_path.substr(0, slash) + "/res";
    }
    return plan;
}

void RunUninstallStage2(const UninstallPlan& plan) {
    Remove(plan.desktop_entry);
    Remove(plan.uninstall_entry);
    Remove(plan.game_entry);
    if (!plan.installed_exe.empty() && IsRegularFile(plan.installed_exe)) {
        unlink(plan.installed_exe.c_str());
    }
    Remove(plan.res_folder);
    if (IsDirectoryEmpty(plan.program_folder)) Remove(plan.program_folder);
    if (IsDirectoryEmpty(plan.brand_folder)) Remove(plan.brand_folder);
}

bool RunUninstallStage1(const std::function<bool()>& confirm, const std::string& own_path) {
    if (!confirm || !confirm()) return false;
    const std::string cache = GetCacheDir();
    mkdir(cache.c_str(), 0700);
    const std::string copy = GetAppDataFolder() + LoadResString(IDS_UNINSTALL_COPY);
    // The copy must be executable to run stage 2.
    if (ReplaceFileWithCopy(own_path, copy, 0755) != 0) return false;
    const std::string line = "-u " + own_path;
    return StartOwnProcess(copy, &line);
}

}  // namespace vostra
