#include "app/fen_line_check.h"

#include <sstream>

namespace {

bool placement_is_valid(const std::string& placement)
{
    int ranks = 1;
    int squares = 0;
    bool rank_empty = true;
    for (const char c : placement) {
        if (c == '/') {
            if (rank_empty || squares != 8)
                return false;
            ++ranks;
            squares = 0;
            rank_empty = true;
            continue;
        }
        if (c >= '1' && c <= '8')
            squares += c - '0';
        else if (std::string("PNBRQKpnbrqk").find(c) != std::string::npos)
            ++squares;
        else
            return false;
        rank_empty = false;
        if (squares > 8)
            return false;
    }
    return ranks == 8 && !rank_empty && squares == 8;
}

bool castling_is_valid(const std::string& castling)
{
    if (castling.size() > 4)
        return false;
    for (const char c : castling) {
        const bool file = (c >= 'A' && c <= 'H') || (c >= 'a' && c <= 'h');
        if (!file && std::string("-KQkq").find(c) == std::string::npos)
            return false;
    }
    return true;
}

bool en_passant_is_valid(const std::string& square)
{
    return square == "-" || (square.size() == 2 && square[0] >= 'a' && square[0] <= 'h' && square[1] >= '1' &&
                             square[1] <= '8');
}

}

bool fen_line_is_valid(const std::string& line)
{
    std::istringstream in(line);
    std::string placement;
    std::string side;
    std::string castling;
    std::string en_passant;
    if (!(in >> placement >> side >> castling >> en_passant))
        return false;
    return (side == "w" || side == "b") && castling_is_valid(castling) && en_passant_is_valid(en_passant) &&
           placement_is_valid(placement);
}
