#include "game/san_move.h"

#include <stdexcept>

#include "core/move_generator.h"

namespace {

constexpr uint64_t file_a = 0x0101010101010101ULL;
constexpr uint64_t rank_1 = 0xFFULL;

// Piece kind (1 pawn .. 6 king) of a leading capital letter 'B'..'R'; the
// capitals that name no piece stand for a pawn, as in "Pe4".
int piece_kind_of_letter(char letter)
{
    switch (letter) {
    case 'N': return 2;
    case 'B': return 3;
    case 'R': return 4;
    case 'Q': return 5;
    case 'K': return 6;
    default: return 1;
    }
}

// The SAN letter of a piece kind; pawns have none.
char letter_of_piece_kind(int kind)
{
    switch (kind) {
    case 2: return 'N';
    case 3: return 'B';
    case 4: return 'R';
    case 5: return 'Q';
    case 6: return 'K';
    default: return '\0';
    }
}

bool is_rank_digit(char c) { return c >= '1' && c <= '8'; }
bool is_file_letter(char c) { return c >= 'a' && c <= 'h'; }

std::string no_piece_error(const std::string& san, const std::string& fen)
{
    return "SanMove operator=(string \"" + san + "\"): no moving piece found(2) \nfen   " + fen + "\n";
}

}

SanMove::SanMove(ChessPosition& position)
    : m_position(&position)
{
}

SanMove::SanMove(ChessPosition& position, const std::string& san)
    : m_position(&position)
{
    *this = san;
}

SanMove::SanMove(ChessPosition& position, const Move& move)
    : m_position(&position)
{
    *this = move;
}

SanMove::SanMove(const SanMove& other)
    : m_move(other.m_move)
    , m_position(other.m_position)
    , m_san(other.m_san)
{
    m_move.set_score(0);
}

