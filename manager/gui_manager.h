#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "core/move_generator.h"
#include "engines/chess_clock.h"
#include "engines/engine_variables.h"
#include "engines/gui_engine.h"
#include "engines/installed_engines.h"
#include "engines/level.h"
#include "engines/option.h"
#include "engines/timer.h"
#include "game/gui_book.h"
#include "game/polyglot_book.h"
#include "manager/command_words.h"
#include "manager/gui_manager_mode.h"
#include "manager/line_queue.h"
#include "manager/manager.h"
#include "manager/tournament.h"
#include "manager/tournament_lock.h"
#include "manager/tournament_manager.h"
#include "manager/tournament_record.h"
#include "manager/window_inbox.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>

// The game controller behind the main window. It runs on a thread of its own
// (operator()), takes the window's command lines ("0 ...") and the engines'
// lines ("1 TOKEN ...", "2 TOKEN ...") off one LineQueue, where the window's
// commands go ahead of waiting engine lines (a command that starts new play
// drops the old game's lines first), owns the engines of slots 1 and 2, its
// own copy of the game position, the time control and the record of a
// tournament game, and answers the window through WindowInbox::put_command.
//
// Threads: the owner (the window) constructs it, calls set_interface, starts
// a std::thread on std::ref of it, pushes lines with command, may call the
// four slot accessors below at any time, and joins the thread (which ends
// after the "quit" command) before destroying it. Everything else runs on
// the manager's thread. No lock of the manager is held while it writes to an
// engine, starts one, or pushes a line to the window.
class GuiManager : public Manager {
public:
    // program: the name the program was started under (kept, not used).
    // Creates the per-user directory when missing. Mode human_human.
    explicit GuiManager(const std::string& program);
    // Unloads the engines still loaded. The thread must have been joined.
    ~GuiManager() override;
    GuiManager(const GuiManager&) = delete;
    GuiManager& operator=(const GuiManager&) = delete;

    // Where the manager's message lines go; call once, before the thread
    // starts. Without one, the lines are dropped.
    void set_interface(WindowInbox* inbox);
    // Queues one line and wakes the manager's thread; any thread.
    void command(const std::string& line) override;

    // The thread body: handles queued lines until "quit" has been handled,
    // and with no line for 400 ms runs the move loop and the engine test all
    // the same. No exception leaves it: an error while a line is handled is
    // reported to the window as a "telluser" line and the loop goes on.
    void operator()();

    // Direct accessors for the window's thread. They read slot 1 under a
    // guard that the manager's thread holds only while it puts an engine
    // into a slot or takes one out (never while an engine starts or while a
    // line goes to the window), so they return quickly and never see an
    // engine being destroyed.
    //
    // A copy of engine 1's options, or exactly one entry "no_engine_loaded"
    // (a default Option) when slot 1 is empty.
    std::map<std::string, Option> get_engine_options() const;
    // A copy of engine 1's settings; throws std::logic_error
    // "GuiManager::get_enginevariables()   no engine loaded" when slot 1 is empty.
    EngineVariables get_enginevariables() const;
    // Hands the settings (names, Elo, handicap, option values) to engine 1;
    // the manager's thread applies them before it handles its next line.
    // Nothing happens when slot 1 is empty then.
    void set_enginevariables(const EngineVariables& ev);
    // Whether slot 1 holds an engine.
    bool engine_loaded() const;

private:
    static constexpr int substate_idle = 0;
    static constexpr int human_to_move = 1;
    static constexpr int engine1_to_move = 2;
    static constexpr int engine2_to_move = 3;

    // One line off the queue, handled and followed by the move loop and the
    // engine test; errors are reported, not passed on.
    void handle_line(const std::string& line);
    void report_error(const std::string& text);

