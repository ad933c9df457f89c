// Signal handlers a window connected, disconnected together before the
// window goes away, so that no handler runs on a half-destroyed object.
#pragma once

#include <glib-object.h>

#include <utility>
#include <vector>

namespace vostra::ui {

class CSignalGroup {
public:
    CSignalGroup() = default;
    CSignalGroup(const CSignalGroup&) = delete;
    CSignalGroup& operator=(const CSignalGroup&) = delete;
    ~CSignalGroup() { DisconnectAll(); }

    void Connect(gpointer instance, const char* signal, GCallback handler, gpointer data) {
        const gulong id = g_signal_connect(instance, signal, handler, data);
        m_handlers.emplace_back(G_OBJECT(instance), id);
        g_object_ref(instance);
    }

    void DisconnectAll() {
        for (auto& [object, id] : m_handlers) {
            if (g_signal_handler_is_connected(object, id)) g_signal_handler_disconnect(object, id);
            g_object_unref(object);
        }
        m_handlers.clear();
    }

private:
    std::vector<std::pair<GObject*, gulong>> m_handlers;
};

// A GLib timeout owned by an object: removed when replaced or destroyed.
class CTimer {
public:
    CTimer() = default;
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;
    ~CTimer() { Stop(); }

    // `handler` returns G_SOURCE_CONTINUE to run again; a one-shot handler
    // returns G_SOURCE_REMOVE and the timer notices through Fired().
    void Start(guint interval_ms, GSourceFunc handler, gpointer data) {
        Stop();
        m_id = g_timeout_add(interval_ms, handler, data);
    }
    void Stop() {
        if (m_id != 0) g_source_remove(m_id);
        m_id = 0;
    }
    // Called by a one-shot handler before it returns G_SOURCE_REMOVE.
    void Fired() { m_id = 0; }
    bool Running() const { return m_id != 0; }

private:
    guint m_id = 0;
};

}  // namespace vostra::ui
