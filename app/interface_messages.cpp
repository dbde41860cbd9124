// The manager's lines, applied to the position, the game record, the clocks,
// the board and the side windows.
#include "app/interface.h"

#include "app/engine_info_comment.h"
#include "app/manager_line.h"
#include "app/message_box.h"
#include "app/user_fault.h"
#include "core/move_list.h"
#include "core/square.h"
#include "engines/system_reason.h"
#include "game/pgn_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

void Interface::apply_manager_line(const std::string& text)
{
    const ManagerLine line(text);
    const std::string& word = line.word();
    if (word == "pong") {
        const bool stopping = m_state.stopping_tournament();
        m_state.manager_answered(std::strtoull(line.first_word().c_str(), nullptr, 10));
        // The stop is answered: no result can come for the game any more.
        if (stopping && !m_state.stopping_tournament())
            leave_tournament_record();
        return;
    }
    const std::vector<std::string> admitted = m_state.admit(text);
    // A line dropped was sent for the game the manager played before the
    // window's last change of position: it belongs to no game shown now.
    if (admitted.empty() && m_debug)
        log_line(m_state.holds_lines() ? " held -------> " : " dropped ----> ", text);
    for (const std::string& admitted_line : admitted)
        apply_admitted_line(ManagerLine(admitted_line));
    // Held moves that ended a stopped tournament game came after the window
    // told the manager the position the board showed then.
    const auto is_move = [](const std::string& held) { return held.rfind("move ", 0) == 0; };
    if (admitted.size() > 1 && std::any_of(admitted.begin(), admitted.end(), is_move))
        send_position();
}

void Interface::apply_admitted_line(const ManagerLine& line)
{
    const std::string& word = line.word();
    if (word == "diagram") {
        on_manager_diagram(line);
    } else if (word == "move") {
        on_manager_move(line);
    } else if (word == "emt") {
        if (!m_game_finished) {
            // What the user has typed since the move stays in front of the time.
            store_editor_comment();
            m_game.append_comment("[%time " + line.first_word() + "]");
            show_move_comment();
        }
    } else if (word == "setboard") {
        on_manager_setboard(line);
    } else if (word == "event") {
        m_announced_event = line.text();
        m_game.set_tag("Event", m_announced_event);
    } else if (word == "site") {
        m_announced_site = line.text();
        m_game.set_tag("Site", m_announced_site);
    } else if (word == "round") {
        m_round = line.first_word();
        m_game.set_tag("Round", m_round);
    } else if (word == "reset") {
        if (line.first_word() == "mode")
            m_human_human_action->set_active(true);
    } else if (word == "level") {
        on_manager_level(line);
    } else if (word == "wtime") {
        m_clocks.set_white_time(line.centiseconds());
    } else if (word == "btime") {
        m_clocks.set_black_time(line.centiseconds());
    } else if (word == "telluser") {
        const std::string title = line.first_word();
        const std::size_t start = line.rest().find(title);
        show_message(title, title.empty() ? "" : line.rest().substr(start + title.size()));
    } else if (word == "set_arrow") {
        const ManagerLine::Arrow arrow = line.arrow();
        m_board.add_arrow(arrow.from, arrow.to, arrow.colour);
        take_back_refused_move(arrow);
        refresh_board();
    } else if (word == "clear_arrows") {
        m_board.clear_arrows();
        refresh_board();
    } else if (word == "engine1name") {
        on_manager_engine1name(line);
    } else if (word == "engine2name") {
        m_engine2_name = line.name();
    } else if (word == "whitename") {
        m_white_name = line.name();
        m_white_elo.clear();
        tag_announced_side(true);
    } else if (word == "blackname") {
        m_black_name = line.name();
        m_black_elo.clear();
        tag_announced_side(false);
    } else if (word == "WhiteElo") {
        m_white_elo = line.first_word();
        tag_announced_side(true);
    } else if (word == "BlackElo") {
        m_black_elo = line.first_word();
        tag_announced_side(false);
    } else if (word == "new") {
        on_manager_new();
    } else if (word == "quit") {
        m_fault_box.close();
        hide();
    } else if (word == "tournament_finished") {
        m_state.tournament_finished();
        set_tournament_locks(false);
        // Another mode chosen meanwhile stands: the question whether to stop
        // the tournament may still be open, or its answer being undone.
        if (m_tournament_action->get_active())
            m_human_human_action->set_active(true);
    } else if (word == "1-0" || word == "0-1" || word == "1/2-1/2") {
        record_game_end(line);
    } else if (word == "white_info") {
        on_manager_engine_info(line, true);
    } else if (word == "black_info") {
        on_manager_engine_info(line, false);
    }
}

