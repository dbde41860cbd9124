#include "unanswered_dialogs.h"

#include "tests/support/test_time.h"

#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace widget_test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds unanswered_after{20000};
constexpr unsigned check_interval_ms = 250;

void collect_texts(GtkWidget* widget, gpointer texts)
{
    if (GTK_IS_LABEL(widget)) {
        const std::string text = gtk_label_get_text(GTK_LABEL(widget));
        if (!text.empty())
            static_cast<std::string*>(texts)->append(" \"" + text + "\"");
    }
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), collect_texts, texts);
}

constexpr const char* shown_since_key = "torvane-test-shown-since";

// When the dialog was first seen on screen since it was last hidden; kept on
// the dialog itself, so that a new dialog made where an old one was starts afresh.
Clock::time_point shown_since(Gtk::Dialog& dialog, Clock::time_point now)
{
    GObject* object = G_OBJECT(dialog.gobj());
    if (auto* since = static_cast<Clock::time_point*>(g_object_get_data(object, shown_since_key)))
        return *since;
    g_object_set_data_full(object, shown_since_key, new Clock::time_point(now),
                           [](gpointer since) { delete static_cast<Clock::time_point*>(since); });
    return now;
}

void close_and_fail(Gtk::Dialog& dialog)
{
    // A file chooser's labels are its own furniture: what it holds tells more.
    std::string texts;
    if (GTK_IS_FILE_CHOOSER(dialog.gobj())) {
        gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog.gobj()));
        texts = " the file chosen is " + std::string(file ? "\"" + std::string(file) + "\"" : "none");
        g_free(file);
    } else {
        collect_texts(GTK_WIDGET(dialog.gobj()), &texts);
    }
    ADD_FAILURE() << "no test code answered the dialog \"" << dialog.get_title() << "\" within "
                  << torvane_test::scaled(unanswered_after).count() << " ms; closed it. Its texts:" << texts;
    dialog.response(Gtk::RESPONSE_DELETE_EVENT);
    dialog.hide();
}

bool check_dialogs()
{
    const auto now = Clock::now();
    for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
        auto* dialog = dynamic_cast<Gtk::Dialog*>(window);
        if (!dialog)
            continue;
        if (!dialog->get_mapped()) {
            g_object_set_data(G_OBJECT(dialog->gobj()), shown_since_key, nullptr);
        } else if (now - shown_since(*dialog, now) >= torvane_test::scaled(unanswered_after)) {
            g_object_set_data(G_OBJECT(dialog->gobj()), shown_since_key, nullptr);
            close_and_fail(*dialog);
        }
    }
    return true;
}

}

void watch_unanswered_dialogs()
{
    static const bool watching = [] {
        Glib::signal_timeout().connect(&check_dialogs, check_interval_ms);
        return true;
    }();
    (void)watching;
}

}
