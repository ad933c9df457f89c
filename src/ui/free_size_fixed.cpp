#include "ui/free_size_fixed.h"

namespace vostra::ui {
namespace {

struct FreeSizeFixed {
    GtkFixed parent;
};
struct FreeSizeFixedClass {
    GtkFixedClass parent_class;
};

G_DEFINE_TYPE(FreeSizeFixed, free_size_fixed, GTK_TYPE_FIXED)

void NoRoom(GtkWidget*, gint* minimum, gint* natural) {
    *minimum = 0;
    *natural = 0;
}

void free_size_fixed_class_init(FreeSizeFixedClass* klass) {
    GtkWidgetClass* widget = GTK_WIDGET_CLASS(klass);
    widget->get_preferred_width = NoRoom;
    widget->get_preferred_height = NoRoom;
}

void free_size_fixed_init(FreeSizeFixed*) {}

}  // namespace

GtkWidget* FreeSizeFixedNew() { return GTK_WIDGET(g_object_new(free_size_fixed_get_type(), nullptr)); }

}  // namespace vostra::ui
