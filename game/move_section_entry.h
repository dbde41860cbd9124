#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Kinds of entries of a game's moves.
enum class MoveSectionEntryType : std::uint32_t {
    move = 0,
    start_game = 1,
    end_game = 2,
    variation_start = 3,
    variation_end = 4,
};

// Colours of entries: the side that made a move, or none for the start, the
// end and the variation brackets.
inline constexpr std::int32_t colour_black = 0;
inline constexpr std::int32_t colour_white = 1;
inline constexpr std::int32_t colour_none = 2;

// One node of a game's moves: a half-move, the start of the game, a result or
// a variation bracket, linked to its parent by id. The first child of a move
// is its main-line continuation, later children begin variations.
class MoveSectionEntry {
public:
    void set_id(std::int32_t id) { m_id = id; }
    void set_pid(std::int32_t pid) { m_pid = pid; }
    void set_type(MoveSectionEntryType type) { m_type = type; }
    void set_number(std::int32_t number) { m_number = number; }
    void set_colour(std::int32_t colour) { m_colour = colour; }
    void set_written(bool written) { m_written = written; }
    void set_text_start(std::int32_t offset) { m_text_start = offset; }
    void set_text_end(std::int32_t offset) { m_text_end = offset; }
    void set_san(const std::string& san) { m_san = san; }
    void set_nag(const std::string& nag) { m_nag = nag; }
    void set_comment(const std::string& comment) { m_comment = comment; }
    // Stores the result text and makes the entry an end entry.
    void set_result(const std::string& result);

    std::int32_t id() const { return m_id; }
    std::int32_t pid() const { return m_pid; }
    MoveSectionEntryType type() const { return m_type; }
    std::int32_t number() const { return m_number; }
    std::int32_t colour() const { return m_colour; }
    bool written() const { return m_written; }
    std::int64_t text_start() const { return m_text_start; }
    std::int64_t text_end() const { return m_text_end; }
    std::string& san() { return m_san; }
    const std::string& san() const { return m_san; }
    std::string& nag() { return m_nag; }
    const std::string& nag() const { return m_nag; }
    std::string& comment() { return m_comment; }
    const std::string& comment() const { return m_comment; }
    std::string result() const { return m_result; }

    void add_child(std::int32_t id) { m_children.push_back(id); }
    // Erases the first occurrence of the id; nothing when it is absent.
    void remove_child(std::int32_t id);
    // The child id at index, or -1 when there are not that many children.
    std::int32_t child(std::size_t index) const;
    std::size_t child_count() const { return m_children.size(); }
    std::vector<std::int32_t>& children() { return m_children; }
    const std::vector<std::int32_t>& children() const { return m_children; }
    void clear_children() { m_children.clear(); }

    // Empties the glyph and the comment.
    void clear_annotations();
    // Strips the "[%...]" commands (engine information) from the comment, and
    // its line feeds and trailing blanks.
    void remove_commands();
    // The entry's own movetext: a move's SAN with its glyph and comment; for an
    // end entry a blank and its bare result, with the rest of its result text
    // as a comment in braces between them (" {White mates} 1-0"); " (" or ")"
    // for the brackets.
    std::string pgn() const;
    // For the debug listings: the kind of entry ("start_game", "(", ...) and,
    // when there are variations, the child ids ("\tchildren{2,5}").
    std::string dump_type() const;
    std::string dump_children() const;

private:
    MoveSectionEntryType m_type = MoveSectionEntryType::move;
    std::int32_t m_id = 0;
    std::int32_t m_pid = 0;
    std::int32_t m_number = -1;
    std::int32_t m_colour = colour_white;
    bool m_written = false;
    std::int64_t m_text_start = 0;
    std::int64_t m_text_end = 0;
    std::string m_san;
    std::string m_nag;
    std::string m_comment;
    std::string m_result;
    std::vector<std::int32_t> m_children;
};
