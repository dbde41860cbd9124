#pragma once

#include "engines/chess_clock.h"
#include "engines/level.h"
#include "engines/option.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

// The live state of an engine in a game.
enum EngineState : std::int32_t {
    engine_idle = 0,
    engine_thinking = 2,
    engine_pondering = 3,
};

// Everything known about one engine: the user's settings (name, executable,
// protocol, Elo, handicap, option values), what the engine said about itself
// (name, author, options, xboard features) and its live state in a game (time
// control, clock, opponent's time, thinking state, pings, colour). A plain
// value copied between threads and dialogs; a copy's clock has a fresh,
// stopped stopwatch. State and ping counter are read and written whole from
// two threads.
class EngineVariables {
public:
    EngineVariables();
    EngineVariables(const EngineVariables& other);
    // Copies every field; the clock takes the other's values but keeps its
    // own stopwatch.
    EngineVariables& operator=(const EngineVariables& other);

    // Back to an unconfigured engine: autodetect, default clock, no options,
    // default features, no pings, no opponent time. Names, file, Elo,
    // handicap, level, state, colour and UCI mark stay.
    void reset();
    // The same as reset, under the name the engines.cfg reader uses.
    void clear();

    // The engine's own name; also becomes the shown name while that is empty.
    void set_idname(const std::string& name);
    std::string get_idname() const { return m_idname; }
    void set_author(const std::string& author) { m_author = author; }
    const std::string& get_author() const { return m_author; }
    // Inserts the option under its name, replacing one of the same name.
    void set_option(const Option& option);
    std::map<std::string, Option> get_options() const { return m_options; }
    // Replaces the whole option map (the drivers store what they sent).
    void set_options(const std::map<std::string, Option>& options) { m_options = options; }
    void set_uci(bool uci) { m_uci = uci; }
    bool is_uci() const { return m_uci; }
    // 0 autodetect, 1 UCI, 2 xboard version 1, 3 xboard version 2.
    void set_protocol(int protocol) { m_protocol = protocol; }
    int get_protocol() const { return m_protocol; }

    void set_name(const std::string& name) { m_name = name; }
    const std::string& get_name() const { return m_name; }
    void set_filename(const std::string& filename) { m_filename = filename; }
    const std::string& get_filename() const { return m_filename; }
    void set_player_name(const std::string& name) { m_player_name = name; }
    const std::string& get_player_name() const { return m_player_name; }
    void set_elo(const std::string& elo) { m_elo = elo; }
    const std::string& get_elo() const { return m_elo; }
    // A percentage of time taken away from the engine's clock, as typed.
    void set_handicap(const std::string& handicap) { m_handicap = handicap; }
    const std::string& get_handicap() const { return m_handicap; }

    // xboard features the engine announced as on.
    struct Features {
        bool ping = false;
        bool setboard = false;
        bool san = false;
        bool usermove = false;
        bool time = true;
        bool reuse = true;
        bool colors = false;
        bool nps = false;
        bool debug = false;
        bool smp = false;
        bool memory = false;
    };
    Features& features() { return m_features; }
    const Features& features() const { return m_features; }
    // Sets the flag of an announced feature by its xboard name ("ping",
    // "setboard", ...); returns false, changing nothing, for other names.
    bool set_feature(const std::string& name, bool on);
    void set_egt(const std::string& egt) { m_egt = egt; }
    const std::string& get_egt() const { return m_egt; }

    void set_white(bool white) { m_white = white; }
    bool is_white() const { return m_white; }
    int get_state() const { return m_state; }
    void set_state(int state) { m_state = state; }
    void ping_sent() { ++m_pings; }
    // One outstanding ping fewer (never below 0); returns the count left.
    int pong_received();
    bool ping_pending() const { return m_pings != 0; }
    void set_opponent_time(std::uint64_t ms) { m_opponent_time = ms; }
    std::uint64_t get_opponent_time() const { return m_opponent_time; }

    Level get_level() const { return m_level; }
    // Keeps the level as given and derives the clock from it with the
    // handicap applied.
    void set_level(Level level);
    // The handicap as a fraction (25 gives 0.25); 0 when empty or unreadable.
    double get_handicap_fraction() const;
    void reset_clock() { m_clock.restart(); }
    void start_clock() { m_clock.start(); }
    void stop_clock() { m_clock.stop(); }
    void move_done(std::uint64_t arrival_stamp) { m_clock.move_done(arrival_stamp); }
    void set_moves_made(std::uint32_t moves) { m_clock.set_moves_made(moves); }
    void set_time_left(std::uint32_t ms) { m_clock.set_time_left(ms); }
    std::int64_t get_time_left() { return m_clock.time_left_now(); }
    std::int64_t get_move_time() { return m_clock.move_time(); }
    std::uint32_t get_increment() const { return m_clock.increment(); }
    std::uint32_t get_moves_to_go() const { return m_clock.moves_to_go(); }
    std::uint32_t get_moves_made() const { return m_clock.get_moves_made(); }

    // A debug dump: the engine's own name and each option's type and value.
    std::string to_string() const;

private:
    Level m_level;
    ChessClock m_clock;
    std::atomic<std::uint64_t> m_opponent_time;
    std::atomic<int> m_state;
    std::atomic<int> m_pings;
    bool m_white;
    bool m_uci;
    std::string m_name;
    std::string m_filename;
    std::string m_player_name;
    std::string m_elo;
    std::string m_handicap;
    int m_protocol;
    Features m_features;
    std::string m_egt;
    std::string m_idname;
    std::string m_author;
    std::map<std::string, Option> m_options;
};
