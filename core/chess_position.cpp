#include "core/chess_position.h"

#include <stdexcept>

ChessPosition::ChessPosition()
{
    compute_attack_info();
}

void ChessPosition::clear()
{
    PositionCore::clear();
    compute_attack_info();
}

void ChessPosition::set_start_position()
{
    set_start_position_core();
    compute_attack_info();
}

void ChessPosition::set_fen(const std::string& text)
{
    // Read into a copy so that a bad text leaves this position untouched.
    ChessPosition candidate(*this);
    candidate.PositionCore::fen(text);
    candidate.compute_attack_info();
    *this = candidate;
}

void ChessPosition::flip_colours()
{
    ChessPosition candidate(*this);
    candidate.flip_colours_core();
    candidate.compute_attack_info();
    *this = candidate;
}

void ChessPosition::mirror_files()
{
    ChessPosition candidate(*this);
    candidate.mirror_files_core();
    candidate.compute_attack_info();
    *this = candidate;
}

void ChessPosition::make_move(const Move& move)
{
    do_move(move);
    update_attack_info(move);
}

void ChessPosition::take_back()
{
    if (ply_records().size() < 2) {
        throw std::logic_error("ChessPosition::take_back()   no move to take back");
    }
    const Move move = last_move();
    undo_move();
    update_attack_info(move);
}
