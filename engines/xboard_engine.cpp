#include "engines/xboard_engine.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "engines/engine_variables.h"
#include "engines/legal_move.h"
#include "engines/xboard_edit_mode.h"
#include "engines/xboard_output.h"
#include "game/san_move.h"

namespace {

const std::string standard_start_fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

std::vector<std::string> words_of(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string word_at(const std::vector<std::string>& words, std::size_t index)
{
    return index < words.size() ? words[index] : std::string();
}

bool white_to_move(const ChessPosition& position) { return position.board().side_to_move() == 1; }

}

XboardEngine::XboardEngine()
    : m_engine_known(true), m_force_mode(false), m_ponder(false), m_search_ended(false), m_stopped_moves(0),
      m_late_moves(0)
{
    // A freshly started engine holds the standard position.
    m_engine_position.set_start_position();
    m_target.set_start_position();
}

const EngineVariables::Features& XboardEngine::features() const { return m_ev->features(); }

void XboardEngine::operator()() { run_driver_loop("XboardEngine::operator()"); }

int XboardEngine::get_protocol() const { return 3; }

bool XboardEngine::is_uci() const { return false; }

void XboardEngine::set_ponder(bool on)
{
    std::lock_guard lock(m_sync_mtx);
    m_ponder = on;
    send(on ? "hard" : "easy");
}

void XboardEngine::new_game()
{
    if (!features().reuse)
        return;
    stop();
    reset_clock();
    std::lock_guard lock(m_sync_mtx);
    m_engine_position.set_start_position();
    m_target.set_start_position();
    m_engine_known = true;
    send_new();
}

void XboardEngine::set_position(const ChessPosition& position)
{
    std::lock_guard lock(m_sync_mtx);
    m_target = position;
    if (engine_reaches_target_by(0) || engine_reaches_target_by(1))
        return;
    resend_game();
}

void XboardEngine::go()
{
    std::lock_guard lock(m_sync_mtx);
    set_state(thinking);
    // The whole text is compared, so a new depth, node count or move time is
    // sent too, not only a new clock.
    const Level level = get_level();
    if (level.to_string() != m_level_sent.to_string())
        send_level(level);
    if (engine_reaches_target_by(0)) {
        send_times(level);
        send_go();
    } else if (engine_reaches_target_by(1)) {
        send_times(level);
        ChessPosition before = m_target;
        before.take_back();
        send(move_text(before, m_target.last_move()));
        m_engine_position = m_target;
        // An engine that is not in force mode starts thinking on the move.
        if (m_force_mode)
            send_go();
    } else {
        resend_game();
        send_times(level);
        send_go();
    }
    m_force_mode = false;
    m_search_ended = false;
    m_watch.begin(SearchWatch::Clock::now());
    start_clock();
    // A loss noticed by the driver before this search began ended nothing.
    if (engine_crashed())
        end_lost_search();
}

void XboardEngine::send_go()
{
    // After such a stop the engine is no longer known, so "force" (or "new")
    // went out before this search, and an engine stops searching without a
    // move when it reads that. It answers a ping only after reading what came
    // before, so no owed move follows the pong.
    if (m_late_moves > 0 && features().ping) {
        m_late_moves_ping = ++m_ping_number;
        send("ping " + std::to_string(m_late_moves_ping));
    }
    send("go");
}

void XboardEngine::go_infinite() { std::cerr << "XboardEngine::go_infinite() not implemented" << std::endl; }

void XboardEngine::stop()
{
    std::unique_lock lock(m_sync_mtx);
    m_search_ended = true;
    m_watch.end();
    if (state() != thinking)
        return;
    if (!engine_running()) {
        // A lost engine never answers.
        end_lost_search();
        return;
    }
    send("?");
    ++m_stopped_moves;
    m_ev->stop_clock();
    if (!m_moved.wait_for(lock, std::chrono::milliseconds(900), [this] { return m_stopped_moves == 0; })) {
        m_late_moves += m_stopped_moves;
        m_stopped_moves = 0;
        m_engine_known = false;
    }
    set_state(idle);
}

void XboardEngine::end_lost_search()
{
    if (state() == thinking)
        m_ev->stop_clock();
    m_stopped_moves = 0;
    m_late_moves = 0;
    m_engine_known = false;
    m_watch.end();
    set_state(idle);
    m_moved.notify_all();
}

void XboardEngine::engine_lost()
{
    std::lock_guard lock(m_sync_mtx);
    end_lost_search();
    debug_line(" engine lost, search ended");
}

void XboardEngine::ping()
{
    if (!features().ping)
        return;
    m_ev->ping_sent();
    send("ping " + std::to_string(++m_ping_number));
}

Move XboardEngine::coordinate_to_move(const std::string& text)
{
    std::lock_guard lock(m_sync_mtx);
    return m_target.convert_to_move(text);
}

bool XboardEngine::search_unanswered(std::chrono::milliseconds grace)
{
    std::lock_guard lock(m_sync_mtx);
    if (m_watch.check(SearchWatch::Clock::now(), grace, false) != SearchWatch::Step::give_up)
        return false;
    debug_line(" search unanswered");
    return true;
}

std::vector<std::string> XboardEngine::level_commands(const Level& level) const
{
    const std::vector<std::string> words = words_of(level.to_string());
    switch (level.get_type()) {
    case fixed_depth:
        return {"sd " + std::to_string(level.get_depth())};
    case fixed_nodes:
        // xboard has no node limit. An engine that counts time in nodes
        // thinks exactly the node count in one second of its node time.
        if (features().nps)
            return {"nps " + std::to_string(level.get_nodes()), "st " + std::to_string(node_seconds(level))};
        return {"st " + std::to_string(node_seconds(level))};
    case fixed_movetime:
        return {"st " + std::to_string(std::max<std::uint32_t>(1, (level.get_movetime() + 500) / 1000))};
    case sudden_death:
        return {"level 0 " + word_at(words, 2) + " " + word_at(words, 3)};
    case sessions:
        return {"level " + word_at(words, 1) + " " + word_at(words, 2) + " " + word_at(words, 3)};
    }
    return {};
}

std::uint32_t XboardEngine::node_seconds(const Level& level) const
{
    if (features().nps)
        return 1;
    return std::max<std::uint32_t>(1, (level.get_nodes() + 999999) / 1000000);
}

std::string XboardEngine::castling_to_coordinates(const std::string& text) const
{
    static const std::vector<std::string> king_side = {"0-0", "0_0", "O-O", "O_O", "o-o", "o_o"};
    static const std::vector<std::string> queen_side = {"0-0-0", "0_0_0", "O-O-O", "O_O_O", "o-o-o", "o_o_o"};
    const bool short_castling = std::find(king_side.begin(), king_side.end(), text) != king_side.end();
    const bool long_castling = std::find(queen_side.begin(), queen_side.end(), text) != queen_side.end();
    if (!short_castling && !long_castling)
        return text;
    if (features().san)
        return short_castling ? "O-O" : "O-O-O";
    if (white_to_move(m_target))
        return short_castling ? "e1g1" : "e1c1";
    return short_castling ? "e8g8" : "e8c8";
}

std::optional<std::string> XboardEngine::handle_line(const std::string& line)
{
    const std::vector<std::string> words = words_of(line);
    const std::string first = word_at(words, 0);
    const auto now = SearchWatch::Clock::now();
    {
        std::lock_guard lock(m_sync_mtx);
        m_watch.heard(now, false);
    }
    switch (classify_xboard_line(line)) {
    case XboardLineKind::move:
        return engine_move(xboard_announced_move(line).value_or(""));
    case XboardLineKind::resignation: {
        std::lock_guard lock(m_sync_mtx);
        set_state(idle);
        // "Illegal move" means the engine refused what it was sent.
        if (first == "Illegal") {
            m_engine_known = false;
        } else if (m_late_moves > 0 || m_stopped_moves > 0) {
            // The engine gives up instead of moving when "?" ends its search:
            // the answer to a stopped search, which is not forwarded. Its game
            // is over, so the next search sends the game afresh.
            int& owed = m_late_moves > 0 ? m_late_moves : m_stopped_moves;
            --owed;
            m_engine_known = false;
            m_moved.notify_all();
            return std::nullopt;
        }
        m_watch.end();
        return "resign";
    }
    case XboardLineKind::comment:
    case XboardLineKind::result:
        return "";
    case XboardLineKind::thinking: {
        std::lock_guard lock(m_sync_mtx);
        if (m_search_ended || (state() == idle && !m_ponder))
            return std::nullopt;
        m_watch.heard(now, true);
        return xboard_thinking_to_info(line);
    }
    case XboardLineKind::pong: {
        std::lock_guard lock(m_sync_mtx);
        if (m_late_moves_ping == 0 || word_at(words, 1) != std::to_string(m_late_moves_ping))
            break;
        m_late_moves_ping = 0;
        m_late_moves = 0;
        return std::nullopt;
    }
    case XboardLineKind::other:
        break;
    }
    return line;
}

bool XboardEngine::is_analysis_line(const std::string& line) const
{
    return classify_xboard_line(line) == XboardLineKind::thinking;
}

bool XboardEngine::engine_reaches_target_by(int moves) const
{
    if (!m_engine_known)
        return false;
    if (moves == 0)
        return m_target.compare(m_engine_position);
    if (m_target.ply_records().size() < 2)
        return false;
    ChessPosition before = m_target;
    before.take_back();
    return before.compare(m_engine_position);
}

void XboardEngine::send_new()
{
    send("new");
    send("force");
    m_search_ended = true;
    send_ponder_and_post();
    // "new" also drops a depth limit: the time control is sent again.
    send_level(m_level_sent);
    m_force_mode = true;
}

void XboardEngine::send_ponder_and_post()
{
    // The pondering wish is repeated because "new" and a reset of the board
    // may switch pondering off in the engine.
    send(m_ponder ? "hard" : "easy");
    send("post");
}

void XboardEngine::send_level(const Level& level)
{
    for (const std::string& command : level_commands(level))
        send(command);
    m_level_sent = level;
}

void XboardEngine::resend_game()
{
    const bool standard_start = m_target.start_fen() == standard_start_fen;
    const bool engine_untouched = m_engine_known && m_engine_position.ply_records().size() == 1 &&
                                  m_engine_position.fen() == standard_start_fen;
    if (features().setboard) {
        send("force");
        send("setboard " + m_target.start_fen());
        send_ponder_and_post();
        replay_moves();
    } else if (standard_start && (features().reuse || engine_untouched)) {
        if (features().reuse) {
            send_new();
        } else {
            send("force");
            send_ponder_and_post();
        }
        replay_moves();
    } else {
        // "edit" keeps the side to move that the engine has, which after its
        // own move is the wrong one as often as not: "new" gives White the
        // move, and one move more gives it to Black. That move goes in the
        // form the engine asked for, since one that takes moves only after
        // "usermove" or in SAN refuses a bare "a2a3" and keeps White to move.
        send_new();
        if (!white_to_move(m_target)) {
            ChessPosition start;
            start.set_start_position();
            send(move_text(start, *find_legal_move(start, "a2a3")));
        }
        send("force");
        for (const std::string& command : xboard_edit_commands(m_target))
            send(command);
        send_ponder_and_post();
    }
    m_force_mode = true;
    m_search_ended = true;
    m_engine_position = m_target;
    m_engine_known = true;
}

void XboardEngine::replay_moves()
{
    ChessPosition replay;
    replay.set_fen(m_target.start_fen());
    for (const Move& move : m_target.move_history()) {
        send(move_text(replay, move));
        replay.make_move(move);
    }
}

void XboardEngine::send_times(const Level& level)
{
    if (!features().time)
        return;
    for (const std::string& command : clock_commands(level, get_time_left(), get_opponent_time()))
        send(command);
}

std::vector<std::string> XboardEngine::clock_commands(const Level& level, std::int64_t own_ms,
                                                      std::uint64_t opponent_ms) const
{
    std::int64_t own = std::max<std::int64_t>(0, own_ms) / 10;
    std::uint64_t opponent = std::min<std::uint64_t>(opponent_ms, std::numeric_limits<std::int64_t>::max()) / 10;
    if (level.get_type() == fixed_movetime) {
        own = std::max<std::int64_t>(1, (std::int64_t{level.get_movetime()} + 5) / 10);
        opponent = static_cast<std::uint64_t>(own);
    } else if (level.get_type() == fixed_nodes) {
        own = std::int64_t{node_seconds(level)} * 100;
        opponent = static_cast<std::uint64_t>(own);
    }
    return {"time " + std::to_string(own), "otim " + std::to_string(opponent)};
}

std::string XboardEngine::move_text(ChessPosition& before, const Move& move) const
{
    std::string text = move.to_string();
    if (features().san) {
        try {
            text = SanMove(before, move).san();
        } catch (const std::logic_error&) {
            // The coordinate text is still understood by most engines.
        }
    }
    return features().usermove ? "usermove " + text : text;
}

std::optional<Move> XboardEngine::read_engine_move(const std::string& text)
{
    std::string coordinates = text;
    if (!coordinates.empty() && (coordinates.front() == '0' || coordinates.front() == 'O' || coordinates.front() == 'o'))
        coordinates = castling_to_coordinates(coordinates);
    if (features().san) {
        try {
            coordinates = SanMove(m_target, coordinates).m_move.to_string();
        } catch (const std::logic_error&) {
            // Not SAN after all: read as coordinates.
        }
    }
    return find_legal_move(m_target, coordinates);
}

std::optional<std::string> XboardEngine::engine_move(const std::string& text)
{
    std::lock_guard lock(m_sync_mtx);
    if (m_late_moves > 0) {
        --m_late_moves;
        return std::nullopt;
    }
    const std::optional<Move> move = read_engine_move(text);
    if (m_stopped_moves > 0) {
        --m_stopped_moves;
        if (move) {
            m_engine_position = m_target;
            m_engine_position.make_move(*move);
        } else {
            m_engine_known = false;
        }
        m_moved.notify_all();
        return std::nullopt;
    }
    set_state(idle);
    m_watch.end();
    move_and_stop_clock(0);
    if (!move) {
        // The manager judges the move it cannot find among the legal ones.
        m_engine_known = false;
        return "bestmove " + text;
    }
    m_target.make_move(*move);
    m_engine_position = m_target;
    return "bestmove " + move->to_string();
}
