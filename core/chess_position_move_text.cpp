#include "core/chess_position.h"

#include <stdexcept>

#include "core/bitboard_steps.h"

namespace {

bool is_file(char c) { return c >= 'a' && c <= 'h'; }
bool is_rank(char c) { return c >= '1' && c <= '8'; }

// Whether a side's pieces attack a square on the given board.
bool attacked_by(const BoardPosition& board, const AttackTables& tables, const Square& square, bool by_white)
{
    const Bitboard target = square.bit();
    const Bitboard occupied = board.occupied();
    const int base = by_white ? 0 : 8;
    const Bitboard pawns = board.pieces(base + 1);
    const Bitboard pawn_sources = by_white ? white_pawn_sources_of(target) : black_pawn_sources_of(target);
    const Bitboard queens = board.pieces(base + 5);
    return static_cast<bool>((pawns & pawn_sources) | (board.pieces(base + 2) & tables.knight_attacks(square))
                             | ((board.pieces(base + 3) | queens) & tables.bishop_attacks(square, occupied))
                             | ((board.pieces(base + 4) | queens) & tables.rook_attacks(square, occupied))
                             | (board.pieces(base + 6) & tables.king_attacks(square)));
}

}

Move ChessPosition::create_move(const Square& from, const Square& to, int kind) const
{
    if (from == to || from.value() >= 64 || to.value() >= 64) {
        return Move();
    }
    const int moving = static_cast<int>(board().piece_at(from));
    if (moving == 0) {
        return Move();
    }
    int captured = static_cast<int>(board().piece_at(to));
    if ((moving == 6 && captured == 4) || (moving == 14 && captured == 12)) {
        kind = castling;
    } else {
        const int step = to - from;
        if (moving == 1 && (step == 7 || step == 9) && captured == 0 && to.value() >= 8
            && board().piece_at(to - 8) == 9) {
            kind = en_passant;
            captured = 9;
        } else if (moving == 9 && (step == -7 || step == -9) && captured == 0 && to.value() < 56
                   && board().piece_at(to + 8) == 1) {
            kind = en_passant;
            captured = 1;
        }
    }
    if (kind == castling) {
        captured = 0;
    }
    return Move(from, to, kind, moving, captured);
}

Move ChessPosition::convert_to_move(const std::string& text) const
{
    const std::string head = "m_cp.convert_to_move(const string& " + text + ")";
    if (text.size() != 4 && text.size() != 5) {
        throw std::logic_error(head + "  invalid size");
    }
    if (!is_file(text[0]) || !is_rank(text[1])) {
        throw std::logic_error(head + "  invalid 'from' square");
    }
    if (!is_file(text[2]) || !is_rank(text[3])) {
        throw std::logic_error(head + "  invalid 'to' square");
    }
    int kind = normal_move;
    if (text.size() == 5) {
        switch (text[4]) {
        case 'q': kind = promo_queen; break;
        case 'r': kind = promo_rook; break;
        case 'b': kind = promo_bishop; break;
        case 'n': kind = promo_knight; break;
        default: throw std::logic_error(head + "  invalid promotion piece");
        }
    }
    const Square from(text.substr(0, 2));
    Square to(text.substr(2, 2));
    const BoardPosition& position = board();
    if (position.piece_at(from) == 0) {
        throw std::logic_error(head + "  no piece on 'from' square");
    }
    if (text.size() == 4) {
        // The king's two-square step of standard castling becomes king-takes-rook.
        struct Spelling {
            const char* text;
            int king;
            int empty;
            int rook_square;
            std::uint32_t rook;
        };
        static constexpr Spelling spellings[] = {
            {"e1g1", 6, 6, 7, 4}, {"e1c1", 6, 2, 0, 4}, {"e8g8", 14, 62, 63, 12}, {"e8c8", 14, 58, 56, 12},
        };
        for (const Spelling& spelling : spellings) {
            if (text == spelling.text && position.piece_at(from) == static_cast<std::uint32_t>(spelling.king)
                && position.piece_at(Square(spelling.empty)) == 0
                && position.piece_at(Square(spelling.rook_square)) == spelling.rook) {
                to = Square(spelling.rook_square);
            }
        }
    }
    Move move = create_move(from, to, kind);
    move.set_gives_check(gives_check_after(move));
    return move;
}

bool ChessPosition::gives_check_after(const Move& move) const
{
    // Played on a scratch board from the mover's point of view, so that any
    // well-formed text (a move of the side not to move, a king capture, a
    // promotion letter on a piece) is answered without touching this position.
    const int moving = move.moving_piece_code();
    const bool promotes = move.kind() >= promo_queen && move.kind() <= promo_knight;
    if (move.code() == 0 || (promotes && (moving & 7) != 1)) {
        return false;
    }
    const bool white_moves = moving < 8;
    BoardPosition scratch = board();
    scratch.side_to_move() = white_moves ? 1 : 0;
    scratch.make_move(move);
    const Bitboard enemy_king = white_moves ? scratch.black_king() : scratch.white_king();
    if (!enemy_king.is_single()) {
        return false;
    }
    return attacked_by(scratch, m_attack_tables, enemy_king.first_square(), white_moves);
}
