#pragma once

#include "engines/level.h"
#include "gui/time_control_texts.h"

#include <gtkmm/box.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

// The time-control editor of the time-control and tournament dialogs: five
// radio buttons (fixed depth, fixed nodes, fixed movetime, sessions, sudden
// death) with the entries of each kind. Every entry stays editable; only the
// selected kind's entries are read.
class TimeControlPanel : public Gtk::Box {
public:
    // Shows the default time control "sessions 40 0:10 0.1".
    TimeControlPanel();
    ~TimeControlPanel() override;

    // The time control the user selected and typed, read by Level::set from
    // the selected kind's entries (TimeControlTexts::level_text: an entry
    // that holds no number gives 0). Never throws.
    Level get_time_control();
    // Selects the level's kind and shows its numbers (the increment exactly,
    // in seconds); the entries of the other kinds keep their texts.
    void set_time_control(Level level);

private:
    TimeControlTexts texts() const;
    void show_texts(const TimeControlTexts& texts);

    Level m_level;
    Gtk::Entry m_depth_entry;
    Gtk::Entry m_nodes_entry;
    Gtk::Entry m_movetime_entry;
    Gtk::Entry m_moves_entry;
    Gtk::Entry m_base_entry;
    Gtk::Entry m_increment_entry;
    Gtk::Entry m_sd_base_entry;
    Gtk::Entry m_sd_increment_entry;
    Gtk::RadioButton m_fixed_depth_radio;
    Gtk::RadioButton m_fixed_nodes_radio;
    Gtk::RadioButton m_fixed_movetime_radio;
    Gtk::RadioButton m_sudden_death_radio;
    Gtk::RadioButton m_sessions_radio;
    Gtk::RadioButtonGroup m_group;
    Gtk::Box m_depth_row;
    Gtk::Box m_nodes_row;
    Gtk::Box m_movetime_row;
    Gtk::Box m_sudden_death_row;
    Gtk::Box m_sessions_row;
    Gtk::Box m_sessions_fields_row;
    Gtk::Box m_sudden_death_fields_row;
    Gtk::Label m_moves_label;
    Gtk::Label m_base_label;
    Gtk::Label m_increment_label;
    Gtk::Label m_sd_base_label;
    Gtk::Label m_sd_increment_label;
};
