// Runs the self-update (version check, download, handoff) on a worker
// thread, so that the login window stays drawn and answers while a new
// client downloads. The worker touches no widget: its progress and its end
// reach the UI thread through the main loop, and a handoff ends the
// process from the UI thread once the worker has finished.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "update/update_context.h"

namespace vostra {

class CUpdateCheckRunner {
public:
    // Both called on the UI thread. `progress`: bytes received so far and
    // the announced size (0 when unknown). `done`: the check has returned
    // without a handoff.
    using ProgressFn = std::function<void(int64_t received, int64_t total)>;
    using DoneFn = std::function<void()>;

    // The run's dependencies; its end_process is called on the UI thread
    // after the worker has handed over and finished.
    explicit CUpdateCheckRunner(UpdateContext ctx);
    // Stops a running check and waits for it.
    ~CUpdateCheckRunner();
    CUpdateCheckRunner(const CUpdateCheckRunner&) = delete;
    CUpdateCheckRunner& operator=(const CUpdateCheckRunner&) = delete;

    // Starts the check once; later calls do nothing.
    void Start(ProgressFn progress, DoneFn done);
    // Whether the worker was started and the UI thread has not yet heard
    // of its end.
    bool Running() const;
    // Stops the transfer and waits for the worker. When it returns, this
    // run's part file is deleted and nothing was or will be handed over.
    void StopAndWait();

    struct State;

private:
    UpdateContext m_ctx;
    std::shared_ptr<State> m_state;
    std::thread m_worker;
};

}  // namespace vostra
