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
    for (const auto& [kind, radio] : m_kind_radios)
        radio->set_group(m_group);
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

std::string TimeControlPanel::refusal() const { return texts().refusal(); }

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
    for (const auto& [kind, radio] : m_kind_radios)
        if (radio->get_active())
            texts.kind = kind;
    for (const auto& [text, entry] : m_text_entries)
        texts.*text = entry->get_text();
    return texts;
}

void TimeControlPanel::show_texts(const TimeControlTexts& texts)
{
    // A kind without a radio button of its own shows as sessions.
    Gtk::RadioButton* shown = &m_sessions_radio;
    for (const auto& [kind, radio] : m_kind_radios)
        if (kind == texts.kind)
            shown = radio;
    shown->set_active(true);
    for (const auto& [text, entry] : m_text_entries)
        entry->set_text(texts.*text);
}
