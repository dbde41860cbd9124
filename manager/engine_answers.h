#pragma once

#include "core/chess_position.h"
#include "engines/level.h"
#include "manager/command_words.h"

#include <cstdint>
#include <optional>
#include <string>

// How the managers judge the engines' answers in a game.

// Reads the slot number and the session token that begin an engine line;
// true when the token is the one given (the line comes from the engine now
// in the slot).
bool has_session_token(CommandWords& words, std::uint64_t token);

// "0000" and "(none)": the engine says it has no move.
bool is_no_move(const std::string& text);

// An engine answered the position with no move: the diagnostic (the game's
// FEN and moves, and the answer) goes to standard error. Under a fixed depth,
// node count or move time no clock would ever end the wait, so the engine
// loses as for an illegal move; otherwise nothing is decided and its clock
// goes on running.
std::optional<std::string> answer_without_move(const ChessPosition& position, const Level& level, bool mover_white,
                                               const std::string& text);

// "0-1 {illegal move: TEXT}" when White's engine sent it, else "1-0 ...".
std::string illegal_move_result(bool mover_white, const std::string& text);

// "0-1 {white resigns}" or "1-0 {black resigns}".
std::string resignation_result(bool resigner_white);
