#include <cstdio>

#include "harness.h"
#include "ui/custom_message_box.h"
#include "ui/message_texts.h"

namespace vostra::harness {
namespace {

struct BoxWatch {
    ui::CCustomMessageBox* box;
    bool announced = false;
};

// The box's window exists only inside DoModal: watch for it from the
// nested loop and announce it once painted.
gboolean WatchForBox(gpointer data) {
    auto* watch = static_cast<BoxWatch*>(data);
    GtkWidget* window = watch->box->Window();
    if (window == nullptr) return G_SOURCE_CONTINUE;
    AnnounceOnFirstDraw(window);
    watch->announced = true;
    return G_SOURCE_REMOVE;
}

bool QuestionOf(const std::string& caller, ui::Question* q) {
    if (caller == "uninstall") *q = ui::UninstallQuestion();
    else if (caller == "newserver") *q = ui::NewServerQuestion();
    else if (caller == "exit") *q = ui::ExitQuestion();
    else return false;
    return true;
}

const char* ResultName(int result) {
    if (result == ui::IDOK) return "IDOK";
    if (result == ui::IDCANCEL) return "IDCANCEL";
    return "FAILED";
}

}  // namespace

int RunMessageBox(const Args& args) {
    ui::Question q{"", ""};
    bool have_text = false;
    int owner_w = 0;
    int owner_h = 0;
    int owner_x = 100;
    int owner_y = 80;
    std::vector<std::string> texts;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--owner" && i + 1 < args.size()) {
            // WxH, or WxH+X+Y to place the owner elsewhere than (100, 80).
            const std::string& g = args[++i];
            if (!ParseSize(g, &owner_w, &owner_h)) return 2;
            const size_t plus = g.find('+');
            if (plus != std::string::npos &&
                sscanf(g.c_str() + plus, "+%d+%d", &owner_x, &owner_y) != 2)
                return 2;
        } else if (args[i] == "--caller" && i + 1 < args.size()) {
            if (!QuestionOf(args[++i], &q)) return 2;
            have_text = true;
        } else {
            texts.push_back(args[i]);
        }
    }
    if (texts.size() == 2) {
        q = {texts[0], texts[1]};
        have_text = true;
    }

    GtkWidget* owner = nullptr;
    if (owner_w > 0) {
        owner = CreatePatternWindow("owner", {owner_x, owner_y, owner_w, owner_h});
        gtk_widget_show_all(owner);
        AnnounceOnFirstDraw(owner);
        // Let the owner reach the screen before the box is centred on it.
        while (gtk_events_pending()) gtk_main_iteration();
        g_usleep(200 * 1000);
        while (gtk_events_pending()) gtk_main_iteration();
    }
    ui::CCustomMessageBox box(owner != nullptr ? GTK_WINDOW(owner) : nullptr);
    if (have_text) box.SetText(q.title, q.message);
    BoxWatch watch{&box};
    const guint watch_id = g_timeout_add(2, WatchForBox, &watch);
    const int result = box.DoModal();
    if (!watch.announced) g_source_remove(watch_id);
    Say(ResultName(result));
    if (owner != nullptr) gtk_widget_destroy(owner);
    return result == ui::kDoModalFailed ? 1 : 0;
}

}  // namespace vostra::harness