SanMove& SanMove::operator=(std::string text)
{
    ChessPosition& position = *m_position;
    m_san = text;
    while (!text.empty() && (text.back() == ' ' || text.back() == '!' || text.back() == '?'))
        text.pop_back();
    bool gives_check = false;
    if (!text.empty() && (text.back() == '+' || text.back() == '#')) {
        text.pop_back();
        gives_check = true;
    }
    m_move.set_xkind(xnormal_move);

    if (m_san == "O-O" || m_san == "O-O+" || m_san == "O-O#") {
        read_castling(true, gives_check);
        return *this;
    }
    if (m_san == "O-O-O" || m_san == "O-O-O+" || m_san == "O-O-O#") {
        read_castling(false, gives_check);
        return *this;
    }
    if (text.empty())
        throw std::logic_error(no_piece_error(m_san, position.fen()));
    if (text.back() == ')')
        throw std::logic_error("SanMove operator=(): Illegal character found");

    MoveKind kind = normal_move;
    if (text.size() >= 2 && text[text.size() - 2] == '=') {
        switch (text.back()) {
        case 'Q': kind = promo_queen; break;
        case 'R': kind = promo_rook; break;
        case 'B': kind = promo_bishop; break;
        case 'N': kind = promo_knight; break;
        default: throw std::logic_error("SanMove operator=(): wrong promotion format");
        }
        text.resize(text.size() - 2);
    }

    int target_rank = 0;
    int target_file = 0;
    if (!text.empty() && is_rank_digit(text.back())) {
        target_rank = text.back() - '1';
        text.pop_back();
    }
    if (!text.empty() && is_file_letter(text.back())) {
        target_file = text.back() - 'a';
        text.pop_back();
    }
    const int to_index = target_rank * 8 + target_file;
    const Square to(to_index);
    const bool white = position.board().side_to_move() == 1;

    Piece captured = position.piece_on(to);
    const bool capture_mark = !text.empty() && text.back() == 'x';
    if (capture_mark) {
        text.pop_back();
        if (captured.is_empty()) {
            kind = en_passant;
            captured = Piece(white ? 9 : 1);
        }
    }

    int piece_kind = 1;
    if (!m_san.empty() && m_san.front() >= 'B' && m_san.front() <= 'R')
        piece_kind = piece_kind_of_letter(m_san.front());
    const Piece moving(piece_kind + (white ? 0 : 8));

    uint64_t mask = ~0ULL;
    if (!text.empty() && is_rank_digit(text.back())) {
        mask &= rank_1 << (8 * (text.back() - '1'));
        text.pop_back();
    }
    if (!text.empty() && is_file_letter(text.back())) {
        mask &= file_a << (text.back() - 'a');
        text.pop_back();
    }

    uint64_t candidates = 0;
    if (piece_kind == 1 && !capture_mark) {
        // A pawn push comes from one or two squares behind the target.
        const int step = white ? -8 : 8;
        const int one_back = to_index + step;
        const int two_back = to_index + 2 * step;
        if (one_back >= 0 && one_back < 64 && position.piece_on(Square(one_back)).is_pawn())
            candidates = 1ULL << one_back;
        else if (two_back >= 0 && two_back < 64 && position.piece_on(Square(two_back)).is_pawn())
            candidates = 1ULL << two_back;
    } else {
        candidates = attackers_of(to, white).value();
    }
    candidates &= position.board().pieces(static_cast<int>(moving.code())).value() & mask;

    Square from;
    if (candidates == 0)
        throw std::logic_error(no_piece_error(m_san, position.fen()));
    Bitboard candidate_set(candidates);
    if (candidate_set.is_single()) {
        from = candidate_set.square_of_single_bit();
    } else {
        Bitboard unpinned(candidates & ~position.pinned_pieces().value());
        if (unpinned.count() > 1)
            throw std::logic_error("SanMove operator=(): ambigue sanmove found: " + m_san + "\nfen   " + position.fen() + "\n");
        if (unpinned.is_single()) {
            from = unpinned.square_of_single_bit();
        } else {
            // Every candidate is pinned: the one that moves along its pin line.
            const Square king = white ? position.white_king_square() : position.black_king_square();
            while (candidate_set) {
                const Square square = candidate_set.pop_first_square();
                if (position.geometry().ray_towards(king, square).value() & to.bit().value()) {
                    from = square;
                    break;
                }
            }
            if (from.value() == 64)
                throw std::logic_error(no_piece_error(m_san, position.fen()));
        }
    }

    m_move.set_from(from);
    m_move.set_to(to);
    m_move.set_kind(kind);
    m_move.set_moving_piece(moving);
    m_move.set_captured_piece(captured);
    m_move.set_gives_check(gives_check);
    return *this;
}

void SanMove::read_castling(bool king_side, bool gives_check)
{
    ChessPosition& position = *m_position;
    const bool white = position.board().side_to_move() == 1;
    const Square king = white ? position.white_king_square() : position.black_king_square();
    const int rank_start = white ? 0 : 56;
    const int step = king_side ? 1 : -1;
    const int edge = king_side ? rank_start + 7 : rank_start;
    const Piece own_rook(white ? 4 : 12);
    for (int index = static_cast<int>(king.value()) + step;
         king.value() < 64 && index * step <= edge * step; index += step) {
        const Piece piece = position.piece_on(Square(index));
        if (piece.is_empty())
            continue;
        if (piece.code() != own_rook.code())
            break;
        m_move.set_from(king);
        m_move.set_to(Square(index));
        m_move.set_kind(castling);
        m_move.set_moving_piece(Piece(white ? 6 : 14));
        m_move.set_captured_piece(Piece());
        m_move.set_gives_check(gives_check);
        return;
    }
    throw std::logic_error("SanMove operator=(string): illegal move \"" + m_san + "\"\nfen()=" + position.fen());
}