    // Window commands.
    void process_command_from_interface(std::string line);
    void command_load(CommandWords& words);
    void command_setoption(CommandWords& words);
    void command_new();
    void command_quit();
    void command_level(const std::string& text);
    void command_setboard(const std::string& fen);
    void command_ponder(const std::string& word);
    void command_book(const std::string& path);
    void command_polyglotbook(const std::string& path);
    void command_human_human();
    void command_human_computer();
    void command_go();
    void command_analyzeposition();
    void command_usermove(const std::string& text);
    void command_learnopenings(int sides);
    // Plays the tournament as its file holds it now, read again under the
    // name it was loaded by (read_tournament_to_play: a game appended but
    // left unscored is scored from the PGN file), held for this program
    // until the run ends (claim_tournament_to_play), and saved before its
    // first game; with no game left to play, another program playing it, or
    // a file that cannot be saved, says why and plays nothing.
    void command_start_tournament();
    void command_load_tournament(const std::string& name);
    // Enters a mode of engine 1 in the sub-state given, with no move pending
    // and engine 1 playing the side to move.
    void enter_engine1_mode(GuiEngine& engine1, GuiManagerMode mode, int substate);
    // Sends the "whitename"/"blackname" pair of a game against engine 1.
    void send_human_computer_names();
    // Before a command (its first word) that sets up a new position or new
    // play: the engines are stopped and their lines still waiting dropped, so
    // that nothing of the old game acts on the new one.
    void stop_engines_and_drop_their_lines(const std::string& word);
    // A refusal while a tournament game is being played; true when refused.
    bool refused_during_tournament_game(const std::string& what);

    // Engine lines.
    void process_answer_from_engine1(const std::string& line);
    void process_answer_from_engine2(const std::string& line);
    void process_answer_from_engine(int slot, const std::string& line);
    void forward_info_engine1(const std::string& rest);
    void forward_info_engine2(const std::string& rest);
    void forward_info(int slot, const std::string& rest);

    // The move loop: plays the pending move of the current mode.
    void play();
    void play_human_computer();
    void play_match();
    void play_learnopenings();
    // Plays the pending move on the position and finishes the game when
    // that ends it; true when the game goes on.
    bool play_pending_move();
    // Engine 1 stopped running in a game against the human: it is restarted
    // once in a game; dead again, it is given up (its slot emptied).
    void handle_engine1_crash();
    // A new game: engine 1 may again be restarted once after a crash.
    void forget_engine1_crashes();
    // Engine 1 thinks on the manager's position, told the human's time left.
    void engine1_go(GuiEngine& engine1);
    // The clock and health test of engine games: of both engines in a
    // tournament game, of engine 1 while it is to move against the human.
    void check_engines();
    // Against the human, engine 1 loses only by going silent (silence_verdict).
    void check_engine1_against_human();
    // The move that coordinate text names in the manager's position (not
    // checked for legality); the null move when the text names none.
    Move alg2move(const std::string& text) const;
    // Whether the move is one of the legal moves of the manager's position.
    bool find_legal_move(const Move& move);
    // "*" while the game goes on, else its result line by the rules.
    std::string game_result();
    // Ends the game with the result line (empty: the rules decide), tells
    // the window and, in a tournament, puts the game on record
    // (TournamentRecord::finish) and starts the next game.
    void finish_game(const std::string& result);
    bool game_in_progress() const;
    bool tournament_game_in_progress() const;

    // Tournament games.
    void start_tournament_game();
    // Leaves the tournament game being played without a result: engine 1
    // stopped and kept, engine 2 unloaded ("engine2name ???"), the game
    // unplayed in the saved file (resuming plays it from its start), two
    // humans; the window gets one "telluser" line.
    void stop_tournament_game();
    // Ends a tournament run that cannot go on: both engines unloaded, which
    // the window hears ("engine1name ???", "engine2name ???"), two humans,
    // then the message and "tournament_finished".
    void abandon_tournament(const std::string& message);
    // The run is over: other programs may play its tournament, and the
    // window hears "tournament_finished".
    void end_tournament_run();

