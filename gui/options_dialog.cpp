#include "gui/options_dialog.h"

#include "gui/displayable_text.h"
#include "gui/options_layout.h"

#include <gdkmm/display.h>
#include <gdkmm/monitor.h>

#include <string>

namespace {

// The height of the first monitor's work area, or a common screen's when the
// display names no monitor.
int work_area_height(Gtk::Window& window)
{
    Glib::RefPtr<Gdk::Monitor> monitor = window.get_display()->get_monitor(0);
    if (!monitor) {
        return 768;
    }
    Gdk::Rectangle area;
    monitor->get_workarea(area);
    return area.get_height();
}

}

OptionsDialog::OptionsDialog(const Glib::ustring& title, Gtk::Window& parent, std::vector<Option>& options)
    : m_content_area(get_content_area()), m_options(&options)
{
    m_grid.set_row_spacing(10);
    m_grid.set_column_spacing(10);
    m_grid.set_border_width(10);
    set_title(title);
    set_transient_for(parent);

    // The grid grows with the options up to most of the screen's height and
    // scrolls beyond it.
    m_scroller.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    m_scroller.set_propagate_natural_width(true);
    m_scroller.set_propagate_natural_height(true);
    m_scroller.set_max_content_height(work_area_height(parent) * 3 / 4);
    m_scroller.add(m_grid);
    m_content_area->pack_start(m_scroller, Gtk::PACK_EXPAND_WIDGET, 0);

    for (const OptionPlace& spot : options_layout(options)) {
        Option& option = options[spot.option];
        const std::string type = option.get_type();
        if (spot.label) {
            Gtk::Label& label = m_labels.emplace_back(displayable_text(option.get_name()));
            label.set_xalign(0.0);
            attach_at(label, *spot.label);
        }
        if (type == "check") {
            m_check_buttons.emplace_back().bind(option);
            attach_at(m_check_buttons.back(), spot.widget);
        } else if (type == "button") {
            m_buttons.emplace_back().bind(option);
            attach_at(m_buttons.back(), spot.widget);
        } else if (type == "spin") {
            m_spin_buttons.emplace_back().bind(option);
            attach_at(m_spin_buttons.back(), spot.widget);
        } else if (type == "combo") {
            m_combos.emplace_back().bind(option);
            attach_at(m_combos.back(), spot.widget);
        } else {
            m_entries.emplace_back().bind(option);
            m_entries.back().set_hexpand(true);
            attach_at(m_entries.back(), spot.widget);
        }
    }

    m_content_area->show_all_children();
    add_button("OK", response_ok);
    signal_response().connect(sigc::mem_fun(*this, &OptionsDialog::on_answer));
    show();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::attach_at(Gtk::Widget& widget, const GridPlace& place)
{
    m_grid.attach(widget, place.column, place.row, place.width, 1);
}

void OptionsDialog::on_answer(int)
{
    // A number typed into a spin button counts only once the button reads
    // it; closing the dialog must not lose it.
    for (OptionSpinButton& spin : m_spin_buttons) {
        spin.update();
    }
}