void Interface::on_manager_move(const ManagerLine& line)
{
    const std::string text = line.first_word();
    if (m_game_finished)
        throw std::runtime_error("move " + text + " arrived after the end of the game");
    if (add_move_at_play_entry(text))
        return;
    const Move move = legal_move_in(m_position, text);
    // The comment editor follows the current move: what it holds stays with
    // the move it was showing, and it shows the new move's comment after.
    store_editor_comment();
    m_game.add_move(move);
    keep_played_line_main();
    if (white_to_move()) {
        m_game.set_comment(m_white_comment);
        m_white_comment.clear();
        m_clocks.start_black();
    } else {
        m_game.set_comment(m_black_comment);
        m_black_comment.clear();
        m_clocks.start_white();
    }
    show_move_comment();
    m_position.make_move(move);
    set_eco_tags(m_position);
    m_pgn_view.set_text(m_game.pgn());
    refresh_board();
}

void Interface::keep_played_line_main()
{
    m_play_entry = m_game.current();
    // Play against an engine resumed from an earlier move: the game is the
    // line played on to its result, the line left behind a variation of it.
    // Moves tried out without an engine stay variations.
    if (m_engine_plays_white != 0 || m_engine_plays_black != 0)
        m_game.make_main_line();
}

Move Interface::legal_move_in(ChessPosition& position, const std::string& text)
{
    // Only a legal move of the position is taken, so the position and the
    // record never part; the manager's next "setboard" or "diagram" puts a
    // window that lost step right again.
    const Move candidate = position.convert_to_move(text);
    MoveList legal;
    m_move_generator.generate(position, legal);
    Move move;
    for (std::uint64_t i = 0; i < legal.size(); ++i) {
        if (legal.at(static_cast<int>(i)).to_string() == candidate.to_string())
            move = legal.at(static_cast<int>(i));
    }
    if (move.to_string() == "0000")
        throw UserFault("move " + text + " is not legal in " + position.fen(), "Error",
                        "The move " + text + " is not legal in the game's position.");
    return move;
}

void Interface::set_eco_tags(const ChessPosition& position)
{
    const std::uint64_t key = position.hash_key();
    const std::string eco = m_eco.get_eco(key);
    if (eco.empty())
        return;
    m_game.set_tag("ECO", eco);
    m_game.set_tag("Opening", m_eco.get_opening(key));
}

void Interface::take_back_last_move()
{
    // Either both the position and the record go back, or neither does.
    ChessPosition before = m_position;
    before.take_back();
    m_game.remove_last_move();
    m_play_entry = m_game.current();
    show_move_comment();
    m_position = before;
    m_pgn_view.set_text(m_game.pgn());
    highlight_side_to_move();
    refresh_board();
}

void Interface::on_manager_setboard(const ManagerLine& line)
{
    m_position.set_fen(line.setboard_fen());
    m_game.set_tag("SetUp", "1");
    m_game.set_tag("FEN", m_position.fen());
    std::string& pending = white_to_move() ? m_white_comment : m_black_comment;
    m_game.set_comment(pending);
    show_move_comment();
    pending.clear();
    start_side_clock();
    m_analysis_window.clear();
    refresh_board();
}

void Interface::start_side_clock()
{
    // A position set up is no move: nobody is credited.
    if (white_to_move())
        m_clocks.run_white();
    else
        m_clocks.run_black();
}

void Interface::on_manager_diagram(const ManagerLine& line)
{
    if (m_state.takes_diagram_as_load_answer()) {
        go_on_with_loaded_engine();
        return;
    }
    m_position.set_fen(line.text());
    start_side_clock();
    refresh_board();
    // A new engine or a new tournament game: a fresh record of the announced
    // event, whose position is the one shown.
    start_record(m_announced_event, m_announced_site);
}

void Interface::go_on_with_loaded_engine()
{
    // The manager began a new game for the new engine, on clocks started
    // afresh; the game the user sees stays and goes on.
    send_to_manager("setboard " + m_position.fen());
    start_clocks_afresh();
    if (m_analyze_action->get_active()) {
        if (engine_can_analyse())
            send_to_manager("analyzeposition");
        else
            refuse_analysis();
        return;
    }
    // A game that has ended stays ended: nobody is to move in it.
    const std::uint32_t engine_to_move = white_to_move() ? m_engine_plays_white : m_engine_plays_black;
    if (m_human_computer_action->get_active() && engine_to_move != 0 && !m_game_finished) {
        send_to_manager("go");
        start_side_clock();
    }
}

