#include "engines/uci_engine.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "engines/engine_variables.h"
#include "engines/legal_move.h"

namespace {

// Engines read a time of zero or less as "no time"; the line always carries
// at least 1 ms and never more than a 32-bit count.
std::int64_t time_for_engine(std::int64_t ms)
{
    return std::clamp<std::int64_t>(ms, 1, std::numeric_limits<std::int32_t>::max());
}

std::int64_t time_for_engine(std::uint64_t ms)
{
    return time_for_engine(static_cast<std::int64_t>(std::min<std::uint64_t>(ms, std::numeric_limits<std::int32_t>::max())));
}

// The arrival stamp that the reader appends to best-move lines as " TS=ms".
std::uint64_t arrival_stamp(const std::string& line)
{
    const auto at = line.find("TS=");
    if (at == std::string::npos)
        return 0;
    std::istringstream in(line.substr(at + 3));
    std::uint64_t stamp = 0;
    if (!(in >> stamp))
        return 0;
    return stamp;
}

// Whether the line's first word is "info".
bool starts_with_info(const std::string& line)
{
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 4, "info") != 0)
        return false;
    return start + 4 == line.size() || line[start + 4] == ' ' || line[start + 4] == '\t';
}

// The value an option line gives "UCI_Chess960" (engines take option names
// in any case), or nothing for a line about another option.
std::optional<bool> chess960_setting(const std::string& line)
{
    static const std::string prefix = "setoption name uci_chess960 value ";
    if (line.size() < prefix.size())
        return std::nullopt;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != prefix[i])
            return std::nullopt;
    }
    return line.compare(prefix.size(), std::string::npos, "true") == 0;
}

}

UciEngine::UciEngine() : m_ponder(false), m_search_white(true), m_chess960(false) {}

void UciEngine::operator()() { run_driver_loop("UciEngine::operator()"); }

int UciEngine::get_protocol() const { return 1; }

bool UciEngine::is_uci() const { return true; }

void UciEngine::set_ponder(bool on)
{
    std::lock_guard lock(m_search_mtx);
    m_ponder = on;
}

void UciEngine::new_game()
{
    stop();
    reset_clock();
    std::lock_guard lock(m_search_mtx);
    m_position.set_start_position();
    m_ponder_fen.clear();
    send("ucinewgame");
    send("isready");
}

void UciEngine::set_position(const ChessPosition& position)
{
    std::lock_guard lock(m_search_mtx);
    m_position = position;
}

void UciEngine::go()
{
    std::lock_guard lock(m_search_mtx);
    if (state() == thinking)
        throw std::logic_error("UciEngine::go():   engine already thinking");
    m_search_level = get_level();
    m_search_white = is_white();
    if (state() == pondering && m_position.fen() == m_ponder_fen) {
        Search& ponder = m_searches.back();
        ponder.ponder = false;
        ponder.timed = true;
        send("ponderhit");
        debug_line(" <- UciEngine::go()    ponderhit");
        m_watch.resume(SearchWatch::Clock::now());
        start_clock();
        update_state();
        return;
    }
    if (stop_searches())
        debug_line(" <- UciEngine::go()    stop");
    const std::string position = position_line();
    send(position);
    debug_line(" <- UciEngine::go()    " + position);
    send("isready");
    m_watch.begin(SearchWatch::Clock::now());
    start_search("go " + limits(m_search_level, m_search_white), false, true);
    debug_line(" start_clock()  time=" + std::to_string(get_time_left()));
}

void UciEngine::go_infinite()
{
    std::lock_guard lock(m_search_mtx);
    stop_searches();
    const std::string position = position_line();
    send(position);
    debug_line(" <- UciEngine::go()    " + position);
    start_search("go infinite", false, false);
}

void UciEngine::stop()
{
    std::unique_lock lock(m_search_mtx);
    if (!stop_searches())
        return;
    if (!engine_running()) {
        // A lost engine never answers.
        drop_searches();
        return;
    }
    m_answered.wait_for(lock, std::chrono::milliseconds(900), [this] { return m_searches.empty(); });
    // An engine that has not answered by now counts as idle; its late answer
    // is still recognised as one to a stopped search.
    update_state();
    debug_line(" <- UciEngine::stop()");
}

Move UciEngine::coordinate_to_move(const std::string& text)
{
    std::lock_guard lock(m_search_mtx);
    return m_position.convert_to_move(text);
}

bool UciEngine::search_unanswered(std::chrono::milliseconds grace)
{
    std::lock_guard lock(m_search_mtx);
    const auto now = SearchWatch::Clock::now();
    switch (m_watch.check(now, grace, true)) {
    case SearchWatch::Step::wait:
        return false;
    case SearchWatch::Step::probe:
        send("isready");
        m_watch.probed(now);
        debug_line(" <- UciEngine::search_unanswered()    isready");
        return false;
    case SearchWatch::Step::give_up:
        break;
    }
    debug_line(" search unanswered");
    return true;
}

void UciEngine::send_option_lines(const std::vector<std::string>& lines)
{
    std::lock_guard lock(m_search_mtx);
    m_waiting_options.insert(m_waiting_options.end(), lines.begin(), lines.end());
    if (m_searches.empty())
        send_waiting_options();
    else if (!lines.empty())
        debug_line(" options wait for the engine's answer");
}

