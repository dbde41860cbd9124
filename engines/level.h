#pragma once

#include <cstdint>
#include <string>

// The kind of a time control.
enum level_t : std::int32_t {
    fixed_depth = 0,
    fixed_nodes = 1,
    fixed_movetime = 2,
    sudden_death = 3,
    sessions = 4,
};

// A time control with its text form, e.g. "sessions 40 0:10 0.1" (40 moves in
// 10 seconds, 0.1 seconds added per move). Times are in milliseconds.
class Level {
public:
    // The default time control "sessions 40 0:10 0.1".
    Level();
    // Parses the text form; throws std::logic_error on an unknown keyword.
    explicit Level(const std::string& text);

    // Reads the text form ("fixed_depth N", "fixed_nodes N", "fixed_movetime MS",
    // "sudden_death 0 M[:S] INC", "sessions MOVES M[:S] INC").
    // Throws std::logic_error "Level::set(keyword)" on an unknown keyword; a
    // refused text leaves the level unchanged.
    void set(const std::string& text);
    // The text form; the increment is printed in seconds with the fewest
    // significant digits (at least two) that read back to the same milliseconds.
    std::string to_string() const;

    // Equal when moves, time and increment agree; the kind takes no part.
    bool operator==(const Level& other) const;
    bool operator!=(const Level& other) const;

    level_t get_type() const { return m_type; }
    std::uint32_t get_depth() const { return m_depth; }
    std::uint32_t get_nodes() const { return m_nodes; }
    std::uint32_t get_movetime() const { return m_movetime; }
    std::uint32_t get_moves() const { return m_moves; }
    std::uint32_t get_time() const { return m_time; }
    std::uint32_t get_increment() const { return m_increment; }

    void set_type(level_t type) { m_type = type; }
    void set_moves(std::uint32_t moves) { m_moves = moves; }
    void set_time(std::uint32_t ms) { m_time = ms; }
    void set_increment(std::uint32_t ms) { m_increment = ms; }
    void set_fixed_depth(std::uint32_t depth);
    void set_fixed_nodes(std::uint32_t nodes);
    void set_fixed_movetime(std::uint32_t ms);

private:
    // The time the fixed kinds carry: far more than any game lasts.
    static constexpr std::uint32_t unlimited_time = 1073741824;

    std::string time_part() const;

    level_t m_type;
    std::uint32_t m_depth;
    std::uint32_t m_nodes;
    std::uint32_t m_movetime;
    std::uint32_t m_moves;
    std::uint32_t m_time;
    std::uint32_t m_increment;
};
