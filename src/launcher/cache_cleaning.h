// CCacheCleaning: one run of the player's cache cleaning, behind the
// launcher's please-wait overlay. Start() asks the web engine to clear its
// caches (memory, disk, offline application cache; never cookies or the
// pages' own stored data) on the GUI thread, where the engine works; when
// that has finished, a worker thread empties the disk-cache folder
// (CleanFolder), and its end comes back to the GUI thread as `on_done`.
// The worker touches no widget. Trace lines go to standard error.
//
// A start while a cleaning runs does nothing. Destroying the object stops
// a running walk at its next entry and waits for the worker; `on_done` is
// then not called.
#pragma once

#include <glib.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "launcher/cache_clean_trace.h"

namespace vostra {

class CCacheCleaning {
public:
    // `folder`: the disk-cache folder; `on_done` runs on the GUI thread.
    CCacheCleaning(std::string folder, std::function<void()> on_done,
                   CacheTraceSink trace = WriteCacheTraceLine);
    ~CCacheCleaning();
    CCacheCleaning(const CCacheCleaning&) = delete;
    CCacheCleaning& operator=(const CCacheCleaning&) = delete;

    // False (and nothing done) while a cleaning runs.
    bool Start();
    bool Running() const { return m_bRunning; }

private:
    void OnEngineCleared(int listed);
    void CleanCacheWorker();
    static gboolean OnWorkerDone(gpointer self);

    std::string m_folder;
    std::function<void()> m_onDone;
    CacheTraceSink m_trace;
    bool m_bRunning = false;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    guint m_doneSource = 0;  // written by the worker before it ends
    // Tells the engine's callback whether this object still exists.
    std::shared_ptr<CCacheCleaning*> m_self;
};

}  // namespace vostra
