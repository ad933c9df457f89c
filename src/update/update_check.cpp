#include "update/update_check.h"

#include <exception>

#include "app/file_version.h"
#include "app/resource_strings.h"
#include "update/client_updater.h"
#include "update/update_run_log.h"
#include "update/version_reply.h"

namespace vostra {
namespace {

void RunSteps(const UpdateContext& ctx) {
    LimitUpdateLogSize(UpdateRunLogPath(ctx.app_data_folder));

    const std::string temp_name = LoadResString(IDS_DOWNLOAD_NAME);
    const std::string sub_folder =
        LoadResString(IDS_UPDATE_SUBFOLDER) + LoadResString(IDS_GAME_CODE) + "/";
    CClientUpdater updater(ctx, temp_name, sub_folder);

    const std::string base_url = LoadResString(IDS_VERSION_SERVICE);
    const std::string path_and_query = LoadResString(IDS_VERSION_QUERY);
    const std::string version = GetFileVersionString(ctx.own_path);
    updater.log().Write(ComposeVersionQueryUrl(base_url, path_and_query, version));

    if (updater.CheckVersion(base_url, path_and_query, version)) {
        updater.DownloadAndRun(updater.reply());
    }
}

}  // namespace

void RunUpdateCheck() { RunUpdateCheck(DefaultUpdateContext()); }

void RunUpdateCheck(const UpdateContext& ctx) {
    // Nothing may escape into the web form's event handler: a failure ends
    // the run with the exception lines, and the launcher goes on.
    try {
        RunSteps(ctx);
    } catch (const std::exception& e) {
        UpdateRunLog(UpdateRunLogPath(ctx.app_data_folder)).WriteException(e.what());
    }
}

}  // namespace vostra