void UciEngine::send_waiting_options()
{
    for (const std::string& line : m_waiting_options) {
        send(line);
        if (const auto chess960 = chess960_setting(line))
            m_chess960 = *chess960;
    }
    m_waiting_options.clear();
}

std::string UciEngine::position_line() const
{
    const std::string moves = m_position.moves_text(m_chess960);
    return "position fen " + m_position.start_fen() + " moves" + (moves.empty() ? "" : " " + moves);
}

std::string UciEngine::limits(const Level& level, bool white) const
{
    switch (level.get_type()) {
    case fixed_depth:
        return "depth " + std::to_string(level.get_depth());
    case fixed_nodes:
        return "nodes " + std::to_string(level.get_nodes());
    case fixed_movetime:
        return "movetime " + std::to_string(level.get_movetime());
    case sudden_death:
    case sessions:
        break;
    }
    const std::int64_t own = time_for_engine(get_time_left());
    const std::int64_t opponent = time_for_engine(get_opponent_time());
    const std::int32_t increment = static_cast<std::int32_t>(get_increment());
    const std::int64_t white_time = white ? own : opponent;
    const std::int64_t black_time = white ? opponent : own;
    std::string text = "wtime " + std::to_string(white_time) + " btime " + std::to_string(black_time) + " winc " +
                       std::to_string(increment) + " binc " + std::to_string(increment);
    const std::int32_t moves_to_go = static_cast<std::int32_t>(get_moves_to_go());
    if (moves_to_go > 0)
        text += "  movestogo " + std::to_string(moves_to_go);
    return text;
}

bool UciEngine::stop_searches()
{
    bool stopped_any = false;
    for (Search& search : m_searches) {
        if (search.stopped)
            continue;
        search.stopped = true;
        stopped_any = true;
        if (search.timed)
            m_ev->stop_clock();
    }
    if (stopped_any) {
        send("stop");
        m_watch.end();
    }
    return stopped_any;
}

void UciEngine::start_search(const std::string& go_line, bool ponder, bool timed)
{
    send(go_line);
    if (timed)
        start_clock();
    m_searches.push_back(Search{ponder, false, timed});
    update_state();
    debug_line(" <- UciEngine::go()    " + go_line);
    // A loss noticed by the driver before this search began ended nothing.
    if (engine_crashed())
        drop_searches();
}

void UciEngine::drop_searches()
{
    for (const Search& search : m_searches) {
        if (search.timed && !search.stopped)
            m_ev->stop_clock();
    }
    m_searches.clear();
    m_ponder_fen.clear();
    m_watch.end();
    update_state();
    send_waiting_options();
    m_answered.notify_all();
}

void UciEngine::engine_lost()
{
    std::lock_guard lock(m_search_mtx);
    drop_searches();
    debug_line(" engine lost, searches ended");
}

void UciEngine::update_state()
{
    const auto running =
        std::find_if(m_searches.rbegin(), m_searches.rend(), [](const Search& search) { return !search.stopped; });
    if (running == m_searches.rend())
        set_state(idle);
    else
        set_state(running->ponder ? pondering : thinking);
}

bool UciEngine::is_analysis_line(const std::string& line) const { return starts_with_info(line); }

std::optional<std::string> UciEngine::handle_line(const std::string& line)
{
    const auto now = SearchWatch::Clock::now();
    if (starts_with_info(line)) {
        // Until its best move the engine still prints for the oldest search
        // not yet answered; nobody reads that analysis when the search was
        // stopped, or when there is none.
        std::lock_guard lock(m_search_mtx);
        const bool for_running_search = !m_searches.empty() && !m_searches.front().stopped;
        m_watch.heard(now, for_running_search);
        if (!for_running_search)
            return std::nullopt;
        return line;
    }
    {
        std::lock_guard lock(m_search_mtx);
        m_watch.heard(now, false);
    }
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first != "bestmove")
        return line;
    return handle_bestmove(line);
}

std::optional<std::string> UciEngine::handle_bestmove(const std::string& line)
{
    std::lock_guard lock(m_search_mtx);
    if (m_searches.empty()) {
        // No search of ours is running: nothing to book, nobody to answer.
        return std::nullopt;
    }
    const Search answered = m_searches.front();
    m_searches.pop_front();
    update_state();
    if (m_searches.empty())
        send_waiting_options();
    m_answered.notify_all();
    if (answered.stopped || answered.ponder)
        return std::nullopt;
    m_watch.end();

    move_and_stop_clock(arrival_stamp(line));
    debug_line(" move_and_stop_clock()  time=" + std::to_string(get_time_left()));
    std::istringstream words(line);
    std::string word, best, ponder_word, reply;
    words >> word >> best >> ponder_word >> reply;
    if (m_ponder && ponder_word == "ponder" && !reply.empty() && m_searches.empty())
        start_pondering(best, reply);
    return line;
}

void UciEngine::start_pondering(const std::string& best, const std::string& reply)
{
    const auto best_move = find_legal_move(m_position, best);
    if (!best_move)
        return;
    m_position.make_move(*best_move);
    const auto reply_move = find_legal_move(m_position, reply);
    if (!reply_move) {
        m_position.take_back();
        return;
    }
    m_position.make_move(*reply_move);
    m_ponder_fen = m_position.fen();
    const std::string position = position_line();
    send(position);
    start_search("go " + limits(m_search_level, m_search_white) + " ponder", true, false);
}
