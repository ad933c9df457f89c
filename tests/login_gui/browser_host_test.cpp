// The browser host in this process, on a real display, against the demo
// server: activation, rectangles, navigation events of the page and its
// frames, cancelling, held decisions, and a host without a view.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "login/web_browser_base.h"
#include "support/main_loop_pump.h"
#include "support/sandbox.h"
#include "update/demo_server_process.h"

namespace vostra {
namespace {

using test::Pump;

class TestHost : public CWebBrowserBase {
public:
    TestHost(WebKitWebContext* context, GtkWidget* host) : CWebBrowserBase(context), m_host(host) {}

    std::vector<std::string> loaded;
    std::vector<std::string> navigations;
    std::string cancel_marker;  // URLs holding it are cancelled

protected:
    GtkWidget* GetHostWindow() override { return m_host; }
    void OnDocumentLoaded(std::string url) override { loaded.push_back(url); }
    void OnBeforeNavigate(std::string url, bool* cancel) override {
        navigations.push_back(url);
        if (!cancel_marker.empty() && url.find(cancel_marker) != std::string::npos) *cancel = true;
    }

private:
    GtkWidget* m_host;
};

bool AnyHolds(const std::vector<std::string>& urls, const std::string& part) {
    for (const auto& u : urls) {
        if (u.find(part) != std::string::npos) return true;
    }
    return false;
}

class BrowserHost : public test::Sandbox {
protected:
    void SetUp() override {
        Sandbox::SetUp();
        if (!gtk_init_check(nullptr, nullptr)) GTEST_SKIP() << "needs an X display";
        ASSERT_TRUE(server_.Start({}));
        context_ = webkit_web_context_new_ephemeral();
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        fixed_ = gtk_fixed_new();
        gtk_widget_set_size_request(fixed_, 400, 300);
        gtk_container_add(GTK_CONTAINER(window_), fixed_);
        gtk_widget_show_all(window_);
    }
    void TearDown() override {
        host_.reset();
        if (window_ != nullptr) gtk_widget_destroy(window_);
        if (context_ != nullptr) g_object_unref(context_);
        Pump([] { return false; }, 100);
        server_.Stop();
        Sandbox::TearDown();
    }

    TestHost& MakeHost(GtkWidget* container) {
        host_ = std::make_unique<TestHost>(context_, container);
        return *host_;
    }

    std::string LoginUrl() const { return server_.url() + "/client/gamecode/vstr/mac/00-1A-2B-3C-4D-5E/"; }

