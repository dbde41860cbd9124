// Moving through the game, the FEN row and the View toggles.
#include "app/interface.h"

#include <stdexcept>

void Interface::on_fen_entry_activated()
{
    // A line that cannot be set up throws before anything changes; the
    // guard around every handler reports it.
    set_position_from_line(m_fen_entry.get_text().raw());
}

void Interface::on_pgn_move_selected(int offset)
{
    leave_engine_play();
    // The user kept the tournament game, or it is being ticked back.
    if (m_state.tournament_running() || m_state.mode_changes_held())
        return;
    // An offset of -1 (an empty view) widens to the largest value, which
    // names no move: the current move stays and is shown again.
    const auto at = static_cast<std::uint64_t>(static_cast<std::int64_t>(offset));
    follow_record([this, at] { return m_game.goto_text_offset(at); }, false);
}

void Interface::on_goto_first()
{
    navigate([this] { return m_game.goto_start(); });
}

void Interface::on_go_backward()
{
    navigate([this] { return m_game.back(); });
}

void Interface::on_go_forward()
{
    navigate([this] { return m_game.forward(); });
}

void Interface::on_goto_last()
{
    navigate([this] { return m_game.goto_end(); });
}

void Interface::navigate(const std::function<std::string()>& step)
{
    // Two engines play each other: their game is not to be disturbed.
    if (m_engine_plays_white != 0 && m_engine_plays_black != 0)
        return;
    m_clocks_stopped = true;
    leave_engine_play();
    follow_record(step, true);
}

void Interface::leave_engine_play()
{
    if (!m_analyze_action->get_active() && !m_learn_openings_action->get_active())
        m_human_human_action->set_active(true);
}

void Interface::follow_record(const std::function<std::string()>& step, bool write_text)
{
    m_board.clear_arrows();
    store_editor_comment();
    std::string fen;
    std::string fault;
    try {
        fen = step();
    } catch (const std::exception& error) {
        // A move of the record that is not legal stops the step at the entry
        // before it; the window follows the record there and reports it.
        fault = error.what();
        if (m_game.position().fen() != m_position.fen())
            fen = m_game.position().fen();
    }
    show_move_comment();
    if (write_text)
        m_pgn_view.set_text(m_game.pgn());
    const auto [from, to] = m_game.current_move_range();
    m_pgn_view.highlight(from, to);
    // Away from the game's result the board takes moves again (they begin
    // a variation); back at the result it takes none.
    m_game_finished = m_game.game_ended_here();
    if (!fen.empty()) {
        m_position.set_fen(fen);
        refresh_board();
        send_position();
    }
    highlight_side_to_move();
    if (!fault.empty())
        throw std::runtime_error("Interface::follow_record()   the game record stops at a move: " + fault);
}

bool Interface::add_move_at_play_entry(const std::string& text)
{
    const std::uint64_t shown = m_game.current();
    if (!m_human_human_action->get_active() || shown == m_play_entry || !m_game.tree().contains(m_play_entry))
        return false;
    // The user stepped away while an engine was to move, which ended the
    // engine's play; its move was already on its way and belongs where the
    // game stood, not to the position shown.
    try {
        m_game.goto_entry(m_play_entry);
        ChessPosition& played = m_game.position();
        const bool white_moved = played.board().side_to_move() == 1;
        const Move move = legal_move_in(played, text);
        if (!m_game.add_move(move))
            throw std::runtime_error("move " + text + " arrived after the end of the game");
        std::string& pending = white_moved ? m_white_comment : m_black_comment;
        m_game.set_comment(pending);
        pending.clear();
        m_play_entry = m_game.current();
        set_eco_tags(m_game.position());
    } catch (...) {
        m_game.goto_entry(shown);
        throw;
    }
    m_game.goto_entry(shown);
    m_pgn_view.show_game(m_game);
    return true;
}

void Interface::on_menu_show_output()
{
    show_side_window(m_analysis_window, m_show_output_action);
}

void Interface::on_menu_show_pgn_view()
{
    show_side_window(m_pgn_view, m_show_pgn_action);
}

void Interface::on_menu_show_comment_editor()
{
    show_side_window(m_comment_editor, m_show_comment_action);
}

void Interface::on_menu_show_epd_commands()
{
    show_side_window(m_epd_window, m_show_epd_action);
}

void Interface::show_side_window(Gtk::Window& window, const Glib::RefPtr<Gtk::ToggleAction>& toggle)
{
    if (toggle->get_active())
        window.show();
    else
        window.hide();
}

void Interface::on_menu_show_fen()
{
    if (m_show_fen_action->get_active()) {
        m_fen_entry.show();
        return;
    }
    m_fen_entry.hide();
    // The row's height goes back to the board's surroundings otherwise.
    resize(m_width, m_height);
}

void Interface::on_output_hide()
{
    untick(m_show_output_action);
}

void Interface::on_pgn_view_hide()
{
    untick(m_show_pgn_action);
}

void Interface::on_comment_editor_hide()
{
    untick(m_show_comment_action);
}

void Interface::on_epd_commands_hide()
{
    untick(m_show_epd_action);
}

void Interface::untick(const Glib::RefPtr<Gtk::ToggleAction>& toggle)
{
    if (toggle->get_active())
        toggle->set_active(false);
}
