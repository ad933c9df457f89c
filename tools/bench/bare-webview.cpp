// bare-webview [--data-dir DIR] [--size WxH] URL
// bare-webview --version
//
// The least a WebKitGTK program does to show a page: one GtkWindow titled
// "bare-webview", 686 x 437 (the login form's size) unless --size says
// otherwise, holding one WebKitWebView with the engine settings the
// launcher's views use (no compositing of layers), loading URL. The
// benchmarks time it from exec to the page on screen: the floor every
// WebKitGTK program stands on.
//
// Without --data-dir the view runs on the default web context. With it, on
// a context whose website data live in DIR, with the cookies in SQLite at
// DIR/cookies.sqlite (the launcher's layout, so a folder the launcher has
// logged in with gives this view the same cookies); its other caches go
// to DIR/bare-webview-caches, so it never reuses the launcher's disk cache.
// --version prints the WebKitGTK version the program runs on.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

WebKitWebContext* ContextOn(const std::string& dir) {
    const std::string caches = dir + "/bare-webview-caches";
    auto* manager = WEBKIT_WEBSITE_DATA_MANAGER(
        g_object_new(WEBKIT_TYPE_WEBSITE_DATA_MANAGER, "base-data-directory", dir.c_str(),
                     "base-cache-directory", caches.c_str(), nullptr));
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(manager);
    webkit_cookie_manager_set_persistent_storage(
        webkit_website_data_manager_get_cookie_manager(manager), (dir + "/cookies.sqlite").c_str(),
        WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    g_object_unref(manager);
    return context;
}

int Usage() {
    fprintf(stderr,
            "usage: bare-webview [--data-dir DIR] [--size WxH] URL | bare-webview --version\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        printf("%u.%u.%u\n", webkit_get_major_version(), webkit_get_minor_version(),
               webkit_get_micro_version());
        return 0;
    }
    std::string data_dir;
    int width = 686;
    int height = 437;
    int i = 1;
    for (; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--data-dir") == 0) {
            data_dir = argv[i + 1];
        } else if (strcmp(argv[i], "--size") == 0) {
            if (sscanf(argv[i + 1], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) {
                return Usage();
            }
        } else {
            break;
        }
    }
    if (i != argc - 1) return Usage();
    gtk_init(nullptr, nullptr);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare-webview");
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = data_dir.empty() ? webkit_web_view_new()
                                       : webkit_web_view_new_with_context(ContextOn(data_dir));
    webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view)),
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[i]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
