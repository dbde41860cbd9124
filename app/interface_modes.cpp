// The Mode menu, thinking, pondering, debugging, the time control and the
// tournament dialog's opening-suite button.
//
// A radio's handler runs both when its mode is left and when it is chosen
// (the one left first); each reads its radio to tell which.
#include "app/interface.h"

#include "app/message_box.h"
#include "app/mode_dialogs.h"
#include "app/opening_suite_label.h"
#include "engines/protocol_detection.h"
#include "gui/time_control_panel.h"
#include "manager/tournament_claim.h"
#include "manager/tournament_games_left.h"
#include "manager/tournament_lock.h"

#include <glibmm/main.h>
#include <gtkmm/dialog.h>
#include <gtkmm/stock.h>

#include <stdexcept>

void Interface::on_menu_mode_human_human()
{
    if (!m_human_human_action->get_active())
        return;
    leave_engine_sides();
    m_clocks.stop();
    // Leaving a tournament game has stopped the manager's play already.
    if (!m_state.engines_stopped())
        send_to_manager("human_human");
    highlight_side_to_move();
}

void Interface::leave_engine_sides()
{
    m_start_thinking_action->set_sensitive(false);
    m_tournament_new_action->set_sensitive(true);
    m_engine_plays_white = 0;
    m_engine_plays_black = 0;
    m_clocks_stopped = true;
    tag_players_and_time_control();
}

void Interface::start_clocks_afresh()
{
    m_clocks.set_time_control(m_level);
    m_clocks.update();
    highlight_side_to_move();
    send_to_manager("level " + m_level.to_string());
}

void Interface::highlight_side_to_move()
{
    if (white_to_move())
        m_clocks.highlight_white();
    else
        m_clocks.highlight_black();
}

void Interface::on_menu_mode_human_computer()
{
    const bool chosen = m_human_computer_action->get_active();
    m_start_thinking_action->set_sensitive(chosen);
    m_ponder_action->set_sensitive(chosen);
    if (!chosen)
        return;
    m_tournament_new_action->set_sensitive(true);
    // The user keeps the side to move; the engine answers.
    const bool white = white_to_move();
    m_engine_plays_white = white ? 0 : 1;
    m_engine_plays_black = white ? 1 : 0;
    tag_players_and_time_control();
    m_clocks_stopped = false;
    send_to_manager("setboard " + m_position.fen());
    send_to_manager("human_computer");
    highlight_side_to_move();
}

void Interface::on_menu_mode_analyze_position()
{
    if (!m_analyze_action->get_active())
        return;
    if (!engine_can_analyse()) {
        refuse_analysis();
        return;
    }
    leave_engine_sides();
    send_position();
}

void Interface::refuse_analysis()
{
    m_human_human_action->set_active(true);
    run_message_box(*this, "No analysis with this engine",
                    "This engine speaks the xboard protocol, with which the program cannot analyse. "
                    "Analysis needs a UCI engine: load one to analyse.");
}

void Interface::on_menu_mode_learn_openings()
{
    if (!m_learn_openings_action->get_active()) {
        send_to_manager("learnopenings 0");
        // The book's hints belong to the practice.
        m_board.clear_arrows();
        refresh_board();
        return;
    }
    const int hints = ask_learn_openings_hints(*this);
    // While the dialog was open the manager may have chosen another mode
    // ("reset mode"), whose handler has run already: that mode stands.
    if (!only_mode_chosen(m_learn_openings_action))
        return;
    leave_engine_sides();
    // The practice starts from the position on the board, for the record and
    // for the manager, which did not follow the moves of Human - human; the
    // position sent after the mode brings the hints of the side to move.
    start_record(m_event, m_site);
    send_to_manager("learnopenings " + std::to_string(hints));
    send_to_manager("setboard " + m_position.fen());
}

bool Interface::engine_can_analyse() const
{
    try {
        return m_manager.get_enginevariables().get_protocol() == protocol_uci;
    } catch (const std::logic_error&) {
        // No engine: the manager answers Analysis itself.
        return true;
    }
}

