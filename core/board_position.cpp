#include "core/board_position.h"
#include "core/fen_placement.h"
#include "core/piece.h"

#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

constexpr int white_king_code = 6;
constexpr int black_king_code = 14;
constexpr int rook_below_king = 2;

// Where king and rook end up: g/f on the side of the king the rook came from is
// the h-side, c/d otherwise, on the castling side's back rank.
struct CastlingTargets {
    Square king;
    Square rook;
};

CastlingTargets castling_targets(const Move& move)
{
    const int back_rank = move.moving_piece_code() == white_king_code ? 0 : 56;
    if (move.to() > move.from()) {
        return {Square(back_rank + 6), Square(back_rank + 5)};
    }
    return {Square(back_rank + 2), Square(back_rank + 3)};
}

int castling_king_code(const Move& move)
{
    return move.moving_piece_code() == white_king_code ? white_king_code : black_king_code;
}

}

void BoardPosition::clear()
{
    m_pieces.fill(Bitboard());
    m_squares.fill(0);
    m_side_to_move = 1;
    update_derived();
}

void BoardPosition::put_piece(const Square& square, int code)
{
    place(code, square);
}

void BoardPosition::remove_piece(const Square& square, int code)
{
    take_away(code, square);
}

void BoardPosition::place(int code, Square square)
{
    m_pieces[code].set(square);
    m_squares[square.value()] = static_cast<std::uint32_t>(code);
}

void BoardPosition::take_away(int code, Square square)
{
    m_pieces[code].reset(square);
    m_squares[square.value()] = 0;
}

void BoardPosition::update_derived()
{
    m_derived[0] = m_pieces[2] | m_pieces[3] | m_pieces[4] | m_pieces[5] | m_pieces[6];
    m_derived[1] = m_pieces[10] | m_pieces[11] | m_pieces[12] | m_pieces[13] | m_pieces[14];
    m_derived[2] = m_pieces[1] | m_derived[0];
    m_derived[3] = m_pieces[9] | m_derived[1];
    m_derived[4] = m_pieces[3] | m_pieces[5] | m_pieces[11] | m_pieces[13];
    m_derived[5] = m_pieces[4] | m_pieces[5] | m_pieces[12] | m_pieces[13];
    m_derived[6] = m_derived[2] | m_derived[3];
}

void BoardPosition::make_move(const Move& move)
{
    const Square from = move.from();
    const Square to = move.to();
    const int moving = move.moving_piece_code();
    const int captured = move.captured_piece_code();
    switch (move.kind()) {
    case nullmove:
        break;
    case normal_move:
        take_away(captured, to);
        take_away(moving, from);
        place(moving, to);
        break;
    case promo_queen:
    case promo_rook:
    case promo_bishop:
    case promo_knight:
        take_away(captured, to);
        take_away(moving, from);
        place(moving + 6 - move.kind(), to);
        break;
    case castling: {
        // Both leave before either lands: in Chess960 one may land where the other stood.
        const int king = castling_king_code(move);
        const CastlingTargets targets = castling_targets(move);
        take_away(king, from);
        take_away(king - rook_below_king, to);
        place(king, targets.king);
        place(king - rook_below_king, targets.rook);
        break;
    }
    case en_passant:
        take_away(captured, m_side_to_move == 1 ? to - 8 : to + 8);
        take_away(moving, from);
        place(moving, to);
        break;
    }
    update_derived();
    m_side_to_move ^= 1;
}

void BoardPosition::unmake_move(const Move& move)
{
    const Square from = move.from();
    const Square to = move.to();
    const int moving = move.moving_piece_code();
    const int captured = move.captured_piece_code();
    switch (move.kind()) {
    case nullmove:
        break;
    case normal_move:
        take_away(moving, to);
        place(moving, from);
        place(captured, to);
        break;
    case promo_queen:
    case promo_rook:
    case promo_bishop:
    case promo_knight:
        take_away(moving + 6 - move.kind(), to);
        place(captured, to);
        place(moving, from);
        break;
    case castling: {
        const int king = castling_king_code(move);
        const CastlingTargets targets = castling_targets(move);
        take_away(king, targets.king);
        take_away(king - rook_below_king, targets.rook);
        place(king, from);
        place(king - rook_below_king, to);
        break;
    }
    case en_passant:
        // The side field still names the side that did not make the move.
        take_away(moving, to);
        place(moving, from);
        place(captured, m_side_to_move == 1 ? to + 8 : to - 8);
        break;
    }
    // Restoring "no capture" put a bit into the set of code 0.
    m_pieces[0].clear();
    update_derived();
    m_side_to_move ^= 1;
}

void BoardPosition::flip_colours()
{
    for (Bitboard& set : m_pieces) {
        set.flip_ranks();
    }
    for (int code = 1; code <= 6; ++code) {
        std::swap(m_pieces[code], m_pieces[code + 8]);
    }
    for (int square = 0; square < 32; ++square) {
        std::swap(m_squares[square], m_squares[square ^ 56]);
    }
    for (std::uint32_t& code : m_squares) {
        if (code > 0) {
            code ^= 8;
        }
    }
    m_side_to_move ^= 1;
    update_derived();
}

void BoardPosition::mirror_files()
{
    for (Bitboard& set : m_pieces) {
        set.mirror_files();
    }
    for (int rank_start = 0; rank_start < 64; rank_start += 8) {
        for (int file = 0; file < 4; ++file) {
            std::swap(m_squares[rank_start + file], m_squares[rank_start + 7 - file]);
        }
    }
    update_derived();
}

void BoardPosition::fen(const std::string& text)
{
    clear();
    const FenPlacement squares = read_fen_placement(text, "BoardPosition::fen");
    for (std::size_t square = 0; square < squares.size(); ++square) {
        if (squares[square] != 0) {
            place(static_cast<int>(squares[square]), Square(static_cast<int>(square)));
        }
    }
    std::istringstream stream(text);
    std::string placement;
    std::string side;
    stream >> placement >> side;
    m_side_to_move = side == "w" ? 1 : 0;
    update_derived();
}

std::string BoardPosition::print() const
{
    static constexpr const char* labels[15] = {
        nullptr, "white pawn: ", "white knight: ", "white bishop: ", "white rook: ", "white queen: ",
        "white king: ", nullptr, nullptr, "black pawn: ", "black knight: ", "black bishop: ",
        "black rook: ", "black queen: ", "black king: ",
    };
    std::ostringstream text;
    text << "side to move: " << m_side_to_move << "\n";
    for (int code = 1; code <= 14; ++code) {
        if (labels[code] != nullptr) {
            text << labels[code] << "\n" << m_pieces[code].to_string() << "\n";
        }
    }
    return text.str();
}

bool BoardPosition::operator==(const BoardPosition& other) const
{
    return m_side_to_move == other.m_side_to_move && m_pieces == other.m_pieces;
}
