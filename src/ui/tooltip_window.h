// The image button's tooltip. GTK's own tooltips take their delays from the
// theme settings, so the button carries this small one instead: it shows
// its text beside the pointer after the initial delay, hides itself after
// the pop-down delay, and goes away when the pointer leaves or a button
// goes down.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "ui/signal_group.h"

namespace vostra::ui {

class CToolTipWindow {
public:
    CToolTipWindow() = default;
    ~CToolTipWindow();
    CToolTipWindow(const CToolTipWindow&) = delete;
    CToolTipWindow& operator=(const CToolTipWindow&) = delete;

    void SetText(const std::string& text) { m_strText = text; }
    const std::string& Text() const { return m_strText; }

    // One value sets all delays as the automatic setting does: shown after
    // `ms`, hidden after ten times that, shown again after a fifth of it.
    void SetAutomaticDelay(int ms);
    int InitialDelay() const { return m_nInitialMs; }
    int AutoPopDelay() const { return m_nAutoPopMs; }

    void Activate(bool active);
    bool Active() const { return m_bActive; }

    // The pointer rests on the tool: show after the initial delay.
    void Arm();
    // The pointer left or pressed: hide now and forget pending delays.
    void Disarm();
    bool IsShown() const { return m_pWindow != nullptr && gtk_widget_get_visible(m_pWindow); }

private:
    static gboolean OnShowTimer(gpointer self);
    static gboolean OnPopTimer(gpointer self);
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    void ShowAtPointer();

    std::string m_strText;
    int m_nInitialMs = 500;
    int m_nAutoPopMs = 5000;
    bool m_bActive = true;
    GtkWidget* m_pWindow = nullptr;
    CTimer m_showTimer;
    CTimer m_popTimer;
    CSignalGroup m_signals;
};

}  // namespace vostra::ui
