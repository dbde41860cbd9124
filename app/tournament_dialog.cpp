#include "app/tournament_dialog.h"

#include "app/opening_suite_label.h"

#include <gtkmm/adjustment.h>

TournamentDialog::TournamentDialog(Gtk::Window& parent, const Tournament& tournament, InstalledEngines& installed,
                                   const Level& level, Borrowed borrowed)
    : Gtk::Dialog("Tournament", parent, true),
      m_borrowed(borrowed),
      m_names(tournament.get_participant_names()),
      m_event_page(Gtk::ORIENTATION_VERTICAL, 0),
      m_event_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_site_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_iterations_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_parallel_row(Gtk::ORIENTATION_HORIZONTAL, 0),
      m_event_label("Event: "),
      m_site_label("Site:  "),
      m_iterations_label("Iterations: "),
      m_parallel_label("Parallel games: "),
      // One game at a time is all the manager plays.
      m_parallel_spin(Gtk::Adjustment::create(1, 1, 1, 1, 8, 0), 0, 0),
      m_participants_panel(installed, m_names)
{
    set_border_width(20);
    add_button("CANCEL", response_cancel);
    add_button("OK", response_ok);

    m_event_entry.set_width_chars(30);
    m_event_entry.set_alignment(0.0);
    m_event_entry.set_text(tournament.get_event());
    m_site_entry.set_width_chars(30);
    m_site_entry.set_alignment(0.0);
    m_site_entry.set_text(tournament.get_site());
    m_iterations_entry.set_width_chars(6);
    m_iterations_entry.set_alignment(1.0);
    m_iterations_entry.set_text(std::to_string(tournament.get_iterations()));
    m_parallel_spin.set_value(tournament.get_parallelgames());
    add_row(m_event_row, m_event_label, m_event_entry);
    add_row(m_site_row, m_site_label, m_site_entry);
    add_row(m_iterations_row, m_iterations_label, m_iterations_entry);
    add_row(m_parallel_row, m_parallel_label, m_parallel_spin);

    for (const TournamentType type : {TournamentType::match, TournamentType::gauntlet, TournamentType::roundrobin})
        m_type_combo.append(tournament_type_word(type));
    const auto type = static_cast<std::int32_t>(tournament.get_type());
    if (type >= 0 && type <= 2)
        m_type_combo.set_active(type);
    m_event_page.pack_start(m_type_combo, Gtk::PACK_EXPAND_WIDGET, 0);

    const std::string suite = tournament.get_openingbook();
    m_borrowed.book.set_label(suite.empty() ? "Select  PGN/EPD book" : opening_suite_label(suite));
    m_event_page.pack_start(m_borrowed.book, Gtk::PACK_EXPAND_WIDGET, 0);
    const struct {
        Gtk::CheckButton& check;
        const char* label;
        bool on;
    } checks[] = {
        {m_borrowed.random_order, "openings in random order", tournament.get_randomorder()},
        {m_borrowed.both_colors, "both colors", tournament.get_bothcolors()},
        {m_borrowed.ignore_time_loss, "ignore loss on time", tournament.get_ignoretimeloss()},
    };
    for (const auto& check : checks) {
        check.check.set_label(check.label);
        check.check.set_active(check.on);
        m_event_page.pack_start(check.check, Gtk::PACK_EXPAND_WIDGET, 0);
    }

    m_time_control_panel.set_time_control(level);
    m_notebook.append_page(m_event_page, "Event");
    m_notebook.append_page(m_participants_panel, "Participants");
    m_notebook.append_page(m_time_control_panel, "TimeControl");
    get_content_area()->pack_start(m_notebook, Gtk::PACK_EXPAND_WIDGET, 0);
    get_content_area()->show_all_children();
}

TournamentDialog::~TournamentDialog()
{
    // The window's widgets leave the page before it goes, whole, for the
    // next dialog.
    for (Gtk::Widget* widget : std::initializer_list<Gtk::Widget*>{&m_borrowed.book, &m_borrowed.random_order,
                                                                    &m_borrowed.both_colors,
                                                                    &m_borrowed.ignore_time_loss})
        m_event_page.remove(*widget);
}

void TournamentDialog::add_row(Gtk::Box& row, Gtk::Label& label, Gtk::Widget& field)
{
    row.pack_start(label, Gtk::PACK_EXPAND_WIDGET, 0);
    row.pack_start(field, Gtk::PACK_EXPAND_WIDGET, 0);
    m_event_page.pack_start(row, Gtk::PACK_EXPAND_WIDGET, 0);
}

std::optional<TournamentType> TournamentDialog::get_type() const
{
    const Glib::ustring chosen = m_type_combo.get_active_text();
    for (const TournamentType type : {TournamentType::match, TournamentType::gauntlet, TournamentType::roundrobin})
        if (chosen == tournament_type_word(type))
            return type;
    return std::nullopt;
}