bool Interface::only_mode_chosen(const Glib::RefPtr<Gtk::RadioAction>& mode) const
{
    for (const Glib::RefPtr<Gtk::RadioAction>& radio : {m_setup_action, m_human_human_action, m_human_computer_action,
                                                         m_tournament_action, m_analyze_action, m_learn_openings_action})
        if (radio->get_active() != (radio == mode))
            return false;
    return true;
}

void Interface::on_menu_mode_tournament()
{
    if (!m_tournament_action->get_active()) {
        leave_tournament();
        return;
    }
    // The records of its games name the tournament played, also when it is
    // played again after its end gave the window its own event back.
    if (!m_tournament.get_event().empty()) {
        m_event = m_tournament.get_event();
        m_site = m_tournament.get_site();
    }
    set_tournament_locks(true);
    m_start_thinking_action->set_sensitive(false);
    m_tournament_new_action->set_sensitive(false);
    // Engines play both sides: the board takes no move from the user.
    m_engine_plays_white = 1;
    m_engine_plays_black = 1;
    send_to_manager("start_tournament");
}

void Interface::leave_tournament()
{
    if (m_state.tournament_running()) {
        const bool stop = ask_to_stop_tournament(*this);
        // A tournament that finished while the question was open has nothing
        // to stop, and the mode chosen stands whatever the answer.
        if (m_state.tournament_running()) {
            if (!stop) {
                go_back_to_mode(WindowMode::tournament);
                return;
            }
            // The manager plays the game under way again when the tournament
            // is resumed. The stop goes before the user's time control, which
            // the manager refuses while a tournament game is played.
            send_to_manager("human_human");
        }
    }
    set_tournament_locks(false);
    restore_own_settings();
}

bool Interface::chosen_mode_can_start()
{
    if (m_learn_openings_action->get_active() && !m_state.has_book()) {
        // Without a book there is nothing to practise: the game stays as it is.
        show_message("No_Polyglot_book_found", "use menu 'File' to load a Polyglot book");
        return false;
    }
    if (!m_tournament_action->get_active())
        return true;
    // Starting a tournament with nothing to play would only reset the board
    // for a game that is never played. The manager reads the tournament it
    // was told to load again when the run starts, in the same way, and
    // plays what is left.
    Tournament saved;
    try {
        read_tournament_to_play(saved, m_tournament_name);
    } catch (const std::exception&) {
        show_message(no_tournament_heading(), no_tournament_reason());
        return false;
    }
    if (const std::string why = no_game_left_reason(saved); !why.empty()) {
        show_message(no_game_left_heading(), why);
        return false;
    }
    // The manager would refuse it too, but only once the mode left has let
    // go; asked here, the user stays in that mode.
    if (TournamentLock::held_elsewhere(saved.save_path())) {
        show_message(not_started_heading(), played_elsewhere_reason(saved));
        return false;
    }
    return true;
}

void Interface::go_back_to_mode(WindowMode mode)
{
    m_state.hold_mode_changes(mode);
    // The toolkit is still ticking the radio chosen; the old one goes back on
    // once it is done.
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &Interface::restore_held_mode));
}

void Interface::restore_held_mode()
{
    mode_radio(m_state.held_mode())->set_active(true);
    m_state.release_mode_changes();
    // The tournament kept on finished before it was ticked again.
    if (m_tournament_action->get_active() && !m_state.tournament_running()) {
        m_human_human_action->set_active(true);
        return;
    }
    // Leaving Human - computer greyed its two items, and its handler did not
    // run on the way back.
    const bool engine_game = m_human_computer_action->get_active();
    m_start_thinking_action->set_sensitive(engine_game);
    m_ponder_action->set_sensitive(engine_game);
}

Glib::RefPtr<Gtk::RadioAction> Interface::mode_radio(WindowMode mode) const
{
    switch (mode) {
    case WindowMode::setup:
        return m_setup_action;
    case WindowMode::human_computer:
        return m_human_computer_action;
    case WindowMode::analysis:
        return m_analyze_action;
    case WindowMode::learn_openings:
        return m_learn_openings_action;
    case WindowMode::tournament:
        return m_tournament_action;
    case WindowMode::human_human:
        break;
    }
    return m_human_human_action;
}

