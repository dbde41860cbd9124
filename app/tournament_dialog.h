#pragma once

#include "engines/installed_engines.h"
#include "engines/level.h"
#include "gui/participants_panel.h"
#include "gui/time_control_panel.h"
#include "manager/tournament.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>
#include <gtkmm/spinbutton.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The "Tournament" dialog of Tournament > New / Edit / Reset: the pages
// "Event" (event, site, iterations, parallel games, type, opening suite and
// three flags), "Participants" (installed engines and participants) and
// "TimeControl", filled from a tournament, with the buttons "CANCEL" and
// "OK". It reads nothing back by itself: the caller asks for each field.
//
// The opening-suite button and the three check buttons belong to the main
// window, which keeps their state between dialogs; the dialog labels them,
// sets the checks from the tournament's flags, shows them on its event page
// and gives them back when it goes.
class TournamentDialog : public Gtk::Dialog {
public:
    static constexpr int response_cancel = 0;
    static constexpr int response_ok = 1;

    // The main window's widgets that the event page shows.
    struct Borrowed {
        Gtk::Button& book;
        Gtk::CheckButton& random_order;
        Gtk::CheckButton& both_colors;
        Gtk::CheckButton& ignore_time_loss;
    };

    // A dialog transient for parent showing the tournament; the participants
    // page offers the installed engines that do not take part, the time
    // control page shows level.
    TournamentDialog(Gtk::Window& parent, const Tournament& tournament, InstalledEngines& installed,
                     const Level& level, Borrowed borrowed);
    ~TournamentDialog() override;
    TournamentDialog(const TournamentDialog&) = delete;
    TournamentDialog& operator=(const TournamentDialog&) = delete;

    std::string get_event() const { return m_event_entry.get_text(); }
    std::string get_site() const { return m_site_entry.get_text(); }
    std::string get_iterations_text() const { return m_iterations_entry.get_text(); }
    // The type chosen in the list; nothing when no item is active.
    std::optional<TournamentType> get_type() const;
    std::int32_t get_parallel_games() const { return m_parallel_spin.get_value_as_int(); }
    // The participants' names in their order on the page.
    std::vector<std::string> get_participants() { return m_participants_panel.get_participants(); }
    // The time control page's time control.
    Level get_time_control() { return m_time_control_panel.get_time_control(); }
    // Why the time control page's texts make no time control; empty when they make one.
    std::string get_time_control_refusal() const { return m_time_control_panel.refusal(); }

private:
    void add_row(Gtk::Box& row, Gtk::Label& label, Gtk::Widget& field);

    Borrowed m_borrowed;
    std::vector<std::string> m_names;
    Gtk::Notebook m_notebook;
    Gtk::Box m_event_page;
    Gtk::Box m_event_row;
    Gtk::Box m_site_row;
    Gtk::Box m_iterations_row;
    Gtk::Box m_parallel_row;
    Gtk::Label m_event_label;
    Gtk::Label m_site_label;
    Gtk::Label m_iterations_label;
    Gtk::Label m_parallel_label;
    Gtk::Entry m_event_entry;
    Gtk::Entry m_site_entry;
    Gtk::Entry m_iterations_entry;
    Gtk::SpinButton m_parallel_spin;
    Gtk::ComboBoxText m_type_combo;
    ParticipantsPanel m_participants_panel;
    TimeControlPanel m_time_control_panel;
};
