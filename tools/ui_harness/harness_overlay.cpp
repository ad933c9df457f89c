#include <cstdio>
#include <cstdlib>

#include "harness.h"
#include "ui/menban_dlg.h"
#include "ui/overlay_layout.h"

namespace vostra::harness {
namespace {

struct OverlayRun {
    GtkWidget* owner = nullptr;
    ui::CMenbanDlg overlay;
    bool announced = false;
    guint stdin_watch = 0;  // 0 once the watch has removed itself
};

void RunCommand(OverlayRun* run, const std::string& line) {
    if (line == "hide") {
        run->overlay.HideOverlay();
        Say("hidden");
    } else if (line == "stop") {
        run->overlay.KillTimer(ui::overlay::kAnimationTimer);
        Say("stopped");
    } else if (line == "show") {
        run->overlay.ShowOverOwner();
    } else if (line.rfind("timer ", 0) == 0) {
        run->overlay.OnTimer(atoi(line.c_str() + 6));
        char reply[48];
        snprintf(reply, sizeof reply, "current %d", run->overlay.CurrentFrame());
        Say(reply);
    } else if (line == "quit") {
        gtk_main_quit();
    }
}

gboolean OnStdin(GIOChannel* channel, GIOCondition condition, gpointer data) {
    auto* run = static_cast<OverlayRun*>(data);
    gchar* text = nullptr;
    gsize length = 0;
    if ((condition & G_IO_IN) != 0 &&
        g_io_channel_read_line(channel, &text, &length, nullptr, nullptr) == G_IO_STATUS_NORMAL) {
        std::string line(text, length);
        g_free(text);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        RunCommand(run, line);
        return G_SOURCE_CONTINUE;
    }
    // End of input: the tests are done with us.
    run->stdin_watch = 0;
    gtk_main_quit();
    return G_SOURCE_REMOVE;
}

gboolean ShowOverlay(gpointer data) {
    auto* run = static_cast<OverlayRun*>(data);
    run->overlay.ShowOverOwner();
    Say(run->overlay.BlendsOverCapture() ? "mode blend" : "mode opacity");
    if (!run->announced) {
        AnnounceOnFirstDraw(run->overlay.Window());
        run->announced = true;
    }
    return G_SOURCE_REMOVE;
}

gboolean OnOwnerDrawn(GtkWidget* owner, cairo_t*, gpointer data) {
    g_signal_handlers_disconnect_by_func(owner, reinterpret_cast<gpointer>(OnOwnerDrawn), data);
    // Once the owner is on screen, as the launcher is when cleaning starts.
    g_timeout_add(300, ShowOverlay, data);
    return FALSE;
}

}  // namespace

int RunOverlay(const Args& args) {
    int w = 900;
    int h = 600;
    if (args.size() >= 2 && args[0] == "--size" && !ParseSize(args[1], &w, &h)) return 2;
    OverlayRun run;
    run.owner = CreatePatternWindow("launcher", {40, 30, w, h});
    run.overlay.Create(GTK_WINDOW(run.owner));
    run.overlay.SetFrameObserver([](int frame) {
        char line[32];
        snprintf(line, sizeof line, "frame %d", frame);
        Say(line);
    });
    g_signal_connect_after(run.owner, "draw", G_CALLBACK(OnOwnerDrawn), &run);
    gtk_widget_show_all(run.owner);
    GIOChannel* in = g_io_channel_unix_new(0);
    run.stdin_watch =
        g_io_add_watch(in, GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR), OnStdin, &run);
    gtk_main();
    if (run.stdin_watch != 0) g_source_remove(run.stdin_watch);
    g_io_channel_unref(in);
    run.overlay.DestroyWindow();
    gtk_widget_destroy(run.owner);
    return 0;
}

}  // namespace vostra::harness