void Interface::set_tournament_locks(bool locked)
{
    m_setup_action->set_sensitive(!locked);
    m_fen_entry.set_sensitive(!locked);
    // Loading another tournament would have the running game's result
    // written into that one's file; a new game, a game or a position loaded
    // would leave the tournament part-way (the manager refuses their
    // position), and a time control or option set now would change the
    // engines' game under way.
    for (const char* name : {"Engine1", "LoadInstalled", "Load", "NewGame", "LoadGame", "LoadPosition",
                             "LoadNextPosition", "LoadPreviousPosition", "TimeControl", "Engine1_options"})
        m_actions->get_action(name)->set_sensitive(!locked);
}

void Interface::restore_own_settings()
{
    m_event = m_own_event;
    m_site = m_own_site;
    m_announced_event = m_own_event;
    m_announced_site = m_own_site;
    m_round = m_no_round;
    m_level = m_own_level;
    // The game on the board is the user's from now on: it keeps the players
    // who played it until an engine takes a side.
    m_engine_plays_white = 0;
    m_engine_plays_black = 0;
    tag_players_and_time_control();
    // A result may still cross the stop just sent; the record leaves the
    // tournament once the manager has answered the stop.
    if (!m_state.stopping_tournament())
        leave_tournament_record();
    start_clocks_afresh();
}

void Interface::leave_tournament_record()
{
    if (m_record_kind != RecordKind::tournament_game)
        return;
    // Its players are those who played it, until an engine takes a side.
    m_record_kind = RecordKind::own_players;
    // A game that ended as a tournament game is on the tournament's record;
    // one played on is no longer that round's game.
    if (m_game_finished)
        return;
    m_game.set_tag("Event", m_own_event);
    m_game.set_tag("Site", m_own_site);
    m_game.set_tag("Round", m_no_round);
}

void Interface::on_menu_start_thinking()
{
    // A game that has ended stays ended: nobody is to move in it.
    if (!m_human_computer_action->get_active() || m_game_finished)
        return;
    m_clocks_stopped = false;
    const bool white = white_to_move();
    m_engine_plays_white = white ? 1 : 0;
    m_engine_plays_black = white ? 0 : 1;
    tag_players_and_time_control();
    send_to_manager("go");
    start_side_clock();
}

void Interface::on_menu_ponder()
{
    send_to_manager(m_ponder_action->get_active() ? "ponder on" : "ponder off");
}

void Interface::on_menu_debug()
{
    if (m_debug_action->get_active()) {
        m_debug = true;
        // Each start of debugging begins a new log.
        m_log.close();
        m_log.clear();
        m_log.open("interface.log", std::ios::out | std::ios::trunc);
        send_to_manager("debug true\n");
    } else {
        m_debug = false;
        m_log.close();
        send_to_manager("debug false\n");
    }
}

void Interface::on_menu_time_control()
{
    // Cancelling changes nothing: the clocks run on and the engines keep
    // their time control.
    if (!run_time_control_dialog())
        return;
    m_own_level = m_level;
    start_clocks_afresh();
    tag_players_and_time_control();
}

bool Interface::run_time_control_dialog()
{
    Gtk::Dialog dialog("Time control", *this, true);
    dialog.set_border_width(20);
    dialog.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    dialog.add_button(Gtk::Stock::OK, Gtk::RESPONSE_OK);
    TimeControlPanel panel;
    panel.set_time_control(m_level);
    dialog.get_content_area()->pack_start(panel, Gtk::PACK_EXPAND_WIDGET, 0);
    dialog.get_content_area()->show_all_children();
    // A refused increment keeps the dialog open for a correction.
    for (;;) {
        if (dialog.run() != Gtk::RESPONSE_OK)
            return false;
        const std::string refusal = panel.refusal();
        if (refusal.empty())
            break;
        run_message_box(*this, "Time control not changed", refusal);
    }
    m_level = panel.get_time_control();
    return true;
}

void Interface::on_select_book_clicked()
{
    // A cancelled chooser gives no path, which removes the suite: the only
    // way to play a tournament from the start position again.
    const std::string path = choose_file(3);
    send_to_manager("book " + path);
    m_tournament.set_openingbook(path);
    m_book_button.set_label(opening_suite_label(path));
}
