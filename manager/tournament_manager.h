#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "core/move_generator.h"
#include "engines/gui_engine.h"
#include "engines/installed_engines.h"
#include "engines/level.h"
#include "engines/timer.h"
#include "game/gui_book.h"
#include "manager/line_queue.h"
#include "manager/manager.h"
#include "manager/tournament.h"
#include "manager/tournament_game_start.h"
#include "manager/tournament_record.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>

// A manager of engine tournaments without a window. It plays the unplayed
// games of its own Tournament in list order between engine 1 (White) and
// engine 2 (Black), keeps the record of each game itself, with the engines'
// analysis in the move comments ("[%eval ...]", "[%emt ...]", "[%acn ...]",
// "[%nps ...]", "[%depth ...]"), appends each finished game to
// "<event>.pgn" in the working directory, then records the result and saves
// the ".trn" file, and starts the next game.
//
// Driving it: a thread runs operator(); lines go in through command, from
// any thread: "0 load_tournament NAME", "0 start_tournament" and "0 quit"
// (other words are ignored). It sends no line anywhere; diagnostics go to
// standard error. With no line to handle for 400 ms, the loop still runs its
// move loop and engine test, so that a silent or dead engine loses on time
// or by engine failure. The loop returns once the tournament is over or the
// run has stopped (no game left, an engine that does not start, a failed load,
// a ".trn" file that cannot be saved before the first game, a game that
// could not be written to the PGN or ".trn" file, "quit", or an error while a
// line was handled). Standard error says in words why a save failed. It
// takes no hold on its tournament: its driver holds it (TournamentLock), as
// tournament-runner does. The small operations below are for the
// owner's thread while no loop runs.
class TournamentManager : public Manager {
public:
    // Creates the per-user directory and its "tournaments/" when missing;
    // opens no file and starts no engine or thread.
    TournamentManager();
    // Unloads the engines still loaded. The loop's thread must have ended.
    ~TournamentManager() override;
    TournamentManager(const TournamentManager&) = delete;
    TournamentManager& operator=(const TournamentManager&) = delete;

    // Queues one line and wakes the loop; any thread.
    void command(const std::string& line) override;
    // The loop: handles queued lines until the run has stopped. No exception
    // leaves it.
    void operator()();

    // Loads the tournament saved as name from the tournaments directory,
    // from the file that keeps its results (load_tournament_with_results),
    // and its opening suite. On failure the error passes on and the
    // tournament is left empty, with no event, so that nothing can be started.
    void load_tournament(const std::string& name);
    // Every game unplayed again, and the file saved; save errors pass on.
    void reset_tournament();
    // Whether every game of the tournament has a result.
    bool tournament_finished() const;
    // Both engines, where loaded, start a new game; the start position.
    void new_game();
    // Whether engine moves get the analysis comments (on at construction).
    void set_engine_comments(bool on);
    // Starts the first unplayed game.
    void start_next_game();

private:
    static constexpr int substate_idle = 0;
    static constexpr int engine1_to_move = 2;
    static constexpr int engine2_to_move = 3;

    // One line off the queue, then the move loop and the engine test; an
    // error is reported and stops the run.
    void handle_line(const std::string& line);
    void process_command_from_interface(const std::string& line);
    void process_answer_from_engine1(const std::string& line);
    void process_answer_from_engine2(const std::string& line);
    void process_answer_from_engine(int slot, const std::string& line);
    void info_comment_engine1(const std::string& rest);
    void info_comment_engine2(const std::string& rest);
    void info_comment(int slot, const std::string& rest);

    void play();
    void check_engines();
    // The move that coordinate text names in the position (not checked for
    // legality); an unreadable text is reported and its error passed on.
    Move alg2move(const std::string& text) const;
    std::string game_result();
    // Ends the game (an empty result: the rules decide), puts it on record
    // (TournamentRecord::finish) and starts the next game.
    void finish_game(const std::string& result);
    // Sets the stop flag and halts any engine still thinking.
    void stop_run();

    void start_tournament_game();
    // Puts the game's players into the slots, keeping the two engines of a
    // match where it can; false when an engine does not start.
    bool seat_players(const TournamentGame& game);

    void load_engine(int slot, const std::string& path, int protocol);
    void load_installed_engine(int slot, const std::string& name);
    void empty_slot(int slot);
    GuiEngine* engine(int slot) const;
    std::uint64_t& token(int slot);
    void log(const std::string& text);

    bool m_stop;
    bool m_debug;
    bool m_ponder;
    std::ofstream m_log;
    ChessPosition m_position;
    MoveGenerator m_generator;
    Level m_level;
    InstalledEngines m_installed;
    Timer m_log_timer;
    std::mt19937_64 m_token_rng;
    std::unique_ptr<GuiEngine> m_engine1;
    std::unique_ptr<GuiEngine> m_engine2;
    std::uint64_t m_token1;
    std::uint64_t m_token2;
    LineQueue m_queue;
    int m_substate;
    Move m_pending;
    // Always holds a suite; a new tournament gets a fresh one.
    std::optional<GuiBook> m_openings;
    Tournament m_tournament;
    TournamentRecord m_record;
    int m_game_number;
};
