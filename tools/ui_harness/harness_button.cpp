#include <cstdio>
#include <memory>

#include "harness.h"
#include "ui/buffered_paint.h"
#include "ui/dialog_base.h"
#include "ui/png_image.h"
#include "ui/touch_button.h"

namespace vostra::harness {
namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 80;
// What the window paints after a "repaint" command.
constexpr uint32_t kRepaintColour = 0xFF204060;

struct ButtonDef {
    int id;
    int normal, hover, pressed;
    ui::Rect rect;
    const char* tooltip;
};

// The launcher's buttons with their pictures and tooltips.
constexpr ButtonDef kButtons[] = {
    {1003, 209, 210, 230, {356, 2, 28, 26}, ""},
    {1001, 207, 208, 227, {388, 2, 28, 26}, ""},
    {1007, 211, 212, 231, {10, 44, 59, 24}, "选择新的服务器"},
    {1005, 223, 215, 233, {76, 44, 97, 24}, "老板键（快捷键F10）"},
    {1021, 226, 219, 236, {180, 44, 78, 24}, "刷新"},
    {1030, 252, 253, 261, {265, 44, 78, 24}, "清除缓存"},
};

class CButtonWindow : public ui::CControlParent {
public:
    explicit CButtonWindow(bool titlebar) : m_bTitleBar(titlebar) {
        if (titlebar) {
            m_left = ui::LoadPngImage(203);
            m_middle = ui::LoadPngImage(172);
            m_right = ui::LoadPngImage(206);
        }
        GtkWidget* fixed = nullptr;
        m_pWindow = ui::CreateBorderlessWindow(kWidth, kHeight, &fixed);
        gtk_window_set_title(GTK_WINDOW(m_pWindow), "vostra buttons");
        gtk_window_move(GTK_WINDOW(m_pWindow), 200, 150);
        for (const ButtonDef& def : kButtons) {
            auto button = std::make_unique<ui::CTouchButton>();
            button->Create(this, GTK_FIXED(fixed), def.id, def.rect);
            button->SetImages(def.normal, def.hover, def.pressed);
            button->SetToolTipText(def.tooltip, true);
            m_buttons.push_back(std::move(button));
        }
        g_signal_connect(m_pWindow, "draw", G_CALLBACK(OnDraw), this);
        g_signal_connect(m_pWindow, "delete-event", G_CALLBACK(OnDelete), nullptr);
        g_signal_connect(m_pWindow, "button-press-event", G_CALLBACK(OnPress), nullptr);
    }

    ~CButtonWindow() override {
        for (auto& b : m_buttons) b->DestroyWindow();
        gtk_widget_destroy(m_pWindow);
    }

    GtkWidget* Window() const { return m_pWindow; }

    void PaintBackground(cairo_t* cr) override {
        if (m_bRepainted) {
            ui::SetSourceArgb(cr, kRepaintColour);
            cairo_paint(cr);
            return;
        }
        PaintPattern(cr, kWidth, kHeight);
        if (!m_bTitleBar) return;
        const int left_w = ui::SurfaceWidth(m_left.get());
        const int right_w = ui::SurfaceWidth(m_right.get());
        ui::FillTiledRect(cr, m_middle.get(), {left_w, 0, kWidth - left_w - right_w, 30});
        if (m_left) {
            cairo_set_source_surface(cr, m_left.get(), 0, 0);
            cairo_paint(cr);
        }
        if (m_right) {
            cairo_set_source_surface(cr, m_right.get(), kWidth - right_w, 0);
            cairo_rectangle(cr, kWidth - right_w, 0, right_w, 30);
            cairo_fill(cr);
        }
    }

    // The window changes its own picture and repaints, buttons included.
    void Repaint() {
        m_bRepainted = true;
        gtk_widget_queue_draw(m_pWindow);
    }

    void OnCommand(int id) override {
        char line[32];
        snprintf(line, sizeof line, "command %d", id);
        Say(line);
    }

private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
        ui::CBufferedPaint paint(kWidth, kHeight);
        static_cast<CButtonWindow*>(self)->PaintBackground(paint.Context());
        paint.PaintTo(cr);
        return FALSE;
    }
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer) {
        gtk_main_quit();
        return TRUE;
    }
    static gboolean OnPress(GtkWidget* w, GdkEventButton* e, gpointer) {
        return ui::BeginBodyDrag(w, e);
    }

    bool m_bTitleBar;
    bool m_bRepainted = false;
    ui::SurfacePtr m_left, m_middle, m_right;
    GtkWidget* m_pWindow = nullptr;
    std::vector<std::unique_ptr<ui::CTouchButton>> m_buttons;
};

struct StdinWatch {
    CButtonWindow* window;
    guint id = 0;
};

// Standard input: "repaint" makes the window paint a plain colour from
// then on; end of input leaves the window as it is.
gboolean OnStdin(GIOChannel* channel, GIOCondition condition, gpointer data) {
    auto* watch = static_cast<StdinWatch*>(data);
    gchar* text = nullptr;
    gsize length = 0;
    if ((condition & G_IO_IN) == 0 ||
        g_io_channel_read_line(channel, &text, &length, nullptr, nullptr) != G_IO_STATUS_NORMAL) {
        watch->id = 0;
        return G_SOURCE_REMOVE;
    }
    const std::string line(text, length);
    g_free(text);
    if (line.rfind("repaint", 0) == 0) {
        watch->window->Repaint();
        Say("repainted");
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

int RunButtons(const Args& args) {
    const bool titlebar = !args.empty() && args[0] == "--titlebar";
    CButtonWindow window(titlebar);
    gtk_widget_show_all(window.Window());
    AnnounceOnFirstDraw(window.Window());
    GIOChannel* in = g_io_channel_unix_new(0);
    StdinWatch watch{&window};
    watch.id = g_io_add_watch(in, GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR), OnStdin, &watch);
    gtk_main();
    if (watch.id != 0) g_source_remove(watch.id);
    g_io_channel_unref(in);
    return 0;
}

}  // namespace vostra::harness
