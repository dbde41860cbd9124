// Board input: moves made by dragging pieces, and the edits of the Setup mode.
#include "app/interface.h"

#include "app/board_drop.h"
#include "app/manager_line.h"
#include "app/setup_edit.h"
#include "core/square.h"
#include "gui/piece_choice_dialog.h"
#include "gui/promo_choice_dialog.h"

#include <stdexcept>

namespace {

// Whether the entry lies on the game's main line: each entry on the way to
// the root is its parent's first child.
bool on_main_line(const GameTree& tree, std::uint64_t id)
{
    while (id != 0) {
        const auto parent = static_cast<std::uint64_t>(tree.entry(id).pid());
        if (tree.entry(parent).children().front() != static_cast<std::int32_t>(id))
            return false;
        id = parent;
    }
    return true;
}

}

bool Interface::on_board_move()
{
    // A release just after the window came up or a piece chooser closed
    // belongs to that click, not to a move.
    if (m_move_timer.current_run().milliseconds() < 500)
        return true;
    const auto [from, to] = m_board.get_move();
    if (m_setup) {
        edit_setup(from, to);
    } else {
        const std::uint32_t engine_to_move = white_to_move() ? m_engine_plays_white : m_engine_plays_black;
        // After a result the game takes no further move until a new record starts.
        if (engine_to_move == 0 && !m_game_finished)
            play_drop(from, to);
    }
    if (m_clocks_stopped || m_analyze_action->get_active())
        highlight_side_to_move();
    refresh_board();
    return true;
}

void Interface::play_drop(int from, int to)
{
    int promotion = 0;
    if (drop_needs_promotion_piece(m_position, from, to)) {
        const auto images = m_board.get_images();
        // The board may have loaded fewer images than it needs (a missing
        // file stops the loading): a missing one is shown by name.
        const auto image = [&images](std::size_t code) {
            return code < images.size() ? images[code] : Glib::RefPtr<Gdk::Pixbuf>();
        };
        const bool black = m_position.piece_on(Square(from)).is_black();
        const PromoChoiceDialog chooser(*this, image(black ? 12 : 5), image(black ? 11 : 4), image(black ? 10 : 3),
                                        image(black ? 9 : 2));
        promotion = chooser.get_choice();
        if (promotion < 4 || promotion > 7)
            promotion = 0;
    }
    const Move move = move_for_drop(m_position, from, to, promotion);
    if (move.to_string() == "0000")
        return;
    // The move is made on a copy first: a move the position refuses leaves
    // the clocks, the board and the record as they were.
    ChessPosition after = m_position;
    try {
        after.make_move(move);
    } catch (const std::exception& error) {
        throw std::runtime_error("make move failed: " + move.to_string() + ": " + error.what());
    }
    const bool white_moved = white_to_move();
    if (!m_clocks_stopped) {
        if (white_moved)
            m_clocks.start_black();
        else
            m_clocks.start_white();
    }
    m_position = after;
    if (m_analyze_action->get_active()) {
        send_to_manager("setboard " + m_position.fen());
        send_to_manager("analyzeposition");
    } else {
        send_to_manager("usermove " + move.to_string());
    }
    record_board_move(move);
}

void Interface::record_board_move(const Move& move)
{
    store_editor_comment();
    m_game.add_move(move);
    keep_played_line_main();
    show_move_comment();
    set_eco_tags(m_position);
    if (m_human_human_action->get_active() && on_main_line(m_game.tree(), m_game.current())) {
        // Mate or stalemate on the board ends the game as the manager's
        // result ends the others; one inside a variation leaves the game's
        // result alone.
        if (const std::string result = result_on_board(m_position); !result.empty())
            record_game_end(ManagerLine(result));
    }
    m_pgn_view.show_game(m_game);
}

void Interface::edit_setup(int from, int to)
{
    // The edit is made on a copy: a board that no position can hold (a
    // seventeenth piece of a side) is refused and reported, changing nothing.
    ChessPosition edited = m_position;
    Piece piece;
    if (from != to) {
        piece = setup_drag(edited, from, to);
    } else if (!edited.piece_on(Square(from)).is_empty()) {
        piece = setup_click(edited, from);
    } else {
        const PieceChoiceDialog chooser(*this, m_board.get_images());
        m_move_timer.start();
        // The chosen piece passes the move even where it may not stand.
        piece = chosen_piece(chooser.get_piece());
        setup_put(edited, from, piece);
    }
    pass_move_after_edit(edited, piece);
    // The edits touched the board only: the whole position follows it again.
    edited.set_fen(edited.fen());
    m_position = edited;
    highlight_side_to_move();
    start_record(m_event, m_site);
    send_to_manager("setboard " + m_position.fen());
}

void Interface::on_menu_mode_setup()
{
    m_start_thinking_action->set_sensitive(false);
    m_tournament_new_action->set_sensitive(true);
    if (m_setup_action->get_active()) {
        // The engine's play ends before the first edit, as in Human - human.
        leave_engine_sides();
        m_clocks.stop();
        if (!m_state.engines_stopped())
            send_to_manager("human_human");
        m_setup = true;
        m_position.set_castling_flags(0);
        return;
    }
    m_setup = false;
    // Castling rights went on entering Setup: the keys follow the board again.
    m_position.set_fen(m_position.fen());
    send_to_manager("setboard " + m_position.fen());
    start_clocks_afresh();
}
