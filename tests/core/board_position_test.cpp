#include "core/board_position.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/core/logic_error_text.h"
#include "tests/support/start_position.h"

namespace {

using torvane_test::start_fen;

// The placement field written from the mailbox, to compare with FEN texts.
std::string placement_of(const BoardPosition& board)
{
    const std::string letters = ".PNBRQK..pnbrqk";
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const std::uint32_t code = board.piece_at(Square(8 * rank + file));
            if (code == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) {
                text += static_cast<char>('0' + empty);
                empty = 0;
            }
            text += letters.at(code);
        }
        if (empty > 0) {
            text += static_cast<char>('0' + empty);
        }
        if (rank > 0) {
            text += '/';
        }
    }
    return text;
}

// Mailbox, piece sets and derived sets describe the same placement.
void expect_consistent(const BoardPosition& board)
{
    Bitboard white;
    Bitboard black;
    for (int code = 0; code < 15; ++code) {
        for (int square = 0; square < 64; ++square) {
            const bool in_set = static_cast<bool>(board.pieces(code) & Bitboard(std::uint64_t{1} << square));
            EXPECT_EQ(in_set, code != 0 && board.piece_at(Square(square)) == static_cast<std::uint32_t>(code))
                << "code " << code << " square " << square;
        }
        (code >= 1 && code <= 6 ? white : black) |= code >= 1 ? board.pieces(code) : Bitboard();
    }
    EXPECT_EQ(board.white_pieces(), white);
    EXPECT_EQ(board.black_pieces(), black);
    EXPECT_EQ(board.occupied(), white | black);
    EXPECT_EQ(board.white_non_pawns(), white & ~board.white_pawns());
    EXPECT_EQ(board.black_non_pawns(), black & ~board.black_pawns());
    EXPECT_EQ(board.diagonal_sliders(),
              board.white_bishops() | board.white_queens() | board.black_bishops() | board.black_queens());
    EXPECT_EQ(board.orthogonal_sliders(),
              board.white_rooks() | board.white_queens() | board.black_rooks() | board.black_queens());
}

void expect_identical(const BoardPosition& a, const BoardPosition& b)
{
    EXPECT_TRUE(a == b);
    EXPECT_EQ(placement_of(a), placement_of(b));
    EXPECT_EQ(a.occupied(), b.occupied());
    EXPECT_EQ(a.side_to_move(), b.side_to_move());
    for (int square = 0; square < 64; ++square) {
        EXPECT_EQ(a.piece_at(Square(square)), b.piece_at(Square(square)));
    }
}

struct MoveCase {
    const char* name;
    const char* before;
    const char* from;
    const char* to;
    MoveKind kind;
    int moving;
    int captured;
    const char* after;
};

