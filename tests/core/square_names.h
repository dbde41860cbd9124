#pragma once

#include <initializer_list>
#include <string>

#include "core/bitboard.h"
#include "core/square.h"

// Squares and sets written by their names ("e4"), so that expected answers in
// the table tests read like a board.
namespace square_names {

inline Square sq(const char* name) { return Square(std::string(name)); }

inline Bitboard squares(std::initializer_list<const char*> names)
{
    Bitboard set;
    for (const char* name : names)
        set.set(sq(name));
    return set;
}

}
