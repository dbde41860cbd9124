#pragma once

#include "engines/engine_variables.h"
#include "engines/installed_engines.h"

#include <gtkmm/box.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <deque>
#include <string>

// The "Install engine" dialog: installs an engine record into engines.cfg
// under a name, Elo rating and handicap (%) that the user types, above a
// read-only summary of the engine's option values. Everything happens in the
// constructor; the caller only reads installed() and destroys the dialog.
class InstallDialog : public Gtk::Dialog {
public:
    // Builds the dialog, transient for parent, with the engine's name, the
    // Elo of an engine installed under that name, and the record's handicap;
    // runs it modally until the user cancels (CANCEL, -6, or closing the
    // window: nothing changes) or the engine is installed (OK, -5). On OK:
    // - a name that is empty (blanks at its ends are dropped) is refused with
    //   a message, and the dialog stays open;
    // - a handicap that is not a decimal number (a comma reads as the
    //   decimal sign and is written as a point) is refused with a message,
    //   and the dialog stays open;
    // - a name already installed is replaced only after the user confirms it
    //   (otherwise the dialog stays open for another name);
    // - the record, with the name, Elo and handicap as typed, is added to the
    //   engines read from engines.cfg and the file is rewritten (the old one
    //   kept as engines.cfg~); a file that cannot be written is reported
    //   with a message, the dialog staying open.
    // The caller's record gets the name, Elo and handicap only when the
    // engine was installed.
    InstallDialog(const Glib::ustring& title, Gtk::Window& parent, EngineVariables& engine);
    ~InstallDialog() override;

    // Whether the engine was installed.
    bool installed() const { return m_done; }

private:
    void attach(Gtk::Widget& widget, int column, int row, int width);
    // Handles OK: true when the engine is installed.
    bool install();
    void tell(const std::string& primary, const std::string& secondary);
    bool confirm_replace(const std::string& name);

    InstalledEngines m_installed;
    Gtk::Box* m_content_area;
    Gtk::Grid m_grid;
    std::deque<Gtk::Label> m_labels;
    Gtk::Label m_name_label;
    Gtk::Entry m_name_entry;
    Gtk::Label m_elo_label;
    Gtk::Entry m_elo_entry;
    Gtk::Label m_handicap_label;
    Gtk::Entry m_handicap_entry;
    EngineVariables* m_engine;
    bool m_done = false;
};
