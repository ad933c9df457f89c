// WebFormLogin: the login web form, a browser host that shows the
// operator's login page inside the login popup.
//
//  - It stays invisible (an empty rectangle) until the first document of
//    the page or of any of its frames has finished loading. That first
//    completion starts the self-update check, once, on a worker thread;
//    until the check returns, the form stays invisible and the page's
//    navigations wait for their answer. When it returns without a
//    handoff, the waiting navigations are answered in order and the form
//    moves to its layout rectangle; every later completion repeats only
//    the move.
//  - Every navigation of the page and its frames is stored in
//    g_strLastNavUrl and reported to the owner at once
//    (ID_WEBFORM_NAVIGATE); a play link is cancelled.
//  - A main document that cannot be loaded is replaced by an error page
//    with a button that loads the login page again.
//  - The page never scrolls and shows no scroll bars.
#pragma once

#include <cstdint>
#include <memory>

#include "login/update_check_runner.h"
#include "login/web_browser_base.h"

namespace vostra {

// The command the form sends its owner for every navigation.
inline constexpr int ID_WEBFORM_NAVIGATE = 10001;

// What the form needs of the window that carries it.
class CWebFormOwner {
public:
    virtual ~CWebFormOwner() = default;
    // The container the form's view lives in.
    virtual GtkWidget* FormContainer() = 0;
    // ID_WEBFORM_NAVIGATE, sent synchronously.
    virtual void OnCommand(int id) = 0;
    // The new client's download: bytes so far and the announced size.
    virtual void OnUpdateProgress(int64_t received, int64_t total) = 0;
    // The update check has returned without a handoff.
    virtual void OnUpdateCheckReturned() = 0;
};

class WebFormLogin : public CWebBrowserBase {
public:
    WebFormLogin();
    ~WebFormLogin() override;

    CWebFormOwner* m_hOwner = nullptr;
    int m_bUpdateChecked = 0;

    void SetLayout(const BrowserRect& rect) { m_rcLayout = rect; }
    const BrowserRect& Layout() const { return m_rcLayout; }
    bool UpdateCheckRunning() const { return m_pUpdate && m_pUpdate->Running(); }
    // Stops a running update check and waits for it (the exit question).
    void StopUpdateCheck();

protected:
    GtkWidget* GetHostWindow() override;
    void OnDocumentLoaded(std::string url) override;
    void OnBeforeNavigate(std::string url, bool* cancel) override;
    void OnMainFrameLoadFailed(const std::string& url, const GError* error) override;

private:
    void StartUpdateCheck();
    void OnUpdateCheckReturned();

    std::unique_ptr<CUpdateCheckRunner> m_pUpdate;
};

}  // namespace vostra
