#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "core/move_generator.h"

#include <string>

// The end of a game by the rules of chess: "*" while the game goes on, else
// its result line ("1-0 {White mates}", "1/2-1/2 {Stalemate}", ...). The
// tests run in the order repetition, fifty moves, insufficient material,
// no legal move, and the last one that applies names the result, so a mate
// or stalemate always wins over the draws.
std::string game_result(const ChessPosition& position, MoveGenerator& generator);

// Neither side can mate: no pawn, rook or queen; at most one bishop or
// knight a side; and no two bishops of different sides on squares of
// different colours.
bool insufficient_material(const ChessPosition& position);

// Engine games only: equal lone pieces ("KQkq", "KRkr", "KBkb" or "KNkn") and
// more than five plies since the last capture or pawn move.
bool adjudicated_material_draw(const ChessPosition& position);

// Whether the move is one of the legal moves of the position (its squares,
// kind and pieces; the score does not count). The null move never is.
bool is_legal_move(const ChessPosition& position, MoveGenerator& generator, const Move& move);

// Whether the side to move has no legal move (mate or stalemate).
bool no_legal_move(const ChessPosition& position, MoveGenerator& generator);

// The end of an engine game after a move: mate and stalemate first, then the
// material adjudication ("1/2-1/2 {adjudicated}"), then the draws by the
// rules; "*" while the game goes on.
std::string result_after_engine_move(const ChessPosition& position, MoveGenerator& generator);