void Interface::take_back_refused_move(const ManagerLine::Arrow& arrow)
{
    if (arrow.colour != ManagerLine::Arrow::red || !m_learn_openings_action->get_active() || !m_state.takes_manager_moves() ||
        m_game.current() != m_play_entry || m_game.is_empty())
        return;
    const Move last = m_game.last_move();
    const bool same_squares = static_cast<int>(last.from().value()) == arrow.from &&
                              static_cast<int>(last.to().value()) == arrow.to;
    if (same_squares || last.to_string() == Square(arrow.from).name() + Square(arrow.to).name())
        take_back_last_move();
}

void Interface::on_manager_level(const ManagerLine& line)
{
    m_level = Level(line.level_text());
    m_announced_level = m_level.to_string();
    m_clocks.set_time_control(m_level);
    m_clocks.update();
    tag_players_and_time_control();
}

void Interface::on_manager_new()
{
    // The manager begins a game: what it announced for the one before names
    // nobody in this one.
    m_white_name = m_unknown_player;
    m_black_name = m_unknown_player;
    m_white_elo.clear();
    m_black_elo.clear();
    m_announced_level.clear();
    m_clocks_stopped = false;
    m_position.set_start_position();
    refresh_board();
    start_record(m_event, m_site);
    m_clocks.stop();
    m_clocks.reset();
}

void Interface::store_editor_comment()
{
    m_game.set_comment(m_comment_editor.get_comment());
}

void Interface::show_move_comment()
{
    m_comment_editor.set_comment(m_game.get_comment());
}

void Interface::forget_game_comments()
{
    m_white_comment.clear();
    m_black_comment.clear();
    m_comment_editor.set_comment("");
    m_analysis_window.clear();
}

void Interface::record_game_end(const ManagerLine& line)
{
    // Nobody is to move in a game that has ended.
    m_clocks.stop();
    // A tournament game, also one without a move, is on record already: the
    // manager wrote it to the tournament's file before it scored it. Its
    // result may cross the user's stop of the tournament.
    const bool tournament_game = m_record_kind == RecordKind::tournament_game;
    if (m_game_finished || (m_game.is_empty() && !tournament_game))
        return;
    // The comment being typed belongs to the game that is written out; its
    // players and time control are those it was played with.
    store_editor_comment();
    m_game.set_tag("Result", line.word());
    std::string result = line.rest() + " " + line.word();
    m_game.set_result(result);
    m_game_finished = true;
    m_pgn_view.set_text(m_game.pgn());
    if (tournament_game)
        return;
    if (const int error = append_finished_game())
        run_message_box(*this, "Game not saved",
                        "The game could not be appended to \"" + m_event + ".pgn\": " + system_reason(error) + ".");
}

int Interface::append_finished_game()
{
    PgnFile file;
    const bool written = file.open_append(m_event + ".pgn") && file.write(m_game.pgn());
    if (file.close_append() && written)
        return 0;
    // A failure that sets no reason still is one.
    return file.append_error() == 0 ? EIO : file.append_error();
}

void Interface::on_manager_engine1name(const ManagerLine& line)
{
    const std::string name = line.name();
    if (name == "???" && !m_manager.engine_loaded()) {
        // A failed load, which has already taken the previous engine out, or
        // an engine the manager gave up: nobody plays for the engine now.
        m_engine_name.clear();
        set_players_title();
        if (m_human_computer_action->get_active() || m_analyze_action->get_active())
            m_human_human_action->set_active(true);
        m_human_computer_action->set_sensitive(false);
        m_analyze_action->set_sensitive(false);
        m_start_thinking_action->set_sensitive(false);
        m_ponder_action->set_sensitive(false);
        return;
    }
    m_engine_name = name;
    // A game of the user's that has not begun is now one against this engine.
    tag_players_and_time_control();
    m_human_computer_action->set_sensitive(true);
    m_tournament_action->set_sensitive(true);
    m_analyze_action->set_sensitive(true);
}

void Interface::on_manager_engine_info(const ManagerLine& line, bool white)
{
    const std::string& info = line.rest();
    if (info_line_is_shown(info)) {
        if (white)
            m_analysis_window.append_white(info + "\n");
        else
            m_analysis_window.append_black(info + "\n");
    }
    fold_engine_info(white ? m_white_comment : m_black_comment, info, white);
}
