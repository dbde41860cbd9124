#pragma once

#include "engines/installed_engines.h"
#include "gui/delete_selection.h"

#include <gtkmm/box.h>

#include <array>
#include <string>
#include <vector>

// The participants page of the tournament dialog: the installed engines that
// do not take part on the left ("Engine"), the participants in their order on
// the right ("Participant"). A click on a name moves it to the other list's
// end; both lists guard these moves (SelectionGuard), so the first click
// reported to a list and the cursor changes that a move itself causes move
// nothing.
class ParticipantsPanel : public Gtk::Box {
public:
    // Lists every installed engine (by name, in name order) on the left, then
    // moves each given participant, in the given order, to the right: a name
    // that is not installed is shown on the right only, a name given twice is
    // listed twice.
    ParticipantsPanel(InstalledEngines& engines, std::vector<std::string>& participants);
    ~ParticipantsPanel() override;

    // The names on the right, top to bottom.
    std::vector<std::string> get_participants();
    // Appends a name to the left list, guarded like a click.
    void add_engine(const std::string& name);
    // Empties both lists.
    void clear();

private:
    void on_engines_activated();
    void on_participants_activated();
    void move(DeleteSelection& from, DeleteSelection& to);

    Gtk::Box m_hbox;
    std::array<DeleteSelection, 2> m_lists;
    std::vector<std::string> m_participants;
};
