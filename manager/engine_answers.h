#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "core/move_generator.h"
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

// The verdict on the answer "bestmove TEXT" of the engine to move, where move
// is what TEXT reads as in the position (the null move when it reads as
// none): nothing when the move is legal and the game goes on with it, else
// the result line that ends the game. A text that names no legal move loses
// for the engine. An answer without a move ("0000", "(none)") writes the
// game's FEN, its moves and the answer to standard error; it loses as well
// while the side to move has a legal move, under every level, since the
// engine's clock stops with the answer and no clock would ever end the wait;
// with no legal move the rules decide.
std::optional<std::string> engine_answer_result(const ChessPosition& position, MoveGenerator& generator,
                                                const Move& move, const std::string& text, bool mover_white);

// "0-1 {illegal move: TEXT}" when White's engine sent it, else "1-0 ...".
std::string illegal_move_result(bool mover_white, const std::string& text);

// "0-1 {white resigns}" or "1-0 {black resigns}".
std::string resignation_result(bool resigner_white);