const MoveCase move_cases[] = {
    {"pawn push", start_fen.c_str(), "e2", "e4", normal_move, 1, 0,
     "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"},
    {"knight capture", "4k3/8/8/3p4/8/4N3/8/4K3 w - - 0 1", "e3", "d5", normal_move, 2, 9,
     "4k3/8/8/3N4/8/8/8/4K3"},
    {"black rook capture", "r3k3/8/8/8/8/8/8/R3K3 b - - 0 1", "a8", "a1", normal_move, 12, 4,
     "4k3/8/8/8/8/8/8/r3K3"},
    {"white queen promotion", "4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7", "a8", promo_queen, 1, 0,
     "Q3k3/8/8/8/8/8/8/4K3"},
    {"white rook promotion capture", "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7", "b8", promo_rook, 1, 10,
     "1R2k3/8/8/8/8/8/8/4K3"},
    {"white bishop promotion", "4k3/7P/8/8/8/8/8/4K3 w - - 0 1", "h7", "h8", promo_bishop, 1, 0,
     "4k2B/8/8/8/8/8/8/4K3"},
    {"white knight promotion", "4k3/3P4/8/8/8/8/8/4K3 w - - 0 1", "d7", "d8", promo_knight, 1, 0,
     "3Nk3/8/8/8/8/8/8/4K3"},
    {"black queen promotion capture", "4k3/8/8/8/8/8/6p1/4K2R b - - 0 1", "g2", "h1", promo_queen, 9, 4,
     "4k3/8/8/8/8/8/8/4K2q"},
    {"black rook promotion", "4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2", "a1", promo_rook, 9, 0,
     "4k3/8/8/8/8/8/8/r3K3"},
    {"black bishop promotion", "4k3/8/8/8/8/8/2p5/4K3 b - - 0 1", "c2", "c1", promo_bishop, 9, 0,
     "4k3/8/8/8/8/8/8/2b1K3"},
    {"black knight promotion capture", "4k3/8/8/8/8/8/2p5/1Q2K3 b - - 0 1", "c2", "b1", promo_knight, 9, 5,
     "4k3/8/8/8/8/8/8/1n2K3"},
    {"white short castling", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1", "h1", castling, 6, 0,
     "r3k2r/8/8/8/8/8/8/R4RK1"},
    {"white long castling", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1", "a1", castling, 6, 0,
     "r3k2r/8/8/8/8/8/8/2KR3R"},
    {"black short castling", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8", "h8", castling, 14, 0,
     "r4rk1/8/8/8/8/8/8/R3K2R"},
    {"black long castling", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8", "a8", castling, 14, 0,
     "2kr3r/8/8/8/8/8/8/R3K2R"},
    {"960 king f1 rook g1", "4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1", "g1", castling, 6, 0,
     "4k3/8/8/8/8/8/8/5RK1"},
    {"960 king c1 rook a1", "4k3/8/8/8/8/8/8/R1K5 w A - 0 1", "c1", "a1", castling, 6, 0,
     "4k3/8/8/8/8/8/8/2KR4"},
    {"960 king b1 rook a1", "4k3/8/8/8/8/8/8/RK6 w A - 0 1", "b1", "a1", castling, 6, 0,
     "4k3/8/8/8/8/8/8/2KR4"},
    {"960 king g1 rook h1", "4k3/8/8/8/8/8/8/6KR w H - 0 1", "g1", "h1", castling, 6, 0,
     "4k3/8/8/8/8/8/8/5RK1"},
    {"960 black king d8 rook c8", "2rk4/8/8/8/8/8/8/4K3 b c - 0 1", "d8", "c8", castling, 14, 0,
     "2kr4/8/8/8/8/8/8/4K3"},
    {"960 black king b8 rook f8", "1k3r2/8/8/8/8/8/8/4K3 b f - 0 1", "b8", "f8", castling, 14, 0,
     "5rk1/8/8/8/8/8/8/4K3"},
    {"white en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6", en_passant, 1, 9,
     "4k3/8/3P4/8/8/8/8/4K3"},
    {"black en passant", "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "d4", "e3", en_passant, 9, 1,
     "4k3/8/8/8/8/4p3/8/4K3"},
    {"null move", start_fen.c_str(), "a1", "a1", nullmove, 0, 0,
     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"},
};

TEST(BoardPositionTest, MakeThenUnmakeRestoresTheBoardForEveryMoveKind)
{
    for (const MoveCase& c : move_cases) {
        SCOPED_TRACE(c.name);
        BoardPosition board;
        board.fen(c.before);
        const BoardPosition original = board;
        Move move(Square(c.from), Square(c.to), c.kind, c.moving, c.captured);
        if (c.kind == nullmove) {
            move.clear();
        }
        board.make_move(move);
        EXPECT_EQ(placement_of(board), c.after);
        EXPECT_EQ(board.side_to_move(), original.side_to_move() ^ 1);
        expect_consistent(board);
        board.unmake_move(move);
        expect_identical(board, original);
        expect_consistent(board);
    }
}

TEST(BoardPositionTest, ReadsSideToMoveFromTheSecondWord)
{
    BoardPosition board;
    board.fen(start_fen);
    EXPECT_EQ(placement_of(board), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
    EXPECT_EQ(board.side_to_move(), 1u);
    expect_consistent(board);
    for (const char* side : {"b", "W", "white", ""}) {
        board.fen(std::string("8/8/8/8/8/8/8/8 ") + side + " - - x y");
        EXPECT_EQ(board.side_to_move(), 0u) << side;
    }
}

std::string fen_error(const std::string& text)
{
    BoardPosition board;
    return logic_error_text([&] { board.fen(text); });
}

TEST(BoardPositionTest, MalformedPlacementsAreRefusedWithTheirMessage)
{
    const auto syntax = [](const std::string& text) { return "BoardPosition::fen(" + text + ")    syntax error"; };
    const std::string errors = "BoardPosition::fen   error: ";
    // Exactly eight ranks of exactly eight squares.
    for (const std::string text : {"", "8/8/8/8/8/8/8/8/", "k7/8/8/8/8/8/K7 w - - 0 1", "R7R", "8/8/8/8/8/8/8/7",
                                   "rnbqkbnrr/8/8/8/8/8/8/8 w", "8/8/8/8/8/8/8/8/8", "r7/nnnnnnnnn/8/8/8/8/8/8 w",
                                   "8/ppppppppp/8/8/8/8/8/8", "88/8/8/8/8/8/8/8", "4k3/8/8/8/8/8/8/4K3/ w - -"})
        EXPECT_EQ(fen_error(text), syntax(text));
    EXPECT_EQ(fen_error("8/8/8/8/8/8/8/7P w"), errors + "white pawn on wrong square");
    EXPECT_EQ(fen_error("P7/8/8/8/8/8/8/8"), errors + "white pawn on wrong square");
    EXPECT_EQ(fen_error("8/8/8/8/8/8/8/p7"), errors + "black pawn on wrong square");
    EXPECT_EQ(fen_error("K6K/8/8/8/8/8/8/8"), errors + "too many white kings");
    EXPECT_EQ(fen_error("k6k/8/8/8/8/8/8/8"), errors + "too many black kings");
    // Material that no game can reach: 17 pieces or 9 pawns of one side.
    EXPECT_EQ(fen_error("QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/K6k w - - 0 1"), errors + "more than 16 white pieces");
    EXPECT_EQ(fen_error("k7/pppppppp/pppppppp/8/8/8/8/KN6 w - - 0 1"), errors + "more than 8 black pawns");
    EXPECT_EQ(fen_error("k7/8/8/8/8/P7/PPPPPPPP/K7 w - - 0 1"), errors + "more than 8 white pawns");
    EXPECT_EQ(fen_error("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w"), "");
    EXPECT_EQ(fen_error("8/8/8/8/8/8/8/8 x"), "");
    EXPECT_EQ(fen_error("8/8/8/8/8/8/8/7x w"), "BoardPosition::fen(8/8/8/8/8/8/8/7x w) \nunkown piece 0x78");
    EXPECT_EQ(fen_error("8/8/8/8/8/8/8/9"), "BoardPosition::fen(8/8/8/8/8/8/8/9) \nunkown piece 0x39");
    EXPECT_EQ(fen_error("0"), "BoardPosition::fen(0) \nunkown piece 0x30");
    EXPECT_EQ(fen_error("\xE9"), "BoardPosition::fen(\xE9) \nunkown piece 0xffffffe9");
}

TEST(BoardPositionTest, FlipColoursTwiceRestoresTheBoard)
{
    BoardPosition board;
    board.fen(start_fen);
    BoardPosition flipped = board;
    flipped.flip_colours();
    EXPECT_EQ(placement_of(flipped), placement_of(board));
    EXPECT_EQ(flipped.side_to_move(), 0u);
    expect_consistent(flipped);

    board.fen("r3k2r/1b4P1/8/3pP3/8/2N5/p7/R3K1R1 b Qk d6 0 1");
    flipped = board;
    flipped.flip_colours();
    EXPECT_EQ(placement_of(flipped), "r3k1r1/P7/2n5/8/3Pp3/8/1B4p1/R3K2R");
    expect_consistent(flipped);
    flipped.flip_colours();
    expect_identical(flipped, board);
}

TEST(BoardPositionTest, MirrorFilesSwapsTheWings)
{
    BoardPosition board;
    board.fen("r3k2r/1b4P1/8/3pP3/8/2N5/p7/R3K1R1 w - - 0 1");
    BoardPosition mirrored = board;
    mirrored.mirror_files();
    EXPECT_EQ(placement_of(mirrored), "r2k3r/1P4b1/8/3Pp3/8/5N2/7p/1R1K3R");
    EXPECT_EQ(mirrored.side_to_move(), 1u);
    expect_consistent(mirrored);
    mirrored.mirror_files();
    expect_identical(mirrored, board);
}

TEST(BoardPositionTest, ComparisonLooksAtSideAndPieces)
{
    BoardPosition a;
    BoardPosition b;
    a.fen(start_fen);
    b.fen(start_fen);
    EXPECT_EQ(a.compare(b), 0);
    b.toggle_side_to_move();
    EXPECT_EQ(a.compare(b), 1);
    b.set_white_to_move();
    b.remove_piece(Square("e2"), 1);
    b.put_piece(Square("e4"), 1);
    b.update_derived();
    EXPECT_FALSE(a == b);
    expect_consistent(b);
    b.set_black_to_move();
    EXPECT_EQ(b.side_to_move(), 0u);
}

TEST(BoardPositionTest, PrintShowsEveryPieceSet)
{
    BoardPosition board;
    board.fen(start_fen);
    const std::string text = board.print();
    std::string pawns = "side to move: 1\nwhite pawn: \n000000000000ff00\n";
    for (int row = 0; row < 8; ++row) {
        pawns += row == 6 ? "11111111\n" : "00000000\n";
    }
    pawns += "\nwhite knight: \n";
    EXPECT_EQ(text.substr(0, pawns.size()), pawns);
    EXPECT_NE(text.find("black king: \n1000000000000000\n00001000\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
}

}
