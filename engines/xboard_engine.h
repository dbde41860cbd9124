#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/chess_position.h"
#include "engines/base_engine.h"
#include "engines/engine_variables.h"
#include "engines/level.h"
#include "engines/search_watch.h"

// Drives an engine that speaks xboard (versions 1 and 2). It keeps the
// position the engine holds and the position it is to think on, and brings
// the engine from the one to the other with a single move when it can, and
// otherwise with "setboard", a replay from "new" or edit mode. The engine's
// output is forwarded in the UCI vocabulary ("bestmove", "info", "resign").
class XboardEngine : public BaseEngine {
public:
    XboardEngine();

    void operator()() override;
    int get_protocol() const override;
    bool is_uci() const override;
    // Sends "hard" (on) or "easy" (off); later resets of the engine keep it.
    void set_ponder(bool on) override;
    // With the reuse feature: stops the engine, restarts the clock and sends
    // "new", "force", the pondering wish, "post" and the time control.
    // Without it nothing happens: such an engine is restarted for each game.
    void new_game() override;
    // Records the position to think on; when the engine is neither there nor
    // one move behind, the game is sent again and the engine is left in force
    // mode at the position.
    void set_position(const ChessPosition& position) override;
    // Sends a changed time control, what the engine still lacks of the
    // position, the clock times and "go" (no "go" when a single move starts an
    // engine that is not in force mode), and starts the engine's clock.
    void go() override;
    // Not offered for xboard engines: reported on standard error, nothing sent.
    void go_infinite() override;
    // Sends "?" while the engine thinks and waits up to 0.9 s for the move it
    // forces, or a resignation instead (not when the engine is no longer
    // running); that answer is not forwarded.
    void stop() override;
    Move coordinate_to_move(const std::string& text) override;
    // A search that printed no thinking line within grace of its go is not
    // running. An engine that did is never given up: xboard has no probe
    // that a thinking engine answers before its move (it answers "ping"
    // only after it).
    bool search_unanswered(std::chrono::milliseconds grace) override;
    // For an engine that announced the ping feature: counts one more ping
    // outstanding and sends "ping N", N counting from 1 for each driver and
    // shared with the driver's own pings. The engine's "pong" lines pass on
    // unchanged, but for those to the driver's own pings. Otherwise nothing
    // happens.
    void ping();

    // The commands that set a time control: "sd N", "st S", "level M T I", or
    // for a node count "nps N" with "st 1" (engines announcing nps) or an
    // "st" estimated at a million nodes per second.
    std::vector<std::string> level_commands(const Level& level) const;
    // "time" and "otim" before a search, in centiseconds: the clocks as they
    // stand (an overstepped one as 0). Under a fixed move time, or a node
    // count sent as one, both show the time of one move instead, since
    // engines that weigh their clock would otherwise take the unlimited
    // budget of those levels for their own and think far past the move time.
    std::vector<std::string> clock_commands(const Level& level, std::int64_t own_ms,
                                            std::uint64_t opponent_ms) const;
    // Castling as an engine may write it ("O-O", "0-0-0", "o_o", ...) in the
    // form the driver reads: "O-O"/"O-O-O" for SAN engines, else the king's
    // move of the side to move ("e1g1", "e8c8"). Other text comes back as is.
    std::string castling_to_coordinates(const std::string& text) const;

protected:
    // Thinking lines pass from a go until the search is stopped or the engine
    // is put into force mode: while the engine thinks, and after its move
    // when it may ponder (the driver cannot tell when a pondering engine
    // stops). A resignation that answers "?" is not forwarded.
    std::optional<std::string> handle_line(const std::string& line) override;
    bool is_analysis_line(const std::string& line) const override;
    void engine_lost() override;

private:
    const EngineVariables::Features& features() const;
    bool engine_reaches_target_by(int moves) const;
    // The seconds of one search for a node count: one second of node time
    // for engines announcing nps, else a guess of a million nodes a second.
    std::uint32_t node_seconds(const Level& level) const;
    void send_new();
    void send_ponder_and_post();
    void send_level(const Level& level);
    void resend_game();
    void replay_moves();
    void send_times(const Level& level);
    // Sends "go", preceded by a ping when a stopped search may still answer
    // and the engine announced the ping feature: its pong tells that every
    // later move or resignation answers this search.
    void send_go();
    // Ends a search that no answer will come to: clock stopped, idle.
    void end_lost_search();
    std::string move_text(ChessPosition& before, const Move& move) const;
    std::optional<std::string> engine_move(const std::string& text);
    std::optional<Move> read_engine_move(const std::string& text);

    mutable std::mutex m_sync_mtx;
    std::condition_variable m_moved;
    // What the engine holds, as far as the driver knows (m_engine_known).
    ChessPosition m_engine_position;
    bool m_engine_known;
    ChessPosition m_target;
    Level m_level_sent;
    bool m_force_mode;
    bool m_ponder;
    // Since the last go the search was stopped or the engine put into force
    // mode: its thinking lines are about the old search, or pondering on a
    // game that has moved on.
    bool m_search_ended;
    // Moves the engine owes for searches that "?" ended; they are read but
    // not forwarded. A move still owed when stop gives up waiting was made
    // before anything sent since, so it no longer tells where the engine is;
    // an engine that ended the search at the next "force" never sends it,
    // which only a pong can show.
    int m_stopped_moves;
    int m_late_moves;
    std::uint32_t m_ping_number = 0;
    // The ping whose pong ends the wait for late moves; 0 for none.
    std::uint32_t m_late_moves_ping = 0;
    // The search owed to the manager since the last go.
    SearchWatch m_watch;
};
