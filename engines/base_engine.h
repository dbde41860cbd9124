#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/move.h"
#include "core/chess_position.h"
#include "engines/cv_trio.h"
#include "engines/info_line_limit.h"
#include "engines/level.h"
#include "engines/option.h"

class Engio;
class EngineVariables;

// The protocol driver of one loaded engine. The manager's thread calls its
// operations; the driver thread (the call operator) takes every line the
// engine prints from the driver's own queue, lets the protocol handle it and
// forwards it to the manager's queue as "NUMBER TOKEN line".
class BaseEngine {
public:
    // The token that forwarded lines carry until the manager sets one; the
    // manager never draws it.
    static constexpr std::uint64_t no_token = 0;
    // How many analysis lines of the engine may wait for the driver thread;
    // older ones are dropped.
    static constexpr std::size_t waiting_info_limit = 100;
    // What the engine is doing (EngineVariables' state).
    static constexpr int idle = 0;
    static constexpr int thinking = 2;
    static constexpr int pondering = 3;

    BaseEngine();
    BaseEngine(const BaseEngine&) = delete;
    BaseEngine& operator=(const BaseEngine&) = delete;
    virtual ~BaseEngine();

    // The driver thread body: runs until quit has been called and every line
    // queued before it has been handled. Never ends by an exception from
    // engine output; throws std::logic_error when no manager queue was set.
    virtual void operator()() = 0;
    // 1 for UCI, 3 for xboard.
    virtual int get_protocol() const = 0;
    virtual bool is_uci() const = 0;
    // Whether the engine may think on the opponent's time.
    virtual void set_ponder(bool on) = 0;
    // Tells the engine that a new game starts from the standard position.
    virtual void new_game() = 0;
    // The position the next go searches.
    virtual void set_position(const ChessPosition& position) = 0;
    // Starts a search on the position under the engine's time control.
    virtual void go() = 0;
    // Starts a search without limit (analysis).
    virtual void go_infinite() = 0;
    // Ends thinking or pondering; an answer to the stopped search is never
    // forwarded as the engine's move.
    virtual void stop() = 0;
    // Whether the engine has left the search it was asked for (go) without an
    // answer and without a sign that it still searches, as far as the
    // protocol can tell within grace; the manager's pass asks this for
    // levels without a clock, and the driver may send the engine a probe
    // meanwhile. False while no such search runs. Not for the driver thread.
    virtual bool search_unanswered(std::chrono::milliseconds grace) = 0;
    // Waits until the line that the driver thread holds, if any, has been
    // forwarded or dropped; not for the driver thread. After stop, what the
    // engine printed before then is in the manager's queue, or is judged on
    // arrival as output of the stopped search.
    void settle();
    // Reads coordinate text ("e2e4", "e7e8q") in the driver's position; throws
    // std::logic_error on text that names no move there.
    virtual Move coordinate_to_move(const std::string& text) = 0;

    // Attaches the driver to the owner's settings and process; from now on the
    // engine's output arrives on this driver's queue.
    void init(int number, EngineVariables* ev, Engio* engio);
    // The queue that receives forwarded lines; set before the thread starts.
    void set_manager_cvt(CVTrio cvt);
    void set_token(const std::uint64_t& token);
    void set_number(int number);
    int get_number() const;
    // Where the driver's debug lines go, and whether they are written.
    void set_logstream(std::ostream* log);
    void set_debug(bool on);
    // Stops the engine process, then lets the driver thread end once its
    // queue is empty.
    void quit();

    bool engine_running() const;
    bool engine_crashed() const;

    void set_white(bool white);
    bool is_white() const;
    std::string get_idname() const;
    std::string get_player_name() const;
    std::string get_elo() const;
    std::map<std::string, Option> get_options() const;
    Level get_level() const;
    EngineVariables* get_enginevariables() const;
    // Gives the engine a time control (the handicap is applied to its clock).
    void set_level(Level level);
    void set_moves_made(std::uint32_t moves);
    void reset_clock();
    void start_clock();
    // Books the engine's move; stamp is its arrival time in ms (0: none).
    void move_and_stop_clock(std::uint64_t stamp);
    std::int64_t get_time_left() const;
    std::int64_t get_move_time() const;
    std::uint32_t get_increment() const;
    // The engine's own increment: there is no separate opponent increment.
    std::uint32_t get_opponent_increment() const;
    std::uint64_t get_opponent_time() const;
    std::uint32_t get_moves_to_go() const;
    // Moves booked on the engine's clock in this game, counted within the
    // session for a session time control.
    std::uint32_t get_moves_made() const;

    // Stores the options and sends every one of them in the protocol's form,
    // except buttons, which are sent only when marked as pressed; the press
    // is consumed, so a later send does not press them again.
    void send_options(const std::map<std::string, Option>& options);
    // Takes the identity and the option values from ev (for the options the
    // engine has) and sends the options again.
    void set_enginevariables(const EngineVariables& ev);
    // The two halves of send_options, for an owner that guards the settings
    // with a lock that must not be held across pipe writes: store_options
    // stores (and consumes button presses) and returns the lines to send;
    // send_option_lines writes them.
    std::vector<std::string> store_options(const std::map<std::string, Option>& options);
    // As store_options, but returns only the lines of what changed: options
    // the engine did not have, options whose value differs from the stored
    // one, and pressed buttons.
    std::vector<std::string> store_changed_options(const std::map<std::string, Option>& options);
    // set_enginevariables without the writes: returns the lines to send.
    std::vector<std::string> store_enginevariables(const EngineVariables& ev);
    // Writes option lines to the engine, in order. A protocol that must not
    // hear them during a search holds them until the engine has answered.
    virtual void send_option_lines(const std::vector<std::string>& lines);

protected:
    // The thread frame both drivers share; name is used in error texts.
    void run_driver_loop(const std::string& name);
    // Handles one non-empty engine line; returns the line to forward, or
    // nothing when the line must not reach the manager.
    virtual std::optional<std::string> handle_line(const std::string& line) = 0;
    // Whether an engine line is analysis (UCI "info", xboard thinking
    // output), which may be dropped while too many wait; any thread.
    virtual bool is_analysis_line(const std::string& line) const = 0;
    // Called once on the driver thread when the engine is lost, after every
    // line it printed has been handled: no answer will come, so a running
    // search ends and the engine counts as idle.
    virtual void engine_lost() = 0;

    // Writes one line to the engine.
    void send(const std::string& line);
    void debug_line(const std::string& text);
    int state() const;
    void set_state(int state);

    EngineVariables* m_ev;

private:
    // The protocol's form of one option, or nothing when it is not sent.
    std::optional<std::string> option_command(const Option& option) const;
    void forward(const std::string& line);
    // Whether the engine was lost and engine_lost has not run yet; under m_mtx.
    bool crash_unhandled() const;

    std::atomic<int> m_number;
    Engio* m_engio;
    std::atomic<std::uint64_t> m_token;
    std::atomic<bool> m_debug;
    std::atomic<bool> m_quit;
    std::atomic<std::ostream*> m_log;
    std::mutex m_mtx;
    std::condition_variable m_cv;
    std::deque<std::string> m_queue;
    // Bounds the analysis lines in m_queue; under m_mtx.
    InfoLineLimit m_info_limit;
    bool m_crash_handled;
    // A line (or the engine's loss) taken off m_queue and still being
    // handled; under m_mtx, with m_settled told when it is done.
    bool m_in_hand;
    std::condition_variable m_settled;
    CVTrio m_manager_cvt;
    CVTrio m_cvt;
};
