#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/move.h"
#include "core/chess_position.h"
#include "game/game.h"
#include "game/game_tree.h"
#include "game/san_move.h"

// The game being played or viewed: its tag header, its moves with variations,
// comments, glyphs and result, a current entry in that tree and the position
// reached at that entry. Reads the PGN text of one game and writes it back.
class ChessGame {
public:
    // A new game from the standard start position with the default tags.
    ChessGame();
    // A game read from the PGN text of one game, set up from its "FEN" tag
    // when it has one. Throws what set_pgn throws.
    explicit ChessGame(const std::string& pgn_text);

    // Forgets every move and tag; the standard start position.
    void new_game();
    // Reads one game's PGN text into the header and the tree; the current
    // entry is the root and the position is the standard start position.
    // Throws std::logic_error on movetext that cannot be read and on a text
    // over max_game_bytes; the record is then unchanged.
    void load_pgn(const std::string& pgn_text);
    // As load_pgn, then the position from the "FEN" tag. Throws
    // std::logic_error when the text cannot be read or its FEN is invalid;
    // the record is then unchanged.
    ChessGame& set_pgn(const std::string& pgn_text);
    // True while no entry was ever added beside the root.
    bool is_empty() const;

    // Stores a tag. "FEN" also sets up the position and the start of the
    // move numbering; an invalid FEN throws std::logic_error and changes nothing.
    void set_tag(const std::string& key, const std::string& value);
    std::string get_tag(const std::string& key) const;
    // Removes a tag other than "FEN"; nothing when it is absent.
    void remove_tag(const std::string& key);
    std::string get_result() const;
    // The "White" value, a blank and the "Black" value.
    std::string title() const;
    // The tag section followed by one line feed.
    std::string pgn_tags() const;
    // The whole game as PGN text: tags, an empty line, the movetext and an
    // empty line. Records the text offsets of every entry it writes.
    std::string pgn();
    // A debug listing of the header and every entry.
    std::string dump();

    // The comment of the current entry: replaced, extended or read. A closing
    // brace, which would end the comment in PGN text, is stored as ")".
    void set_comment(const std::string& text);
    void append_comment(const std::string& text);
    std::string get_comment() const;
    // The comment before the first move.
    void set_root_comment(const std::string& text);
    // Strips every "[%...]" command from every comment of the game.
    void remove_comment_commands();

    // Plays a move of the side to move at the current entry: an existing
    // child with the same SAN becomes current, otherwise the move is added
    // (as a variation when the entry already has a continuation). Where the
    // game has ended (the current entry is the end entry or is followed by it)
    // no move is recorded: false, and nothing changes.
    bool add_move(const Move& move);
    // Reads a legal move of the position from SAN text and adds it as
    // add_move does; throws std::logic_error and changes nothing otherwise.
    bool add_san_move(const std::string& san);
    // The line from the start to the current entry becomes the main line:
    // each entry on it moves to the front of its parent's continuations, and
    // the lines it passes keep their order as variations. A result that then
    // no longer ends the main line goes, with its end entry: the game is
    // unfinished ("*"). Nothing else changes.
    void make_main_line();
    // Makes result the end of the game: any end entry goes, and one holding
    // the result text follows the last move of the main line. It becomes the
    // current entry when the current entry was at the end of the main line;
    // the position does not change.
    void add_end_entry(std::string& result);
    // Records the result found in text ("1-0", "0-1" or "1/2-1/2", with any
    // comment around it) as the game's end entry (add_end_entry) and as the
    // "Result" tag; text is cut to the bare result. A text without a result
    // gives "*" and removes any end entry: the game is not finished.
    void set_result(std::string& text);
    // The move that led to the current position (the null move at the start).
    Move last_move();
    // The moves of the current entry's children, main line first.
    std::vector<SanMove> next_moves();
    bool has_child(const SanMove& move) const;
    // Makes the first child with the same SAN current; the caller plays the move.
    bool goto_child(const SanMove& move);
    // goto_child, then plays the move; the new FEN, or empty when no child matches.
    std::string goto_child_and_play(const SanMove& move);

    // Navigation: each returns the FEN of the position it reaches.
    std::string goto_start();
    // One move back; empty at the root.
    std::string back();
    // One move along the main line; empty when there is none. A move that is
    // not legal throws std::logic_error and changes nothing.
    std::string forward();
    // Along the main line to its last move; empty when already there.
    std::string goto_end();
    // Makes current the entry whose text in the last pgn() holds the byte
    // offset, replaying the game to it; the current FEN when none does.
    std::string goto_text_offset(uint64_t offset);
    // Makes the entry with the id current, replaying the game from its start
    // to it; the FEN reached. Throws std::logic_error for an id the tree
    // lacks, and for a move on the way that is not legal (the record then
    // stays at the entry before that move).
    std::string goto_entry(uint64_t id);
    // True when the current entry is the end entry or is followed by it:
    // the game has ended here and takes no further move.
    bool game_ended_here() const;
    // Byte offsets in the last pgn() of the current entry's text (end exclusive).
    std::pair<uint64_t, uint64_t> current_move_range() const;
    // Removes the last move of the line from the current entry on; the
    // position and the current entry go back to the move before it.
    void remove_last_move();

    ChessPosition& position() { return m_position; }
    const Game& header() const { return m_header; }
    GameTree& tree() { return m_tree; }
    uint64_t current() const { return m_current; }

private:
    // The legal move of the position that the SAN text names; throws
    // std::logic_error naming the operation when there is none.
    Move legal_move(const std::string& san, const char* operation);
    void set_position_from_start_fen();
    // Removes every end entry; a current end entry hands over to its parent.
    void remove_end_entries();
    // The id of the last entry of the main line (the root when it has none).
    uint64_t main_line_end() const;

    ChessPosition m_position;
    Game m_header;
    GameTree m_tree;
    uint64_t m_current = 0;
};
