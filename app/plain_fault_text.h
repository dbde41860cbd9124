#pragma once

#include <string>

// What a message box says about a fault, in words a player reads: the
// exception texts of the program name functions and dump positions for the
// error output, which keeps them whole.

// The fault's text without the names of the operations that passed it on
// ("ChessPosition::fen(string)   ", "SanMove operator=(string \"e4\"): ")
// and without the lines after its first (position dumps); the first letter
// made capital and a full stop at the end.
std::string plain_fault_text(const std::string& what);

// Why a game of a PGN file could not be read, from the reader's fault: "2.
// Ke3 is not a legal move." (or "2... Ke3" for Black) when the fault names a
// move and the position it was tried in, else the fault in plain words.
std::string unreadable_game_reason(const std::string& what);
