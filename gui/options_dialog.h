#pragma once

#include "engines/option.h"
#include "gui/grid_cursor.h"
#include "gui/option_button.h"
#include "gui/option_check_button.h"
#include "gui/option_combo_box_text.h"
#include "gui/option_entry.h"
#include "gui/option_spin_button.h"

#include <gtkmm/box.h>
#include <gtkmm/dialog.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <deque>
#include <vector>

// The "Set Options" dialog: one editing widget for every option of an
// engine, grouped by type in a four-column grid (see options_layout), each
// writing every edit straight into the caller's Option record. It sends
// nothing: the caller compares its list before and after the dialog
// (changed_options) and sends what changed, pressed buttons included.
class OptionsDialog : public Gtk::Dialog {
public:
    // The response of the dialog's only button, "OK".
    static constexpr int response_ok = 1;

    // Builds and shows the dialog for the caller's options, transient for
    // parent; the caller then runs it (Gtk::Dialog::run) and destroys it.
    // When it shows, every option's changed flag is false and the value texts
    // are those shown (spin values clamped into their ranges). The options
    // must stay alive and the list unchanged in size while the dialog lives.
    // A list too long for the screen scrolls.
    OptionsDialog(const Glib::ustring& title, Gtk::Window& parent, std::vector<Option>& options);
    ~OptionsDialog() override;

private:
    void attach_at(Gtk::Widget& widget, const GridPlace& place);
    void on_answer(int response);

    Gtk::Box* m_content_area;
    Gtk::ScrolledWindow m_scroller;
    Gtk::Grid m_grid;
    std::deque<OptionCheckButton> m_check_buttons;
    std::deque<OptionSpinButton> m_spin_buttons;
    std::deque<Gtk::Label> m_labels;
    std::deque<OptionEntry> m_entries;
    std::deque<OptionButton> m_buttons;
    std::deque<OptionComboBoxText> m_combos;
    std::vector<Option>* m_options;
};
