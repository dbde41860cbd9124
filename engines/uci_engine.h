#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "core/chess_position.h"
#include "engines/base_engine.h"
#include "engines/search_watch.h"

// Drives an engine that speaks UCI: every search sends the whole game as the
// start FEN plus the moves played since. Each "go" sent is remembered until
// its "bestmove" arrives, so the answer to a search that was stopped (by stop,
// a new game or a ponder miss) is recognised: it is neither forwarded as the
// engine's move nor followed by pondering. An engine switched to Chess960 mode
// gets every castling as the king taking its own rook.
class UciEngine : public BaseEngine {
public:
    UciEngine();

    void operator()() override;
    int get_protocol() const override;
    bool is_uci() const override;
    // With pondering on, a best move that comes with a ponder move starts a
    // ponder search on the expected reply.
    void set_ponder(bool on) override;
    // Stops any search, restarts the clock, sends "ucinewgame" and "isready".
    void new_game() override;
    void set_position(const ChessPosition& position) override;
    // A ponder hit sends "ponderhit"; otherwise any running search is stopped
    // and the position, "isready" and the go line of the time control follow.
    // Throws std::logic_error while the engine is already thinking.
    void go() override;
    // Stops any running search, then sends the position and "go infinite".
    void go_infinite() override;
    // Sends "stop" to a running search and waits up to 0.9 s for its answer
    // (not when the engine is no longer running); the engine counts as idle
    // afterwards.
    void stop() override;
    Move coordinate_to_move(const std::string& text) override;
    // A search that printed no "info" within grace of its go is not running;
    // once it did, an engine silent for half the grace is sent "isready",
    // which it must answer at once even while it searches, and is given up
    // when nothing comes within the other half.
    bool search_unanswered(std::chrono::milliseconds grace) override;
    // Engines may ignore "setoption" during a search: while one is running
    // or awaits its answer the lines wait, and go out, in order, as soon as
    // the engine has answered its last search, before that answer is
    // forwarded.
    void send_option_lines(const std::vector<std::string>& lines) override;

protected:
    // "info" lines pass only while the oldest search not yet answered runs
    // unstopped: those between a "stop" and its best move are dropped.
    std::optional<std::string> handle_line(const std::string& line) override;
    bool is_analysis_line(const std::string& line) const override;
    void engine_lost() override;

private:
    // One "go" sent and not yet answered by a "bestmove".
    struct Search {
        bool ponder;  // pondering on an expected move that has not been played yet
        bool stopped; // "stop" was sent: the answer is not the engine's move
        bool timed;   // the engine's clock runs for this search
    };

    std::string position_line() const;
    // The search limits of the level for the colour, e.g. "depth 12" or
    // "wtime ...", with the clock's present times.
    std::string limits(const Level& level, bool white) const;
    // Sends "stop" when a search runs that has not been stopped yet; returns
    // whether it did.
    bool stop_searches();
    void start_search(const std::string& go_line, bool ponder, bool timed);
    void update_state();
    // Forgets every search (no answer will come): clocks stopped, idle.
    void drop_searches();
    std::optional<std::string> handle_bestmove(const std::string& line);
    void send_waiting_options();
    void start_pondering(const std::string& best, const std::string& reply);

    mutable std::mutex m_search_mtx;
    std::condition_variable m_answered;
    ChessPosition m_position;
    bool m_ponder;
    // The level and colour of the last go: the ponder search that follows its
    // answer runs on the driver thread, which must not read the settings
    // that the manager's thread changes.
    Level m_search_level;
    bool m_search_white;
    // The position a ponder search runs on; a go on it is a ponder hit.
    std::string m_ponder_fen;
    std::deque<Search> m_searches;
    // The search owed to the manager: the last go, or the ponder search hit.
    SearchWatch m_watch;
    // Option lines held back until no search runs.
    std::vector<std::string> m_waiting_options;
    // The engine was last told "UCI_Chess960" is "true": it reads castling
    // only as the king taking its own rook, so moves are sent that way.
    bool m_chess960;
};
