// What an update run depends on, gathered in one place so that tests can
// run it against a temporary home, the demo operator server and a fake
// process starter. RunUpdateCheck() uses DefaultUpdateContext().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/http_client.h"

namespace vostra {

// Connect time-out of the version query.
inline constexpr long kVersionConnectTimeoutMs = 5000;
// A transfer that receives nothing for this long is given up, so a service
// that accepts and then goes silent cannot freeze the launcher.
inline constexpr long kTransferStallTimeoutMs = 30000;

struct UpdateContext {
    std::string app_data_folder;  // no trailing slash
    std::string own_path;         // the running executable
    std::shared_ptr<HttpClient> http;
    long stall_timeout_ms = kTransferStallTimeoutMs;
    // Starts app_path with the given command line (the command-line rule of
    // the platform map); true when the program is running.
    std::function<bool(const std::string& app_path, const std::string& cmd_line)> start_process;
    // Ends the process with exit code 0 after a successful handoff.
    std::function<void()> end_process;
    // Asked while a request runs, also while no byte arrives; true ends the
    // run quietly: the transfer stops, this run's part file is deleted and
    // nothing is started. Empty: the run is never stopped.
    std::function<bool()> stop_requested;
    // The new client's download: bytes received so far and the announced
    // size (0 when none was announced). Called on the run's own thread,
    // after each piece is written. Empty: not reported.
    std::function<void(int64_t received, int64_t total)> progress;
};

// The real folders, the running executable, libcurl, StartOwnProcess and
// exit(0).
UpdateContext DefaultUpdateContext();

}  // namespace vostra
