#pragma once

#include "core/chess_position.h"
#include "engines/base_engine.h"
#include "engines/cv_trio.h"
#include "engines/engine_variables.h"
#include "engines/engio.h"
#include "engines/level.h"
#include "engines/option.h"
#include "engines/protocol_detection.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// One engine slot (engine 1 or 2): owns the engine process, its settings,
// the protocol driver and the two threads of a loaded engine (the reader of
// the engine's output and the driver that forwards it to the manager). The
// life-cycle operations and the forwarders are called from one thread (the
// manager's); the settings may also be read from another thread through
// copy_enginevariables and get_options. Every forwarder is harmless when no
// engine is loaded.
class GuiEngine {
public:
    GuiEngine();
    // Unloads a loaded engine (quit, both threads joined).
    virtual ~GuiEngine();
    GuiEngine(const GuiEngine&) = delete;
    GuiEngine& operator=(const GuiEngine&) = delete;

    // Starts the executable at path as engine number (1 or 2), finds out its
    // protocol (0 autodetect, 1 UCI, 2 xboard version 1, 3 xboard version 2)
    // and starts the matching driver, whose lines go to the manager queue.
    // Under autodetect an engine that exits before its protocol is decided
    // is started once more for the xboard probe. An engine already loaded is
    // unloaded first. Number 0 only records the path. A failed start leaves
    // a driver whose engine is not running, and load_failure says why. While
    // the handshake waits, cancel is asked often: once it says so, the
    // engine is quit at once and no driver is started.
    // Throws std::logic_error for a protocol code outside 0..3.
    void load(int number, const std::string& path, int protocol, CVTrio manager_queue,
              const HandshakeCancel& cancel = {});
    // Why the last load left no running engine, in words ("it ended with
    // status 1 after \"uci\""); empty when the engine runs or the load was
    // cancelled.
    std::string load_failure() const;
    // Stops and quits the engine, joins both threads, deletes the driver.
    void unload_engine();
    // When the engine has been lost, waits for its process to end (ending it
    // after the quit timeout) so that no defunct child is left; the driver
    // stays until the next reload or unload. Nothing for a running engine.
    void release_lost_process();
    // Unloads and loads again with the arguments of the last load, keeping
    // the token last set, and starts a new game.
    void reload_engine();

    // Forwarded to the driver: without one they do nothing or give the
    // default (false, 0, empty, a default Level, 1 move to go).
    void set_ponder(bool on);
    void new_game();
    void set_position(const ChessPosition& position);
    void go();
    void go_infinite();
    // Ends the engine's search (BaseEngine::stop) and returns once the line
    // its driver holds is settled: nothing printed for the stopped search
    // reaches the manager's queue afterwards as a live answer.
    void stop();
    // The driver's BaseEngine::search_unanswered; false without an engine.
    bool search_unanswered(std::chrono::milliseconds grace);
    bool is_uci() const;
    void set_number(int number);
    void set_logstream(std::ostream* log);
    void set_white(bool white);
    void reset_clock();
    void start_clock();
    void move_and_stop_clock(std::uint64_t stamp);
    void set_moves_made(std::uint32_t moves);
    void set_level(Level level);
    // The number that marks this engine's lines to the manager; a reload
    // keeps it.
    void set_token(const std::uint64_t& token);
    // Takes the identity and option values from ev and sends the options;
    // the settings lock is not held while the lines are written.
    void set_enginevariables(const EngineVariables& ev);
    // Stores the options and sends the engine those that changed (see
    // BaseEngine::store_changed_options), without the settings lock; a UCI
    // engine hears them once it no longer searches.
    void set_options(const std::map<std::string, Option>& options);
    bool engine_running() const;
    bool engine_crashed() const;
    bool is_white() const;
    // A copy of the engine's options; empty without an engine. Any thread.
    std::map<std::string, Option> get_options() const;
    // The owner's settings record, for the loading thread only. Throws
    // std::logic_error when no engine is loaded.
    EngineVariables& get_enginevariables();
    // A copy of the settings record, safe from any thread.
    EngineVariables copy_enginevariables() const;
    Level get_level() const;
    int get_number() const;
    std::int64_t get_time_left() const;
    std::uint64_t get_move_time() const;
    int get_increment() const;
    std::uint64_t get_opponent_time() const;
    int get_opponent_increment() const;
    std::uint32_t get_moves_to_go() const;
    // Moves booked on the engine's clock (within the session); 0 when empty.
    std::uint32_t get_moves_made() const;
    std::string get_idname() const;
    std::string get_player_name() const;
    std::string get_elo() const;
    bool is_running() const;

    // These work on the owner's own record and need no driver.
    // Switches the engine's log file ("engine<number>.log") on or off; set
    // before load, the log holds every line from the engine's start on,
    // the protocol handshakes included. Kept across reloads.
    void set_debug(bool on);
    void set_opponent_time(std::uint64_t ms);
    std::uint64_t peek_opponent_time() const;
    // BaseEngine::idle, thinking or pondering.
    int get_state() const;
    // False when an xboard engine asked to be restarted between games.
    bool get_reuse() const;

private:
    void start(int number, const std::string& path, int protocol, CVTrio manager_queue, std::uint64_t token,
               const HandshakeCancel& cancel);
    // After the handshake, a process that has ended is reaped and its end
    // kept in words.
    void note_failed_start();
    void stop_threads(bool reset_flags);
    void start_reader();
    // Quits the engine process and starts the program again, with a reader.
    void respawn(const std::string& path);
    void empty_handshake_queue();

    Engio m_engio;
    EngineVariables m_ev;
    std::unique_ptr<BaseEngine> m_peng;
    std::mutex m_mtx;
    std::condition_variable m_cv;
    std::deque<std::string> m_queue;
    CVTrio m_cvt;
    CVTrio m_manager_cvt;
    int m_protocol;
    std::string m_filename;
    int m_number;
    std::uint64_t m_token;
    bool m_debug;
    std::string m_load_failure;
    // Guards m_ev's settings (names, options, level, colour) and the driver
    // pointer between the thread that drives the engine and threads that
    // copy the settings.
    mutable std::mutex m_settings_mutex;
    std::thread m_reader;
    std::thread m_driver;
};
