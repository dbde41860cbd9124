#pragma once

#include <array>
#include <cstdint>
#include <string>

// The piece placement of a FEN text: the piece code on every square
// (a1 = 0 ... h8 = 63), 0 on an empty square. The board, the Polyglot key of
// a FEN text and the book probe all read placements with read_fen_placement.
using FenPlacement = std::array<std::uint32_t, 64>;

// Reads the first word of fen: eight ranks from the eighth down, separated by
// "/", each of exactly eight squares written as piece letters and the digits
// 1 to 8. Refuses, with a std::logic_error whose text begins with operation:
//   - any other character: "<op>(<fen>) \nunkown piece 0x<code>";
//   - more or fewer than eight ranks or squares in a rank: "<op>(<fen>)    syntax error";
//   - a pawn on rank 1 or 8: "<op>   error: white pawn on wrong square" (or black);
//   - a second king of one colour: "<op>   error: too many white kings" (or black);
//   - material no game can reach, more than 16 pieces or 8 pawns of one colour:
//     "<op>   error: more than 16 white pieces", "... more than 8 black pawns".
// The material limit keeps every position within the 256 moves of a move list.
FenPlacement read_fen_placement(const std::string& fen, const std::string& operation);
