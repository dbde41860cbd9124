#include "core/chess960.h"
#include "core/chess_position.h"

void ChessPosition::setup_chess960(std::uint32_t number)
{
    if (number > 959)
        number = random_chess960_number();
    clear();
    const std::string back_rank = chess960_back_rank(number);
    std::uint16_t flags = 0;
    for (int file = 0; file < 8; ++file) {
        const Piece piece = piece_of_letter(back_rank[static_cast<std::size_t>(file)]);
        put_piece(Square(file), piece);
        put_piece(Square(56 + file), Piece(piece.code() + 8));
        put_piece(Square(8 + file), Piece(1));
        put_piece(Square(48 + file), Piece(9));
        // Both colours may castle with both rooks.
        if (piece.is_rook())
            flags |= static_cast<std::uint16_t>((1u << file) | (1u << (8 + file)));
    }
    set_castling_flags(flags);
    // Reading the written text back rebuilds the record, keys, repetition keys,
    // material and start FEN exactly as for any other set-up.
    const std::string text = fen();
    fen(text);
}

void ChessPosition::set_chess960_position(std::uint32_t number)
{
    setup_chess960(number);
    compute_attack_info();
}
