#include "login/web_form_login.h"

#include "login/login_error_page.h"
#include "login/login_navigation.h"
#include "update/update_context.h"

namespace vostra {
namespace {

// The form has no scroll bars and its page cannot be scrolled, however
// large it is.
constexpr char kNoScrollStyle[] =
    "html, body { overflow: hidden !important; }"
    "::-webkit-scrollbar { display: none !important; }";

}  // namespace

WebFormLogin::WebFormLogin() {
    if (UserContent() == nullptr) return;
    // A login form needs no compositing of layers: drawn directly, the
    // page reaches the screen sooner, most of all where the GPU is a
    // software renderer, and looks the same.
    webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(GetWebBrowser()),
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    WebKitUserStyleSheet* style = webkit_user_style_sheet_new(
        kNoScrollStyle, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_STYLE_LEVEL_USER,
        nullptr, nullptr);
    webkit_user_content_manager_add_style_sheet(UserContent(), style);
    webkit_user_style_sheet_unref(style);
}

WebFormLogin::~WebFormLogin() { StopUpdateCheck(); }

GtkWidget* WebFormLogin::GetHostWindow() {
    return m_hOwner != nullptr ? m_hOwner->FormContainer() : nullptr;
}

void WebFormLogin::OnDocumentLoaded(std::string) {
    if (!m_bUpdateChecked) {
        m_bUpdateChecked = 1;  // at the start: the check runs once, whatever follows
        StartUpdateCheck();
        return;
    }
    if (UpdateCheckRunning()) return;  // shown once the check has returned
    SetBrowserRect(m_rcLayout);
}

void WebFormLogin::StartUpdateCheck() {
    HoldNavigations();
    m_pUpdate = std::make_unique<CUpdateCheckRunner>(DefaultUpdateContext());
    m_pUpdate->Start(
        [this](int64_t received, int64_t total) {
            if (m_hOwner != nullptr) m_hOwner->OnUpdateProgress(received, total);
        },
        [this] { OnUpdateCheckReturned(); });
}

void WebFormLogin::OnUpdateCheckReturned() {
    if (m_hOwner != nullptr) m_hOwner->OnUpdateCheckReturned();
    SetBrowserRect(m_rcLayout);
    // Last: answering a held play link may end the login's modal run.
    ReleaseNavigations();
}

void WebFormLogin::StopUpdateCheck() {
    if (m_pUpdate) m_pUpdate->StopAndWait();
}

void WebFormLogin::OnBeforeNavigate(std::string url, bool* cancel) {
    if (CancelsFormNavigation(url)) *cancel = true;
    if (m_hOwner == nullptr) return;
    g_strLastNavUrl = url;
    m_hOwner->OnCommand(ID_WEBFORM_NAVIGATE);
}

void WebFormLogin::OnMainFrameLoadFailed(const std::string& url, const GError* error) {
    WebKitWebView* view = GetWebBrowser();
    if (view == nullptr) return;
    const std::string html =
        LoginErrorPageHtml(Url(), error != nullptr ? error->message : "");
    webkit_web_view_load_alternate_html(view, html.c_str(), url.c_str(), nullptr);
}

}  // namespace vostra
