// bare-webview URL
// bare-webview --version
//
// The least a WebKitGTK program does to show a page: one GtkWindow titled
// "bare-webview", 686 x 437 (the login form's size), holding one
// WebKitWebView on the default web context with the engine settings the
// login form uses (no compositing of layers), loading URL. The login benchmark times it from exec to the page on screen: the
// floor every WebKitGTK program stands on. --version prints the WebKitGTK
// version the program runs on.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        printf("%u.%u.%u\n", webkit_get_major_version(), webkit_get_minor_version(),
               webkit_get_micro_version());
        return 0;
    }
    if (argc != 2) {
        fprintf(stderr, "usage: bare-webview URL | bare-webview --version\n");
        return 2;
    }
    gtk_init(nullptr, nullptr);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare-webview");
    gtk_window_set_default_size(GTK_WINDOW(window), 686, 437);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* view = webkit_web_view_new();
    webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view)),
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
