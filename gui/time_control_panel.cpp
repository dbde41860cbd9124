#include "gui/time_control_panel.h"

namespace {

void style_entry(Gtk::Entry& entry, int width_chars)
{
    entry.set_width_chars(width_chars);
    entry.set_alignment(1.0);
}

}

TimeControlPanel::TimeControlPanel()
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 0), m_fixed_depth_radio("fixed depth"), m_fixed_nodes_radio("fixed nodes"),
      m_fixed_movetime_radio("fixed movetime (ms)"), m_sudden_death_radio("sudden death"),
      m_sessions_radio("sessions"), m_depth_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_nodes_row(Gtk::ORIENTATION_HORIZONTAL, 0), m_movetime_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_sudden_death_row(Gtk::ORIENTATION_HORIZONTAL, 0), m_sessions_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_sessions_fields_row(Gtk::ORIENTATION_HORIZONTAL, 0), m_sudden_death_fields_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_moves_label(" Moves: "), m_base_label(" Base (mm:ss): "), m_increment_label(" Inc (sec): "),
      m_sd_base_label(" Base (mm:ss): "), m_sd_increment_label(" Inc (sec): ")
{
    for (Gtk::RadioButton* radio : {&m_fixed_depth_radio, &m_fixed_nodes_radio, &m_fixed_movetime_radio,
                                    &m_sudden_death_radio, &m_sessions_radio}) {
        radio->set_group(m_group);
    }
    // The default time control fills both timed forms.
    TimeControlTexts shown;
    shown.show(m_level);
    shown.sd_base = shown.base;
    shown.sd_increment = shown.increment;
    show_texts(shown);

    // The single-number entries line up in a column at the right; the
    // fields of the two timed kinds sit indented below their radio buttons.
    style_entry(m_depth_entry, 10);
    style_entry(m_nodes_entry, 10);
    style_entry(m_movetime_entry, 10);
    style_entry(m_moves_entry, 5);
    style_entry(m_base_entry, 10);
    style_entry(m_increment_entry, 5);
    style_entry(m_sd_base_entry, 10);
    style_entry(m_sd_increment_entry, 5);

    m_depth_row.pack_start(m_fixed_depth_radio, Gtk::PACK_EXPAND_WIDGET, 0);
    m_depth_row.pack_start(m_depth_entry, Gtk::PACK_SHRINK, 0);
    m_nodes_row.pack_start(m_fixed_nodes_radio, Gtk::PACK_EXPAND_WIDGET, 0);
    m_nodes_row.pack_start(m_nodes_entry, Gtk::PACK_SHRINK, 0);
    m_movetime_row.pack_start(m_fixed_movetime_radio, Gtk::PACK_EXPAND_WIDGET, 0);
    m_movetime_row.pack_start(m_movetime_entry, Gtk::PACK_SHRINK, 0);
    m_sessions_row.pack_start(m_sessions_radio, Gtk::PACK_EXPAND_WIDGET, 0);
    for (Gtk::Widget* field : std::initializer_list<Gtk::Widget*>{&m_moves_label, &m_moves_entry, &m_base_label,
                                                                  &m_base_entry, &m_increment_label,
                                                                  &m_increment_entry}) {
        m_sessions_fields_row.pack_start(*field, Gtk::PACK_SHRINK, 0);
    }
    m_sudden_death_row.pack_start(m_sudden_death_radio, Gtk::PACK_EXPAND_WIDGET, 0);
    for (Gtk::Widget* field : std::initializer_list<Gtk::Widget*>{&m_sd_base_label, &m_sd_base_entry,
                                                                  &m_sd_increment_label, &m_sd_increment_entry}) {
        m_sudden_death_fields_row.pack_start(*field, Gtk::PACK_SHRINK, 0);
    }
    m_sessions_fields_row.set_margin_start(20);
    m_sudden_death_fields_row.set_margin_start(20);
    set_spacing(4);
    for (Gtk::Box* row : {&m_depth_row, &m_nodes_row, &m_movetime_row, &m_sessions_row, &m_sessions_fields_row,
                          &m_sudden_death_row, &m_sudden_death_fields_row}) {
        pack_start(*row, Gtk::PACK_SHRINK, 0);
    }
    show_all_children();
}

TimeControlPanel::~TimeControlPanel() = default;

Level TimeControlPanel::get_time_control()
{
    m_level.set(texts().level_text());
    return m_level;
}

void TimeControlPanel::set_time_control(Level level)
{
    m_level = level;
    TimeControlTexts shown = texts();
    shown.show(level);
    show_texts(shown);
}

TimeControlTexts TimeControlPanel::texts() const
{
    TimeControlTexts texts;
    if (m_fixed_depth_radio.get_active()) {
        texts.kind = fixed_depth;
    } else if (m_fixed_nodes_radio.get_active()) {
        texts.kind = fixed_nodes;
    } else if (m_fixed_movetime_radio.get_active()) {
        texts.kind = fixed_movetime;
    } else if (m_sudden_death_radio.get_active()) {
        texts.kind = sudden_death;
    } else {
        texts.kind = sessions;
    }
    texts.depth = m_depth_entry.get_text();
    texts.nodes = m_nodes_entry.get_text();
    texts.movetime = m_movetime_entry.get_text();
    texts.moves = m_moves_entry.get_text();
    texts.base = m_base_entry.get_text();
    texts.increment = m_increment_entry.get_text();
    texts.sd_base = m_sd_base_entry.get_text();
    texts.sd_increment = m_sd_increment_entry.get_text();
    return texts;
}

void TimeControlPanel::show_texts(const TimeControlTexts& texts)
{
    switch (texts.kind) {
    case fixed_depth:
        m_fixed_depth_radio.set_active(true);
        break;
    case fixed_nodes:
        m_fixed_nodes_radio.set_active(true);
        break;
    case fixed_movetime:
        m_fixed_movetime_radio.set_active(true);
        break;
    case sudden_death:
        m_sudden_death_radio.set_active(true);
        break;
    default:
        m_sessions_radio.set_active(true);
        break;
    }
    m_depth_entry.set_text(texts.depth);
    m_nodes_entry.set_text(texts.nodes);
    m_movetime_entry.set_text(texts.movetime);
    m_moves_entry.set_text(texts.moves);
    m_base_entry.set_text(texts.base);
    m_increment_entry.set_text(texts.increment);
    m_sd_base_entry.set_text(texts.sd_base);
    m_sd_increment_entry.set_text(texts.sd_increment);
}
