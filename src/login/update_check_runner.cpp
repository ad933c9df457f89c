#include "login/update_check_runner.h"

#include <glib.h>

#include <atomic>
#include <mutex>

#include "update/update_check.h"

namespace vostra {

// Shared by the UI thread and the worker; what the worker writes is either
// atomic or under the mutex. `alive` and the callbacks belong to the UI
// thread alone.
struct CUpdateCheckRunner::State {
    std::atomic<bool> stop{false};
    std::atomic<bool> handed_over{false};
    std::mutex mutex;
    int64_t received = 0;
    int64_t total = 0;
    bool progress_queued = false;

    bool alive = true;
    bool started = false;
    bool finished = false;
    ProgressFn on_progress;
    DoneFn on_done;
    std::function<void()> on_handoff;
    std::function<void()> join;
};

namespace {

using State = CUpdateCheckRunner::State;

// A call into the UI thread that keeps the state alive until it has run.
struct Posted {
    std::shared_ptr<State> state;
};

gboolean DeliverProgress(gpointer data) {
    std::unique_ptr<Posted> posted(static_cast<Posted*>(data));
    State& s = *posted->state;
    int64_t received = 0, total = 0;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.progress_queued = false;
        received = s.received;
        total = s.total;
    }
    if (s.alive && !s.finished && s.on_progress) s.on_progress(received, total);
    return G_SOURCE_REMOVE;
}

gboolean DeliverEnd(gpointer data) {
    std::unique_ptr<Posted> posted(static_cast<Posted*>(data));
    State& s = *posted->state;
    if (!s.alive || s.finished) return G_SOURCE_REMOVE;
    s.finished = true;
    if (s.join) s.join();
    if (s.handed_over && !s.stop) {
        if (s.on_handoff) s.on_handoff();
        return G_SOURCE_REMOVE;
    }
    if (s.on_done) s.on_done();
    return G_SOURCE_REMOVE;
}

// Only the latest figures matter: one delivery at a time is queued.
void QueueProgress(const std::shared_ptr<State>& state, int64_t received, int64_t total) {
    bool queue = false;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->received = received;
        state->total = total;
        queue = !state->progress_queued;
        state->progress_queued = true;
    }
    if (queue) g_idle_add(DeliverProgress, new Posted{state});
}

}  // namespace

CUpdateCheckRunner::CUpdateCheckRunner(UpdateContext ctx)
    : m_ctx(std::move(ctx)), m_state(std::make_shared<State>()) {}

CUpdateCheckRunner::~CUpdateCheckRunner() {
    StopAndWait();
    m_state->alive = false;
}

void CUpdateCheckRunner::Start(ProgressFn progress, DoneFn done) {
    State& s = *m_state;
    if (s.started) return;
    s.started = true;
    s.on_progress = std::move(progress);
    s.on_done = std::move(done);
    s.on_handoff = m_ctx.end_process;
    s.join = [this] {
        if (m_worker.joinable()) m_worker.join();
    };

    UpdateContext ctx = m_ctx;
    std::shared_ptr<State> state = m_state;
    ctx.stop_requested = [state] { return state->stop.load(); };
    ctx.progress = [state](int64_t received, int64_t total) {
        QueueProgress(state, received, total);
    };
    // The handoff's client is running; the process ends on the UI thread.
    ctx.end_process = [state] { state->handed_over = true; };
    m_worker = std::thread([ctx = std::move(ctx), state] {
        RunUpdateCheck(ctx);
        g_idle_add(DeliverEnd, new Posted{state});
    });
}

bool CUpdateCheckRunner::Running() const { return m_state->started && !m_state->finished; }

void CUpdateCheckRunner::StopAndWait() {
    m_state->stop = true;
    if (m_worker.joinable()) m_worker.join();
    if (m_state->started) m_state->finished = true;
}

}  // namespace vostra