    test::DemoServerProcess server_;
    WebKitWebContext* context_ = nullptr;
    GtkWidget* window_ = nullptr;
    GtkWidget* fixed_ = nullptr;
    std::unique_ptr<TestHost> host_;
};

TEST_F(BrowserHost, HostWithoutAViewDoesNothingButStore) {
    TestHost host(nullptr, fixed_);
    EXPECT_FALSE(host.ActivateInPlace());
    EXPECT_FALSE(host.ActivateInPlace());
    EXPECT_TRUE(host.SetBrowserRect({1, 2, 30, 40}));
    EXPECT_EQ(host.CurrentRect().right, 30);
    EXPECT_FALSE(host.NavigateTo(LoginUrl()));
    EXPECT_EQ(host.Url(), LoginUrl());
    EXPECT_EQ(host.GetWebBrowser(), nullptr);
    EXPECT_EQ(host.FindDocumentWindow(), nullptr);
    Pump([] { return false; }, 300);
    EXPECT_TRUE(host.loaded.empty());
}

TEST_F(BrowserHost, ActivationCoversTheHostOnceAndARectangleBeforeItIsOnlyStored) {
    TestHost& host = MakeHost(fixed_);
    EXPECT_TRUE(host.ActivateInPlace());
    EXPECT_EQ(host.CurrentRect().Width(), 400);
    EXPECT_EQ(host.CurrentRect().Height(), 300);
    EXPECT_TRUE(host.ActivateInPlace());
    EXPECT_EQ(gtk_widget_get_parent(host.FindDocumentWindow()), fixed_);

    TestHost early(context_, fixed_);
    EXPECT_TRUE(early.SetBrowserRect({5, 6, 105, 56}));
    EXPECT_EQ(gtk_widget_get_parent(early.FindDocumentWindow()), nullptr);
    EXPECT_TRUE(early.ActivateInPlace());
    EXPECT_EQ(early.CurrentRect().left, 5);
    EXPECT_EQ(early.CurrentRect().Width(), 100);
}

TEST_F(BrowserHost, FailedActivationIsNotRetried) {
    TestHost& host = MakeHost(nullptr);
    EXPECT_FALSE(host.ActivateInPlace());
    EXPECT_TRUE(host.ActivateInPlace());
    EXPECT_TRUE(host.Activated());
    EXPECT_FALSE(host.SetBrowserRect({0, 0, 10, 10}));  // the view has no place to go
}

TEST_F(BrowserHost, HiddenViewStillLoadsAndReportsThePageAndItsFrame) {
    TestHost& host = MakeHost(fixed_);
    ASSERT_TRUE(host.ActivateInPlace());
    ASSERT_TRUE(host.SetBrowserRect({0, 0, 0, 0}));
    EXPECT_FALSE(host.OnScreen());
    // Parked wholly outside the host's area, nothing of it on screen.
    GtkWidget* parked = host.FindDocumentWindow();
    ASSERT_TRUE(Pump([&] {
        GtkAllocation a;
        gtk_widget_get_allocation(parked, &a);
        return a.width > 1 && a.x + a.width <= 0 && a.y + a.height <= 0;
    }, 5000));
    ASSERT_TRUE(host.NavigateTo(LoginUrl()));
    ASSERT_TRUE(Pump([&] { return host.loaded.size() >= 2; })) << "loaded " << host.loaded.size();
    EXPECT_TRUE(AnyHolds(host.loaded, "/mac/00-1A-2B-3C-4D-5E/"));
    EXPECT_TRUE(AnyHolds(host.loaded, "/news?mac=00-1A-2B-3C-4D-5E"));
    EXPECT_TRUE(AnyHolds(host.navigations, "/mac/00-1A-2B-3C-4D-5E/"));
    EXPECT_TRUE(AnyHolds(host.navigations, "/news?mac="));

    // A non-empty rectangle shows it there.
    ASSERT_TRUE(host.SetBrowserRect({10, 20, 210, 120}));
    EXPECT_TRUE(host.OnScreen());
    GtkWidget* view = host.FindDocumentWindow();
    ASSERT_TRUE(Pump([&] {
        GtkAllocation a;
        gtk_widget_get_allocation(view, &a);
        return gtk_widget_get_mapped(view) && a.x == 10 && a.y == 20 && a.width == 200 && a.height == 100;
    }, 5000));
}

TEST_F(BrowserHost, CancelledNavigationLeavesThePageWhereItIs) {
    TestHost& host = MakeHost(fixed_);
    ASSERT_TRUE(host.ActivateInPlace());
    host.NavigateTo(LoginUrl());
    ASSERT_TRUE(Pump([&] { return AnyHolds(host.loaded, "/mac/00-1A-2B-3C-4D-5E/"); }));
    host.cancel_marker = "play_gamecode";
    const size_t loads = host.loaded.size();
    host.NavigateTo(server_.url() + "/vstr/play_gamecode?mac=x");
    ASSERT_TRUE(Pump([&] { return AnyHolds(host.navigations, "play_gamecode"); }));
    Pump([] { return false; }, 500);
    EXPECT_STREQ(webkit_web_view_get_uri(host.GetWebBrowser()), LoginUrl().c_str());
    // The failed load of our own cancelling is no document of the page.
    for (size_t i = loads; i < host.loaded.size(); ++i) {
        EXPECT_EQ(host.loaded[i].find("play_gamecode"), std::string::npos) << host.loaded[i];
    }
}

// A document that completes while the next navigation is already asked
// for is reported with its own URL.
TEST_F(BrowserHost, CompletedDocumentKeepsItsUrlWhenTheNextIsAskedFor) {
    TestHost& host = MakeHost(fixed_);
    ASSERT_TRUE(host.ActivateInPlace());
    host.cancel_marker = "play_gamecode";
    host.NavigateTo(LoginUrl());
    ASSERT_TRUE(Pump([&] { return AnyHolds(host.loaded, "/news?mac="); }));
    host.NavigateTo(server_.url() + "/vstr/play_gamecode?mac=x");
    Pump([] { return false; }, 1000);
    for (const auto& url : host.loaded) EXPECT_EQ(url.find("play_gamecode"), std::string::npos) << url;
}

TEST_F(BrowserHost, HeldDecisionsWaitAndAreAnsweredInOrder) {
    TestHost& host = MakeHost(fixed_);
    ASSERT_TRUE(host.ActivateInPlace());
    host.HoldNavigations();
    host.NavigateTo(LoginUrl());
    Pump([] { return false; }, 700);
    EXPECT_TRUE(host.navigations.empty());
    EXPECT_TRUE(host.loaded.empty());
    host.ReleaseNavigations();
    ASSERT_TRUE(Pump([&] { return !host.loaded.empty(); }));
    ASSERT_FALSE(host.navigations.empty());
    EXPECT_EQ(host.navigations.front(), LoginUrl());
}

TEST_F(BrowserHost, HostGoesAwayWithADecisionStillHeld) {
    TestHost& host = MakeHost(fixed_);
    ASSERT_TRUE(host.ActivateInPlace());
    host.HoldNavigations();
    host.NavigateTo(LoginUrl());
    Pump([] { return false; }, 500);
    host_.reset();  // must not call into the freed host afterwards
    Pump([] { return false; }, 500);
    SUCCEED();
}

}  // namespace
}  // namespace vostra

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A container cannot start WebKit's sandbox; the pages are the demo server's.
    setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", 1);
    return RUN_ALL_TESTS();
}
