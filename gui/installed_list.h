#pragma once

#include "gui/chooser_table.h"

#include <gtkmm/window.h>

#include <string>
#include <vector>

class InstalledEngines;

// The "Choose Engine" dialog: lists the installed engines by name and lets
// the user load one ("LOAD") or uninstall one ("UNINSTALL").
class InstalledList {
public:
    // The responses of the dialog's buttons.
    static constexpr int uninstall_response = 0;
    static constexpr int cancel_response = 1;
    static constexpr int load_response = 2;

    // The dialog is transient for parent, which must outlive the list.
    explicit InstalledList(Gtk::Window& parent);

    // Empties the list; the next row added gets number 1.
    void clear();
    // Appends a row with the next number and the engine's name.
    void add_engine(const std::string& name);

    // Lists the installed engines in name order and runs the dialog.
    // "LOAD" returns the selected engine's name (or, with no row selected,
    // the name chosen last time, "" at first). "UNINSTALL" asks the user to
    // confirm, then removes the selected engine from engines and saves them
    // to "engines.cfg" (the old file kept as the backup), returning ""; with
    // no engine selected, or the question answered No, it changes and saves
    // nothing. "CANCEL" and closing the dialog return "".
    // Throws std::runtime_error, from InstalledEngines::write_engines_cfg,
    // when the list cannot be saved.
    std::string choose_engine(InstalledEngines& engines);

private:
    std::string selected_name();

    Gtk::Window& m_parent;
    ChooserTable m_table;
    std::string m_kept;
    // The names exactly as installed, by row; the table shows them displayable.
    std::vector<std::string> m_names;
};
