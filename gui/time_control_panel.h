#pragma once

#include "engines/level.h"
#include "gui/time_control_texts.h"

#include <gtkmm/box.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

#include <array>
#include <string>
#include <utility>

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
    // Why get_time_control would not give what the user typed, in words for
    // a message box; empty when it would (TimeControlTexts::refusal).
    std::string refusal() const;
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
    // The radio button of each kind and the entry of each text, so that
    // reading and showing the texts walk the same pairs.
    const std::array<std::pair<level_t, Gtk::RadioButton*>, 5> m_kind_radios{
        {{fixed_depth, &m_fixed_depth_radio},
         {fixed_nodes, &m_fixed_nodes_radio},
         {fixed_movetime, &m_fixed_movetime_radio},
         {sudden_death, &m_sudden_death_radio},
         {sessions, &m_sessions_radio}}};
    const std::array<std::pair<std::string TimeControlTexts::*, Gtk::Entry*>, 8> m_text_entries{
        {{&TimeControlTexts::depth, &m_depth_entry},
         {&TimeControlTexts::nodes, &m_nodes_entry},
         {&TimeControlTexts::movetime, &m_movetime_entry},
         {&TimeControlTexts::moves, &m_moves_entry},
         {&TimeControlTexts::base, &m_base_entry},
         {&TimeControlTexts::increment, &m_increment_entry},
         {&TimeControlTexts::sd_base, &m_sd_base_entry},
         {&TimeControlTexts::sd_increment, &m_sd_increment_entry}}};
};
