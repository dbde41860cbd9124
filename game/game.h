#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/pgn_token.h"

// The tag header of one game record: the PGN tag pairs in the order in which
// each was first set, and the game's start position (FEN, side to move, move
// number). It knows nothing of chess rules.
class Game {
public:
    static constexpr const char* standard_start_fen =
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

    // The Seven Tag Roster with its defaults and the standard start position.
    Game();
    // A header read straight from PGN text (see parse_pgn).
    explicit Game(const std::string& pgn_text);

    // Back to the defaults of a new header (used for every new or loaded game).
    void reset_to_start();
    // Removes every tag, then sets the Seven Tag Roster in its order.
    void set_default_tags();

    // Stores a tag; a new name goes last, an existing one keeps its place.
    // "FEN" also sets the start FEN, side to move and move number.
    void set_tag(const std::string& name, const std::string& value);
    // The value of a tag, or an empty text when it is absent.
    std::string get_tag(const std::string& name) const;
    bool has_tag(const std::string& name) const;
    // Removes a tag other than "FEN" with its place in the order; nothing
    // when it is absent.
    void remove_tag(const std::string& name);

    // The tag section: one "[Name "value"]" line per tag, in order.
    std::string tags_pgn() const;

    // Resets, then takes the tag pairs of a tokenized game up to its movetext.
    void set_tags_from_tokens(const std::vector<PgnToken>& tokens);
    // Resets, then reads every tag pair of a PGN text without the tokenizer; a
    // value is kept up to max_tag_value_bytes (whole characters). Throws
    // std::logic_error on a value that is not UTF-8.
    void parse_pgn(const std::string& pgn_text);

    std::map<std::string, std::string> m_tags;
    std::vector<std::string> m_tag_order;
    std::string m_start_fen;
    int32_t m_start_colour = 1;
    int32_t m_start_move_number = 1;
};
