#include "login/web_browser_base.h"

#include "platform/web_engine.h"

namespace vostra {
namespace {

// The engine reports the end of a load for the top document only. This
// script runs in every frame and tells the host when a frame's document
// has finished loading (its load event), with the frame's URL.
constexpr char kFrameLoadedHandler[] = "vostraFrameLoaded";
constexpr char kFrameLoadedScript[] =
    "(function () {"
    "  if (window === window.top) return;"
    "  function report() {"
    "    try { window.webkit.messageHandlers.vostraFrameLoaded.postMessage(String(location.href)); }"
    "    catch (e) {}"
    "  }"
    "  if (document.readyState === 'complete') report();"
    "  else window.addEventListener('load', report, { once: true });"
    "})();";

// Errors of loads that the launcher ended itself (a cancelled play link)
// or that another navigation replaced: nothing failed for the player.
bool IsOwnCancellation(const GError* error) {
    if (error == nullptr) return true;
    if (g_error_matches(error, WEBKIT_POLICY_ERROR,
                        WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE)) {
        return true;
    }
    return g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) != FALSE;
}

std::string RequestUri(WebKitNavigationAction* action) {
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* uri = request != nullptr ? webkit_uri_request_get_uri(request) : nullptr;
    return uri != nullptr ? uri : "";
}

BrowserRect ClientRectOf(GtkWidget* host) {
    if (host == nullptr) return {};
    int width = gtk_widget_get_allocated_width(host);
    int height = gtk_widget_get_allocated_height(host);
    if (width <= 1 || height <= 1) gtk_widget_get_size_request(host, &width, &height);
    return {0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

}  // namespace

CWebBrowserBase::CWebBrowserBase() : CWebBrowserBase(SharedWebContext(DefaultWebEngineFolders())) {}

CWebBrowserBase::CWebBrowserBase(WebKitWebContext* context) { CreateView(context); }

void CWebBrowserBase::CreateView(WebKitWebContext* context) {
    if (context == nullptr) return;
    m_pContent = webkit_user_content_manager_new();
    WebKitUserScript* script = webkit_user_script_new(
        kFrameLoadedScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_END, nullptr, nullptr);
    webkit_user_content_manager_add_script(m_pContent, script);
    webkit_user_script_unref(script);
    m_pView = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context,
                                           "user-content-manager", m_pContent, nullptr));
    g_object_ref_sink(m_pView);
    WebKitSettings* settings = webkit_web_view_get_settings(m_pView);
    webkit_settings_set_enable_developer_extras(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
}

CWebBrowserBase::~CWebBrowserBase() {
    // Nothing of the engine may call into this object once it is gone:
    // handlers first, then the held decisions, then the view itself.
    m_signals.DisconnectAll();
    if (m_bHandlerRegistered) {
        webkit_user_content_manager_unregister_script_message_handler(m_pContent,
                                                                      kFrameLoadedHandler);
    }
    for (WebKitPolicyDecision* decision : m_heldDecisions) {
        webkit_policy_decision_ignore(decision);
        g_object_unref(decision);
    }
    m_heldDecisions.clear();
    if (m_pView != nullptr) {
        webkit_web_view_stop_loading(m_pView);
        gtk_widget_destroy(GTK_WIDGET(m_pView));
        g_object_unref(m_pView);
    }
    if (m_pContent != nullptr) g_object_unref(m_pContent);
}

bool CWebBrowserBase::ActivateInPlace() {
    if (m_pView == nullptr) return false;
    GtkWidget* host = GetHostWindow();
    if (m_rcCurrent.IsEmpty()) m_rcCurrent = ClientRectOf(host);
    if (m_bActivated) return true;
    m_bActivated = true;  // set before trying, so a failure is not retried
    if (host == nullptr || !GTK_IS_FIXED(host)) return false;
    gtk_fixed_put(GTK_FIXED(host), GTK_WIDGET(m_pView), m_rcCurrent.left, m_rcCurrent.top);
    PlaceView();
    ConnectEvents();
    return true;
}

void CWebBrowserBase::ConnectEvents() {
    m_signals.Connect(m_pView, "decide-policy", G_CALLBACK(&CWebBrowserBase::OnDecidePolicy), this);
    m_signals.Connect(m_pView, "load-changed", G_CALLBACK(&CWebBrowserBase::OnLoadChanged), this);
    m_signals.Connect(m_pView, "load-failed", G_CALLBACK(&CWebBrowserBase::OnLoadFailed), this);
    m_signals.Connect(m_pView, "create", G_CALLBACK(&CWebBrowserBase::OnCreate), this);
    const std::string detailed = std::string("script-message-received::") + kFrameLoadedHandler;
    m_signals.Connect(m_pContent, detailed.c_str(), G_CALLBACK(&CWebBrowserBase::OnFrameLoaded),
                      this);
    m_bHandlerRegistered = webkit_user_content_manager_register_script_message_handler(
                               m_pContent, kFrameLoadedHandler) != FALSE;
}

// An empty rectangle parks the view outside the host's area, to the left
// of and above its origin, at the size it is expected to show at (the
// owner's layout, else the size it last had). Nothing of it is on screen,
// yet the engine goes on laying out and drawing the page at that size, so
// that a later rectangle of that size shows the finished page at once; a
// hidden view would only start drawing then. Negative positions do not
// make the host's container ask for more room.
BrowserRect CWebBrowserBase::ParkedRect() const {
    BrowserRect size = !m_rcLayout.IsEmpty() ? m_rcLayout : m_rcShown;
    if (size.IsEmpty()) size = {0, 0, 1, 1};
    const int width = size.Width(), height = size.Height();
    return {-width - kParkMargin, -height - kParkMargin, -kParkMargin, -kParkMargin};
}

void CWebBrowserBase::PlaceView() {
    GtkWidget* view = GTK_WIDGET(m_pView);
    const BrowserRect r = m_rcCurrent.IsEmpty() ? ParkedRect() : m_rcCurrent;
    if (!m_rcCurrent.IsEmpty()) m_rcShown = m_rcCurrent;
    GtkWidget* host = gtk_widget_get_parent(view);
    if (host != nullptr && GTK_IS_FIXED(host)) gtk_fixed_move(GTK_FIXED(host), view, r.left, r.top);
    gtk_widget_set_size_request(view, r.Width(), r.Height());
    gtk_widget_show(view);
}

bool CWebBrowserBase::OnScreen() const {
    return m_pView != nullptr && !m_rcCurrent.IsEmpty() && gtk_widget_get_mapped(GTK_WIDGET(m_pView));
}

bool CWebBrowserBase::SetBrowserRect(const BrowserRect& rect) {
    if (m_bActivated) {
        if (m_pView == nullptr || gtk_widget_get_parent(GTK_WIDGET(m_pView)) == nullptr) {
            return false;
        }
        m_rcCurrent = rect;
        PlaceView();
        return true;
    }
    m_rcCurrent = rect;
    return true;
}

bool CWebBrowserBase::NavigateTo(const std::string& url) {
    m_strUrl = url;
    if (m_pView == nullptr) return false;
    webkit_web_view_load_uri(m_pView, url.c_str());
    return true;
}

GtkWidget* CWebBrowserBase::FindDocumentWindow() const {
    return m_pView != nullptr ? GTK_WIDGET(m_pView) : nullptr;
}

void CWebBrowserBase::HoldNavigations() { m_bHoldNavigations = true; }

void CWebBrowserBase::ReleaseNavigations() {
    m_bHoldNavigations = false;
    AnswerHeldDecisions();
}

void CWebBrowserBase::AnswerHeldDecisions() {
    // One at a time: answering may run OnBeforeNavigate, which may hold
    // again or end the owner's modal run.
    while (!m_bHoldNavigations && !m_heldDecisions.empty()) {
        WebKitPolicyDecision* decision = m_heldDecisions.front();
        m_heldDecisions.pop_front();
        Decide(decision);
        g_object_unref(decision);
    }
}

void CWebBrowserBase::Decide(WebKitPolicyDecision* decision) {
    auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(navigation);
    const std::string url = RequestUri(action);
    bool cancel = false;
    OnBeforeNavigate(url, &cancel);
    if (cancel) {
        webkit_policy_decision_ignore(decision);
    } else {
        webkit_policy_decision_use(decision);
    }
}

gboolean CWebBrowserBase::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                         WebKitPolicyDecisionType type, gpointer self) {
    auto* host = static_cast<CWebBrowserBase*>(self);
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;  // the engine's own rules
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        // Opening a window is decided here, never by the engine: the
        // request is reported as a navigation and then goes outside.
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        webkit_policy_decision_ignore(decision);
        host->OpenNewWindow(RequestUri(action));
        return TRUE;
    }
    if (host->m_bHoldNavigations) {
        host->m_heldDecisions.push_back(WEBKIT_POLICY_DECISION(g_object_ref(decision)));
        return TRUE;
    }
    host->Decide(decision);
    return TRUE;
}

