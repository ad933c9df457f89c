#include "gamewnd/my_html_view.h"

#include <cstdio>

#include "platform/web_engine.h"

namespace vostra {
namespace {

constexpr char kLinkHandler[] = "vostraLinkClicked";
// Clicks bubble up to the top document, where the nearest enclosing link
// (tag name exactly "a" or "A") is reported with its raw href attribute.
constexpr char kLinkScript[] =
    "document.addEventListener('click', function (e) {"
    "  for (var n = e.target; n; n = n.parentElement) {"
    "    if (n.tagName === 'a' || n.tagName === 'A') {"
    "      var h = n.getAttribute('href');"
    "      try { window.webkit.messageHandlers.vostraLinkClicked.postMessage(h === null ? '' : String(h)); }"
    "      catch (x) {}"
    "      return;"
    "    }"
    "  }"
    "}, false);";

constexpr guint kRightButton = 3;

std::string RequestUri(WebKitNavigationAction* action) {
    WebKitURIRequest* request = action != nullptr ? webkit_navigation_action_get_request(action) : nullptr;
    const char* uri = request != nullptr ? webkit_uri_request_get_uri(request) : nullptr;
    return uri != nullptr ? uri : "";
}

}  // namespace

std::string CMyHtmlView::ClickLine(const std::string& href) { return "单击事件:" + href + "\r\n"; }

CMyHtmlView::CMyHtmlView() = default;

CMyHtmlView::~CMyHtmlView() { DestroyWindow(); }

bool CMyHtmlView::Create(GtkContainer* parent) {
    WebKitWebContext* context = SharedWebContext(DefaultWebEngineFolders());
    if (context == nullptr) return false;
    m_pContent = webkit_user_content_manager_new();
    WebKitUserScript* script = webkit_user_script_new(kLinkScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                                      WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
                                                      nullptr, nullptr);
    webkit_user_content_manager_add_script(m_pContent, script);
    webkit_user_script_unref(script);
    m_pView = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context,
                                           "user-content-manager", m_pContent, nullptr));
    g_object_ref_sink(m_pView);
    WebKitSettings* settings = webkit_web_view_get_settings(m_pView);
    webkit_settings_set_enable_developer_extras(settings, FALSE);
    ChooseGameCompositing(settings);

    GtkWidget* view = GTK_WIDGET(m_pView);
    m_signals.Connect(view, "button-press-event", G_CALLBACK(&CMyHtmlView::OnButton), this);
    m_signals.Connect(view, "button-release-event", G_CALLBACK(&CMyHtmlView::OnButton), this);
    m_signals.Connect(view, "key-press-event", G_CALLBACK(&CMyHtmlView::OnKey), this);
    m_signals.Connect(view, "context-menu", G_CALLBACK(&CMyHtmlView::OnContextMenu), this);
    m_signals.Connect(view, "decide-policy", G_CALLBACK(&CMyHtmlView::OnDecidePolicy), this);
    m_signals.Connect(view, "create", G_CALLBACK(&CMyHtmlView::OnCreate), this);
    const std::string detailed = std::string("script-message-received::") + kLinkHandler;
    m_signals.Connect(m_pContent, detailed.c_str(), G_CALLBACK(&CMyHtmlView::OnLinkClicked), this);
    m_bHandlerRegistered =
        webkit_user_content_manager_register_script_message_handler(m_pContent, kLinkHandler) != FALSE;

    gtk_container_add(parent, view);
    gtk_widget_show(view);
    return true;
}

void CMyHtmlView::Navigate2(const std::string& url) {
    if (m_pView != nullptr) webkit_web_view_load_uri(m_pView, url.c_str());
}

void CMyHtmlView::Refresh() {
    if (m_pView != nullptr) webkit_web_view_reload(m_pView);
}

void CMyHtmlView::DestroyWindow() {
    m_signals.DisconnectAll();
    if (m_bHandlerRegistered) {
        webkit_user_content_manager_unregister_script_message_handler(m_pContent, kLinkHandler);
        m_bHandlerRegistered = false;
    }
    if (m_pView != nullptr) {
        webkit_web_view_stop_loading(m_pView);
        gtk_widget_destroy(GTK_WIDGET(m_pView));
        g_object_unref(m_pView);
        m_pView = nullptr;
    }
    if (m_pContent != nullptr) {
        g_object_unref(m_pContent);
        m_pContent = nullptr;
    }
}

gboolean CMyHtmlView::OnButton(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* view = static_cast<CMyHtmlView*>(self);
    if (view->on_pointer) view->on_pointer(event->time);
    // Presses, double clicks and releases of the right button stop here.
    return event->button == kRightButton ? TRUE : FALSE;
}

gboolean CMyHtmlView::OnKey(GtkWidget*, GdkEventKey* event, gpointer) {
    // The keyboard's way to a context menu: the Menu key and Shift+F10.
    if (event->keyval == GDK_KEY_Menu) return TRUE;
    if (event->keyval == GDK_KEY_F10 && (event->state & GDK_SHIFT_MASK) != 0) return TRUE;
    return FALSE;
}

gboolean CMyHtmlView::OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*,
                                    WebKitHitTestResult*, gpointer) {
    return TRUE;  // no menu
}

gboolean CMyHtmlView::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                     WebKitPolicyDecisionType type, gpointer) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) return FALSE;  // the engine's own
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const std::string url = RequestUri(action);
    webkit_policy_decision_ignore(decision);
    if (!url.empty()) OpenInDefaultBrowser(url);
    return TRUE;
}

GtkWidget* CMyHtmlView::OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer) {
    const std::string url = RequestUri(action);
    if (!url.empty()) OpenInDefaultBrowser(url);
    return nullptr;
}

void CMyHtmlView::OnLinkClicked(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer) {
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    char* text = value != nullptr && jsc_value_is_string(value) ? jsc_value_to_string(value) : nullptr;
    const std::string line = ClickLine(text != nullptr ? text : "");
    g_free(text);
    fputs(line.c_str(), stderr);
    fflush(stderr);
}

}  // namespace vostra
