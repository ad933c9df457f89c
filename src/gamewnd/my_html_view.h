// CMyHtmlView: the game page's view inside the game window, a WebKitGTK
// web view used as a plain child widget.
//  - The right mouse button never reaches the page: its presses, releases
//    and double clicks are kept from the page's script, and no context
//    menu appears (nor the keyboard's context-menu key's).
//  - Every click in the top document that lands on or inside a link (the
//    nearest enclosing element whose tag name is exactly "a" or "A")
//    writes "单击事件:" + the link's raw href attribute (empty when there
//    is none) + CR LF as one line on standard error.
//  - Navigation, script and navigation errors keep the engine's behaviour;
//    a request for a new window opens its URL in the default web browser.
// The view never deletes itself; its owner does.
#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

#include "ui/signal_group.h"

namespace vostra {

class CMyHtmlView {
public:
    CMyHtmlView();
    ~CMyHtmlView();
    CMyHtmlView(const CMyHtmlView&) = delete;
    CMyHtmlView& operator=(const CMyHtmlView&) = delete;

    // Creates the view's widget inside `parent` (a container); false when
    // the web engine could not make one.
    bool Create(GtkContainer* parent);
    void Navigate2(const std::string& url);
    void Refresh();
    void DestroyWindow();

    GtkWidget* Widget() const { return m_pView != nullptr ? GTK_WIDGET(m_pView) : nullptr; }
    WebKitWebView* GetWebBrowser() const { return m_pView; }

    // The line a click on a link with this href writes.
    static std::string ClickLine(const std::string& href);

    // Called on every press and release of a mouse button on the view,
    // before anything else, with the event's time (the game window takes
    // the keyboard focus there).
    std::function<void(guint32 time)> on_pointer;

private:
    static gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*,
                                  WebKitHitTestResult*, gpointer self);
    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer self);
    static void OnLinkClicked(WebKitUserContentManager*, WebKitJavascriptResult* result,
                              gpointer self);

    WebKitWebView* m_pView = nullptr;  // a reference of ours
    WebKitUserContentManager* m_pContent = nullptr;
    bool m_bHandlerRegistered = false;
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