void CWebBrowserBase::OpenNewWindow(const std::string& url) {
    if (url.empty()) return;
    bool cancel = false;
    OnBeforeNavigate(url, &cancel);
    if (!cancel) OpenInDefaultBrowser(url);
}

GtkWidget* CWebBrowserBase::OnCreate(WebKitWebView*, WebKitNavigationAction* action,
                                     gpointer self) {
    // window.open from the page's script: the same as a link to a new window.
    static_cast<CWebBrowserBase*>(self)->OpenNewWindow(RequestUri(action));
    return nullptr;
}

void CWebBrowserBase::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* host = static_cast<CWebBrowserBase*>(self);
    // The view's URI names the newest request, which may already be the
    // next navigation's; the document that completes is the committed one.
    if (event == WEBKIT_LOAD_COMMITTED) {
        const char* committed = webkit_web_view_get_uri(view);
        host->m_strCommittedUrl = committed != nullptr ? committed : "";
        return;
    }
    if (event != WEBKIT_LOAD_FINISHED) return;
    // The end of a load that was cancelled (ours, or replaced by another)
    // is no document of the page.
    if (host->m_bCancelledLoad) {
        host->m_bCancelledLoad = false;
        return;
    }
    std::string url = host->m_strCommittedUrl;
    if (url.empty()) {
        const char* uri = webkit_web_view_get_uri(view);
        url = uri != nullptr ? uri : "";
    }
    host->OnDocumentLoaded(url);
}

gboolean CWebBrowserBase::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                       gpointer self) {
    auto* host = static_cast<CWebBrowserBase*>(self);
    if (IsOwnCancellation(error)) {
        host->m_bCancelledLoad = true;  // its end follows at once
        return FALSE;
    }
    host->OnMainFrameLoadFailed(uri != nullptr ? uri : "", error);
    return TRUE;
}

void CWebBrowserBase::OnFrameLoaded(WebKitUserContentManager*, WebKitJavascriptResult* result,
                                    gpointer self) {
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    char* text = value != nullptr && jsc_value_is_string(value) ? jsc_value_to_string(value) : nullptr;
    const std::string url = text != nullptr ? text : "";
    g_free(text);
    static_cast<CWebBrowserBase*>(self)->OnDocumentLoaded(url);
}

}  // namespace vostra
