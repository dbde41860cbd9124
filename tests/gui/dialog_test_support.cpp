#include "dialog_test_support.h"

#include "engines/cv_trio.h"
#include "engines/gui_engine.h"
#include "tests/support/peer_programs.h"
#include "widget_test_support.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <X11/extensions/XTest.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace dialog_test {

namespace {

void collect(GtkWidget* widget, gpointer found)
{
    auto* widgets = static_cast<std::vector<Gtk::Widget*>*>(found);
    widgets->push_back(Glib::wrap(widget));
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), collect, found);
    }
}

}

std::vector<Gtk::Widget*> all_widgets(Gtk::Widget& root)
{
    std::vector<Gtk::Widget*> found;
    collect(root.gobj(), &found);
    return found;
}

DialogScript::DialogScript()
{
    m_tick = Glib::signal_timeout().connect(sigc::mem_fun(*this, &DialogScript::on_tick), 20);
}

DialogScript::~DialogScript()
{
    m_tick.disconnect();
}

bool DialogScript::on_tick()
{
    // A step may itself run a main loop (a screenshot waits for drawing);
    // the next step waits until it has finished.
    if (m_acting || m_steps.empty()) {
        return true;
    }
    m_acting = true;
    if (m_steps.front()()) {
        m_steps.pop_front();
    }
    m_acting = false;
    return true;
}

void click(Gtk::Widget& widget, int x, int y)
{
    int window_x = 0;
    int window_y = 0;
    widget.translate_coordinates(*widget.get_toplevel(), x, y, window_x, window_y);
    widget_test::move_pointer(*widget.get_toplevel(), window_x, window_y);
    widget_test::run_for(30);
    Display* display = gdk_x11_display_get_xdisplay(widget.get_display()->gobj());
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    widget_test::run_for(60);
}

void click_row(Gtk::TreeView& view, int row)
{
    Gdk::Rectangle cell;
    view.get_cell_area(Gtk::TreePath(std::to_string(row)), *view.get_column(0), cell);
    int x = 0;
    int y = 0;
    view.convert_bin_window_to_widget_coords(cell.get_x() + cell.get_width() / 2,
                                              cell.get_y() + cell.get_height() / 2, x, y);
    click(view, x, y);
}

std::vector<std::string> table_rows(Gtk::TreeView& view)
{
    std::vector<std::string> rows;
    const Glib::RefPtr<Gtk::TreeModel> model = view.get_model();
    for (const Gtk::TreeRow& row : model->children()) {
        std::string text;
        for (int column = 0; column < model->get_n_columns(); ++column) {
            GValue value = G_VALUE_INIT;
            gtk_tree_model_get_value(model->gobj(), const_cast<GtkTreeIter*>(row.gobj()), column, &value);
            const char* string = G_VALUE_HOLDS_STRING(&value) ? g_value_get_string(&value) : nullptr;
            text += (column ? "|" : "")
                    + (G_VALUE_HOLDS_STRING(&value) ? std::string(string ? string : "")
                                                    : std::to_string(g_value_get_uint(&value)));
            g_value_unset(&value);
        }
        rows.push_back(text);
    }
    return rows;
}

std::vector<std::string> column_titles(Gtk::TreeView& view)
{
    std::vector<std::string> titles;
    for (Gtk::TreeViewColumn* column : view.get_columns()) {
        titles.push_back(column->get_title());
    }
    return titles;
}

EngineVariables engine_record(const std::string& program, int protocol)
{
    static std::map<std::string, EngineVariables> loaded;
    const std::string key = program + " " + std::to_string(protocol);
    if (auto known = loaded.find(key); known != loaded.end()) {
        return known->second;
    }
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::string> lines;
    GuiEngine owner;
    owner.load(1, torvane_test::peer_program(program), protocol, CVTrio(&mutex, &wake, &lines));
    if (!owner.engine_running()) {
        throw std::runtime_error("engine_record: " + program + " did not start");
    }
    EngineVariables record = owner.copy_enginevariables();
    owner.unload_engine();
    return loaded.emplace(key, record).first->second;
}

std::vector<Option> option_list(const EngineVariables& record)
{
    std::vector<Option> options;
    for (const auto& [name, option] : record.get_options()) {
        options.push_back(option);
    }
    return options;
}

}
