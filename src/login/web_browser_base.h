// CWebBrowserBase: the browser host. It embeds a web view (WebKitGTK) in a
// container that belongs to its owner, shows it in a rectangle of that
// container, navigates it, and turns the engine's events into two virtual
// calls for a derived class:
//   OnBeforeNavigate(url, cancel)  before any navigation of the page or of
//                                  one of its frames, and for a request to
//                                  open a new window; setting *cancel keeps
//                                  the page where it is
//   OnDocumentLoaded(url)          when the page or one of its frames has
//                                  finished loading, with that document's URL
//
// The owner's calling order: construct; set what GetHostWindow needs;
// ActivateInPlace(); set m_rcLayout; NavigateTo(url); SetBrowserRect with an
// empty rectangle, so that the view stays invisible until the derived class
// shows it. An empty rectangle keeps the view alive: it goes on loading,
// drawing and raising events, but nothing of it is on screen.
//
// A host whose view could not be made has no view: ActivateInPlace returns
// false every time, SetBrowserRect only stores, NavigateTo and
// GetWebBrowser give false and null, and no event ever arrives.
//
// New windows never open inside the launcher: a request that the derived
// class does not cancel goes to the user's default web browser.
#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <deque>
#include <string>

#include "ui/signal_group.h"

namespace vostra {

// A rectangle in the host container's coordinates, edges as in a RECT.
struct BrowserRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
};

class CWebBrowserBase {
public:
    // A view on the process's shared web context (the launcher's folders).
    CWebBrowserBase();
    // A view on `context`; null leaves a host without a view.
    explicit CWebBrowserBase(WebKitWebContext* context);
    virtual ~CWebBrowserBase();
    CWebBrowserBase(const CWebBrowserBase&) = delete;
    CWebBrowserBase& operator=(const CWebBrowserBase&) = delete;

    // Puts the view into the host container over m_rcCurrent (the whole
    // container when no rectangle was given) and connects the events. A
    // second call returns true at once, also after a failed first one.
    bool ActivateInPlace();
    // Moves and sizes the view; before activation the rectangle is only
    // stored. False, with m_rcCurrent unchanged, when there is no view.
    bool SetBrowserRect(const BrowserRect& rect);
    // Remembers the URL and starts loading it; false when there is no view.
    bool NavigateTo(const std::string& url);
    // The web view, owned by the host; null when there is none.
    WebKitWebView* GetWebBrowser() const { return m_pView; }
    // The widget that takes the page's keys; null when there is no view.
    GtkWidget* FindDocumentWindow() const;

    // Navigation decisions that arrive from now on wait, in order, without
    // an answer, until ReleaseNavigations gives each to OnBeforeNavigate.
    void HoldNavigations();
    void ReleaseNavigations();
    bool NavigationsHeld() const { return m_bHoldNavigations; }

    const BrowserRect& CurrentRect() const { return m_rcCurrent; }
    // Whether the view shows in the host (a non-empty rectangle, mapped).
    bool OnScreen() const;
    bool Activated() const { return m_bActivated; }
    const std::string& Url() const { return m_strUrl; }

protected:
    // The container the view lives in (a GtkFixed of the owner's window).
    virtual GtkWidget* GetHostWindow() { return nullptr; }
    virtual void OnDocumentLoaded(std::string url) { (void)url; }
    virtual void OnBeforeNavigate(std::string url, bool* cancel) {
        (void)url;
        (void)cancel;
    }
    // The main document could not be loaded. `error` is the engine's; a
    // load the launcher cancelled itself does not come here.
    virtual void OnMainFrameLoadFailed(const std::string& url, const GError* error) {
        (void)url;
        (void)error;
    }
    WebKitUserContentManager* UserContent() const { return m_pContent; }

    BrowserRect m_rcLayout;  // where the owner wants the view; only stored here

private:
    void CreateView(WebKitWebContext* context);
    void ConnectEvents();
    void PlaceView();
    BrowserRect ParkedRect() const;
    static constexpr int kParkMargin = 64;
    void Decide(WebKitPolicyDecision* decision);
    void AnswerHeldDecisions();
    void OpenNewWindow(const std::string& url);

    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                 gpointer self);
    static GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer self);
    static void OnFrameLoaded(WebKitUserContentManager*, WebKitJavascriptResult* result,
                              gpointer self);

    BrowserRect m_rcCurrent;
    BrowserRect m_rcShown;  // the last non-empty rectangle
    bool m_bActivated = false;
    std::string m_strUrl;
    std::string m_strCommittedUrl;  // of the main document being loaded
    WebKitWebView* m_pView = nullptr;  // owned (a floating reference sunk here)
    WebKitUserContentManager* m_pContent = nullptr;
    bool m_bHandlerRegistered = false;
    bool m_bHoldNavigations = false;
    bool m_bCancelledLoad = false;  // the load that just failed was a cancellation
    std::deque<WebKitPolicyDecision*> m_heldDecisions;  // each holds a reference
    ui::CSignalGroup m_signals;
};

}  // namespace vostra
