#include "update/update_context.h"

#include <cstdio>
#include <cstdlib>

#include "platform/process_spawn.h"
#include "platform/known_folders.h"

namespace vostra {

UpdateContext DefaultUpdateContext() {
    UpdateContext ctx;
    ctx.app_data_folder = GetAppDataFolder();
    ctx.own_path = GetModuleFilePath();
    ctx.http = CreateHttpClient();
    ctx.start_process = [](const std::string& app_path, const std::string& cmd_line) {
        return StartOwnProcess(app_path, &cmd_line);
    };
    ctx.end_process = [] {
        fflush(nullptr);
        std::exit(0);
    };
    return ctx;
}

}  // namespace vostra