SanMove& SanMove::operator=(const Move& move)
{
    ChessPosition& position = *m_position;
    const auto xkind = m_move.xkind();
    const auto score = m_move.score();
    m_move = move;
    m_move.set_xkind(static_cast<xmove_t>(xkind));
    m_move.set_score(score);

    const Square from = move.from();
    const Square to = move.to();
    const Piece moving = move.moving_piece();
    const int piece_kind = static_cast<int>(moving.code() & 7);

    if (move.kind() == castling) {
        m_san = to.value() > from.value() ? "O-O" : "O-O-O";
    } else {
        const bool is_capture = !move.captured_piece().is_empty();
        const Bitboard attackers = attackers_of(to, moving.is_white());
        if (!attackers && piece_kind != 1 && piece_kind != 6)
            throw std::logic_error("FEN " + position.fen() + "\nSanMove::operator=(" + move.to_string(false)
                                   + "):   no piece can make this move");
        std::string text;
        text.reserve(8);
        if (const char letter = letter_of_piece_kind(piece_kind))
            text += letter;
        if (piece_kind == 1 && is_capture)
            text += from.file_char();
        if (piece_kind != 1 && attackers.count() >= 2) {
            bool any_rival = false;
            bool rival_on_file = false;
            bool rival_on_rank = false;
            Bitboard others = attackers;
            while (others) {
                const Square square = others.pop_first_square();
                if (!is_legal(square, to) || square.value() == from.value()
                    || position.piece_on(square).code() != moving.code())
                    continue;
                any_rival = true;
                rival_on_file = rival_on_file || square.file() == from.file();
                rival_on_rank = rival_on_rank || square.rank() == from.rank();
            }
            if (any_rival && !rival_on_file) {
                text += from.file_char();
            } else if (rival_on_file && !rival_on_rank) {
                text += from.rank_char();
            } else if (rival_on_file) {
                text += from.file_char();
                text += from.rank_char();
            }
        }
        if (is_capture)
            text += 'x';
        text += to.file_char();
        text += to.rank_char();
        switch (move.kind()) {
        case promo_queen: text += "=Q"; break;
        case promo_rook: text += "=R"; break;
        case promo_bishop: text += "=B"; break;
        case promo_knight: text += "=N"; break;
        default: break;
        }
        m_san = text;
    }
    if (move.gives_check())
        m_san += is_mate_after(move) ? '#' : '+';
    return *this;
}

bool SanMove::is_legal(const Square& from, const Square& to) const
{
    ChessPosition& position = *m_position;
    const Piece piece = position.piece_on(from);
    if (piece.is_empty())
        throw std::logic_error("SanMove::is_legal   move without moving piece?");
    const bool white_to_move = position.board().side_to_move() == 1;
    if (piece.is_white() != white_to_move) {
        std::string text = piece.is_white()
            ? "SanMove::is_legal   white piece wants to move while side to move is black"
            : "SanMove::is_legal   black piece wants to move while side to move is white";
        text += "\nFEN " + position.fen() + "\nfrom " + from.name() + " to " + to.name();
        throw std::logic_error(text);
    }
    const Piece target = position.piece_on(to);
    if (!target.is_empty() && target.is_white() == piece.is_white())
        return false;
    if (!(position.pinned_pieces().value() & from.bit().value()))
        return true;
    const Square king = white_to_move ? position.white_king_square() : position.black_king_square();
    return (position.geometry().ray_towards(king, from).value() & to.bit().value()) != 0;
}

Bitboard SanMove::attackers_of(const Square& target, bool white) const
{
    return white ? m_position->white_attackers_of(target) : m_position->black_attackers_of(target);
}

// Mate is decided by the legal moves of the position after the move: the side
// to move is in check and has none. The move is made and taken back on the
// caller's position, which leaves it as it was and avoids building a copy's
// attack tables for every checking move.
bool SanMove::is_mate_after(const Move& move) const
{
    ChessPosition& position = *m_position;
    position.make_move(move);
    bool mate = false;
    if (position.in_check()) {
        MoveGenerator generator;
        MoveList moves;
        generator.generate(position, moves);
        mate = moves.size() == 0;
    }
    position.take_back();
    return mate;
}