    // Opening practice: the book moves of the side to move as hint arrows.
    void show_book_arrows();
    void set_debug(bool on);
    void apply_pending_settings();

    // Engine slots.
    // Starts the engine at path in the slot and names it to the window; an
    // installed engine's record gives it its settings first. False, with
    // the slot empty and "engine1name ???" (or "engine2name ???") sent, when
    // it does not start; the caller tells the user why, from failure when
    // given (empty when the start was given up for a quit or another load
    // waiting, see start_cancelled).
    bool load_engine(int slot, const std::string& path, int protocol, const EngineVariables* installed = nullptr,
                     std::string* failure = nullptr);
    // load_engine of the engine installed under the name; false for an
    // empty name, with the slot left as it was.
    bool load_installed_engine(int slot, const std::string& name, std::string* failure = nullptr);
    // Whether an engine being started is to be given up: the window's
    // "quit" waits, or its "load" outside a tournament run.
    bool start_cancelled();
    void reload_engine(int slot);
    // Starts the engine of a slot again with its settings, its clock as it
    // stood and a fresh token; the game and the window are not touched.
    void restart_engine(int slot);
    void reset_position();
    // Stops, unloads and destroys the engine of a slot, if any, without a
    // word to the window: for a caller that loads an engine into the slot
    // next (and so names it, or sends "???" when it fails) or that quits.
    void empty_slot(int slot);
    // Empties a slot that is to stay empty: when it held an engine, the
    // window hears "engine1name ???" ("engine2name ???"), as after a failed
    // load, so that it names no engine that is gone.
    void empty_slot_for_good(int slot);
    GuiEngine* engine(int slot) const;
    std::uint64_t& token(int slot);

    // One line to the window, line ends turned into blanks.
    void send(const std::string& line);
    // One line to "manager.log" while debugging: time stamp, text, line feed.
    void log(const std::string& text);

    WindowInbox* m_interface;
    bool m_stop;
    bool m_debug;
    bool m_ponder;
    int m_learn_sides;
    std::ofstream m_log;
    std::string m_program;
    ChessPosition m_position;
    MoveGenerator m_generator;
    Level m_level;
    // The human's clock in a game against engine 1: it runs from the
    // engine's move until the human's answer, so that the engine learns the
    // human's real time.
    ChessClock m_human_clock;
    InstalledEngines m_installed;
    PolyglotBook m_book;
    Timer m_log_timer;
    std::mt19937_64 m_token_rng;
    // Slots 1 and 2; replaced only on the manager's thread, and then under
    // m_slot_mutex, which the window's accessors hold while they read slot 1.
    std::unique_ptr<GuiEngine> m_engine1;
    std::unique_ptr<GuiEngine> m_engine2;
    mutable std::mutex m_slot_mutex;
    // Settings the window handed over for engine 1 (under m_slot_mutex).
    std::optional<EngineVariables> m_pending_settings;
    std::uint64_t m_token1;
    std::uint64_t m_token2;
    // The window's commands and the engines' lines, oldest first.
    LineQueue m_queue;
    GuiManagerMode m_mode;
    int m_substate;
    Move m_pending;
    // Constructed and destroyed with the manager; no thread runs it here.
    TournamentManager m_tournament_manager;
    // Always holds a suite; "book" with no path puts a fresh, empty one here.
    std::optional<GuiBook> m_openings;
    // The manager's own copy of the tournament it plays, loaded from its
    // file, and the name it was loaded under, read again at each start.
    Tournament m_tournament;
    std::string m_tournament_name;
    // Holds the tournament for this program while a run plays it.
    TournamentLock m_tournament_lock;
    // The tournament game being played, written out when it ends: the window
    // shows the game, the manager keeps it on record.
    TournamentRecord m_record;
    int m_game_number;
    // Engine 1 has been restarted after a crash in the game being played.
    bool m_engine1_restarted;
};
