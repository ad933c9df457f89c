#include "launcher/cache_cleaning.h"

#include "launcher/cache_folder_cleaner.h"
#include "platform/web_engine.h"

namespace vostra {

CCacheCleaning::CCacheCleaning(std::string folder, std::function<void()> on_done,
                               CacheTraceSink trace)
    : m_folder(std::move(folder)),
      m_onDone(std::move(on_done)),
      m_trace(std::move(trace)),
      m_self(std::make_shared<CCacheCleaning*>(this)) {}

CCacheCleaning::~CCacheCleaning() {
    *m_self = nullptr;
    m_stop = true;
    if (m_worker.joinable()) m_worker.join();
    if (m_doneSource != 0) g_source_remove(m_doneSource);
}

bool CCacheCleaning::Start() {
    if (m_bRunning) return false;
    m_bRunning = true;
    // The listing and the clear are one fetch and one clear of the same
    // kinds: the first lookup never finds a separate size.
    m_trace(TraceFirstLookup());
    std::weak_ptr<CCacheCleaning*> self = m_self;
    ClearWebEngineCaches([self](int listed) {
        if (auto alive = self.lock(); alive && *alive != nullptr) (*alive)->OnEngineCleared(listed);
    });
    return true;
}

void CCacheCleaning::OnEngineCleared(int listed) {
    m_trace(TraceSecondLookup(listed));
    // The last run's worker was joined when its end came back.
    m_worker = std::thread([this] { CleanCacheWorker(); });
}

void CCacheCleaning::CleanCacheWorker() {
    if (!m_folder.empty()) {
        m_trace(TraceTempFolder(m_folder));
        CleanFolder(m_folder, m_trace, &m_stop);
    }
    if (!m_stop) m_doneSource = g_idle_add(&CCacheCleaning::OnWorkerDone, this);
}

gboolean CCacheCleaning::OnWorkerDone(gpointer data) {
    auto* self = static_cast<CCacheCleaning*>(data);
    // The worker ends right after adding this source: join it first, so
    // its write of the source id is over before the id is cleared.
    if (self->m_worker.joinable()) self->m_worker.join();
    self->m_doneSource = 0;
    self->m_bRunning = false;
    if (self->m_onDone) self->m_onDone();
    return G_SOURCE_REMOVE;
}

}  // namespace vostra
