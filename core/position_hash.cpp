#include "core/position_hash.h"

#include "core/polyglot_random.h"

namespace {

// Polyglot's piece kind for each piece code (it counts black pawn 0, white pawn 1, ...).
constexpr std::array<int, 15> polyglot_kind = {-1, 1, 3, 5, 7, 9, 11, -1, -1, 0, 2, 4, 6, 8, 10};

constexpr int white_pawn = 1;
constexpr int white_rook = 4;
constexpr int white_king = 6;
constexpr int black_pawn = 9;
constexpr int black_rook = 12;
constexpr int black_king = 14;

}

PositionHash::Tables::Tables() : piece_square{}, pawn{}, castling{}, en_passant_file{}, side(0)
{
    // Code 0 keeps a zero row, so a move that captures nothing changes nothing through it.
    for (int code = 1; code < 15; ++code) {
        if (polyglot_kind[code] < 0)
            continue;
        for (int s = 0; s < 64; ++s)
            piece_square[code][s] = polyglot_random64[64 * polyglot_kind[code] + s];
    }
    pawn[white_pawn] = piece_square[white_pawn];
    pawn[black_pawn] = piece_square[black_pawn];
    for (int i = 0; i < 4; ++i)
        castling[i] = polyglot_random64[polyglot_offsets::castling + i];
    for (int i = 0; i < 8; ++i)
        en_passant_file[i] = polyglot_random64[polyglot_offsets::en_passant + i];
    side = polyglot_random64[polyglot_offsets::side_to_move];
}

const PositionHash::Tables& PositionHash::tables()
{
    static const Tables shared;
    return shared;
}

PositionHash::PositionHash() : m_full_keys{0}, m_pawn_keys{0} {}

void PositionHash::recompute(const BoardPosition& board)
{
    const Tables& t = tables();
    std::uint64_t full = 0;
    std::uint64_t pawns = 0;
    for (int code : {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14}) {
        Bitboard pieces = board.pieces(code);
        while (pieces) {
            const int s = pieces.pop_index();
            full ^= t.piece_square[code][s];
            pawns ^= t.pawn[code][s];
        }
    }
    m_full_keys.assign(1, full);
    m_pawn_keys.assign(1, pawns);
}

void PositionHash::update(const Move& move)
{
    const Tables& t = tables();
    const auto& T = t.piece_square;
    const auto& P = t.pawn;
    std::uint64_t full = m_full_keys.back();
    std::uint64_t pawns = m_pawn_keys.back();
    const int m = move.moving_piece_code();
    const int c = move.captured_piece_code();
    const int from = static_cast<int>(move.from().value());
    const int to = static_cast<int>(move.to().value());

    switch (move.kind()) {
    case nullmove:
        break;
    case normal_move:
        full ^= T[m][from] ^ T[m][to] ^ T[c][to];
        pawns ^= P[m][from] ^ P[m][to] ^ P[c][to];
        break;
    case promo_queen:
    case promo_rook:
    case promo_bishop:
    case promo_knight: {
        const bool white = to > from;
        // Queen, rook, bishop, knight for kinds 2..5.
        const int promoted = (white ? 5 : 13) - (static_cast<int>(move.kind()) - static_cast<int>(promo_queen));
        const int own_pawn = white ? white_pawn : black_pawn;
        full ^= T[own_pawn][from] ^ T[promoted][to] ^ T[c][to];
        pawns ^= T[own_pawn][from] ^ P[c][to];
        break;
    }
    case castling: {
        // Stored as the king taking its own rook; exclusive-or alone also covers a
        // Chess960 king or rook whose destination is the other one's start square.
        const bool white = m == white_king;
        const int king = white ? white_king : black_king;
        const int rook = white ? white_rook : black_rook;
        const int back_rank = white ? 0 : 56;
        const bool king_side = from < to;
        full ^= T[king][from] ^ T[rook][to];
        full ^= T[king][back_rank + (king_side ? 6 : 2)] ^ T[rook][back_rank + (king_side ? 5 : 3)];
        break;
    }
    case en_passant:
        full ^= T[m][from] ^ T[m][to];
        pawns ^= P[m][from] ^ P[m][to];
        if (to > from) {
            full ^= T[black_pawn][to - 8];
            pawns ^= P[black_pawn][to - 8];
        } else {
            full ^= T[white_pawn][to + 8];
            pawns ^= P[white_pawn][to + 8];
        }
        break;
    }
    m_full_keys.push_back(full);
    m_pawn_keys.push_back(pawns);
}

void PositionHash::pop()
{
    if (m_full_keys.size() > 1) {
        m_full_keys.pop_back();
        m_pawn_keys.pop_back();
    }
}

std::uint64_t PositionHash::castling_key(std::uint16_t flags)
{
    if (flags == 0)
        return 0;
    const Tables& t = tables();
    std::uint64_t key = 0;
    if (flags & 0x0001)
        key ^= t.castling[1];
    if (flags & 0x0080)
        key ^= t.castling[0];
    if (flags & 0x0100)
        key ^= t.castling[3];
    if (flags & 0x8000)
        key ^= t.castling[2];
    // Rooks on inner files (Chess960) have no Polyglot value; the raw flags keep
    // such positions apart from the standard ones.
    if (flags & 0x7E7E)
        key ^= flags;
    return key;
}

std::uint64_t PositionHash::key(std::uint16_t castling_flags, const Square& en_passant,
                                std::uint32_t side_to_move) const
{
    const Tables& t = tables();
    std::uint64_t key = m_full_keys.back() ^ castling_key(castling_flags);
    if (en_passant.value() != 64)
        key ^= t.en_passant_file[en_passant.value() % 8];
    if (side_to_move == 1)
        key ^= t.side;
    return key;
}
