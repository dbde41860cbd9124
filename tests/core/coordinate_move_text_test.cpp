#include "core/chess_position.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/core/logic_error_text.h"
#include "tests/support/start_position.h"
#include "tests/core/position_from_fen.h"

namespace {

using torvane_test::start_fen;

using torvane_test::from_fen;

std::string refusal(const ChessPosition& position, const std::string& text)
{
    return logic_error_text([&] { (void)position.convert_to_move(text); });
}

TEST(CoordinateMoveTextTest, MalformedTextIsRefusedWithItsReason)
{
    const ChessPosition position = from_fen(start_fen);
    const auto head = [](const std::string& text) { return "m_cp.convert_to_move(const string& " + text + ")"; };
    const std::pair<const char*, const char*> cases[] = {
        {"e2e", "  invalid size"},
        {"e2e4e5", "  invalid size"},
        {"", "  invalid size"},
        {"0000", "  invalid 'from' square"},
        {"i2e4", "  invalid 'from' square"},
        {"e9e4", "  invalid 'from' square"},
        {"E2e4", "  invalid 'from' square"},
        {"e2x4", "  invalid 'to' square"},
        {"e2e0", "  invalid 'to' square"},
        {"e7e8Q", "  invalid promotion piece"},
        {"e7e8k", "  invalid promotion piece"},
        {"e3e4", "  no piece on 'from' square"},
        {"e3e4q", "  no piece on 'from' square"},
    };
    for (const auto& [text, reason] : cases) {
        EXPECT_EQ(refusal(position, text), head(text) + reason);
    }
}

struct Reading {
    const char* fen;
    const char* text;
    const char* stored;
    MoveKind kind;
    int captured;
    bool check;
};

TEST(CoordinateMoveTextTest, EveryCastlingSpellingAndKind)
{
    const Reading cases[] = {
        {start_fen.c_str(), "e2e4", "e2e4", normal_move, 0, false},
        {start_fen.c_str(), "e2e4q", "e2e4q", promo_queen, 0, false},
        // g1 is not empty: an ordinary king move.
        {start_fen.c_str(), "e1g1", "e1g1", normal_move, 2, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "e1h1", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1h1", "e1h1", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "e1a1", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1a1", "e1a1", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", "e8h8", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8h8", "e8h8", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "e8a8", castling, 0, false},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8a8", "e8a8", castling, 0, false},
        // Only c1 is looked at, not b1.
        {"r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1", "e1c1", "e1a1", castling, 0, false},
        // No rook on h1: a plain king step.
        {"r3k2r/8/8/8/8/8/8/R3K3 w Qkq - 0 1", "e1g1", "e1g1", normal_move, 0, false},
        // Chess960 castling is written king takes rook, also when the king stays.
        {"4k3/8/8/8/8/8/8/RK6 w A - 0 1", "b1a1", "b1a1", castling, 0, false},
        {"4k3/8/8/8/8/8/8/6KR w H - 0 1", "g1h1", "g1h1", castling, 0, false},
        {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1g1", "f1g1", castling, 0, false},
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "e1h1", castling, 0, true},
        {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", "e1a1", castling, 0, true},
        // En passant is recognised from the board alone.
        {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "e5d6", "e5d6", en_passant, 9, false},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - - 0 1", "e4d3", "e4d3", en_passant, 1, false},
        {"8/2k5/8/3pP3/8/8/8/4K3 w - - 0 1", "e5d6", "e5d6", en_passant, 9, true},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8q", "a7b8q", promo_queen, 10, true},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8r", "a7a8r", promo_rook, 0, true},
        {"4k3/8/8/8/8/8/p7/4K3 b - - 0 1", "a2a1n", "a2a1n", promo_knight, 0, false},
        {"4k3/8/8/8/8/8/2p5/4K3 b - - 0 1", "c2c1b", "c2c1b", promo_bishop, 0, false},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1a8", "a1a8", normal_move, 0, true},
    };
    for (const Reading& c : cases) {
        const ChessPosition position = from_fen(c.fen);
        const Move move = position.convert_to_move(c.text);
        EXPECT_EQ(move.to_string(true), c.stored) << c.fen << " " << c.text;
        EXPECT_EQ(move.kind(), c.kind) << c.fen << " " << c.text;
        EXPECT_EQ(move.captured_piece_code(), c.captured) << c.fen << " " << c.text;
        EXPECT_EQ(move.gives_check(), c.check) << c.fen << " " << c.text;
        EXPECT_EQ(move.xkind(), xnormal_move);
        EXPECT_EQ(move.score(), 0);
    }
}

TEST(CoordinateMoveTextTest, IllegalTextIsReturnedAndNeverChangesThePosition)
{
    const char* const cases[][2] = {
        // A move of the side not to move.
        {start_fen.c_str(), "e7e5"},
        // A king capture.
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "e1e8"},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "h1h8"},
        {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", "e7e8"},
        // Promotion letters on pieces that are not pawns, of both colours.
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e8d8q"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1d1n"},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "h1h8q"},
        // Impossible jumps.
        {start_fen.c_str(), "a1h8"},
        {start_fen.c_str(), "e8h1"},
        {start_fen.c_str(), "h7a1"},
    };
    for (const auto& c : cases) {
        ChessPosition position = from_fen(c[0]);
        const std::string fen = position.fen();
        const std::uint64_t key = position.hash_key();
        const Bitboard white_attacked = position.white_attacked();
        const Move move = position.convert_to_move(c[1]);
        EXPECT_EQ(move.from(), Square(std::string(c[1]).substr(0, 2))) << c[1];
        EXPECT_EQ(position.fen(), fen) << c[1];
        EXPECT_EQ(position.hash_key(), key) << c[1];
        EXPECT_EQ(position.white_attacked(), white_attacked) << c[1];
        EXPECT_EQ(position.ply_records().size(), 1u) << c[1];
    }
}

TEST(CoordinateMoveTextTest, PawnsPlacedOnTheirLastRankStayInsideTheBoard)
{
    ChessPosition position = from_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    position.put_piece(Square("a1"), Piece(1));
    position.put_piece(Square("h8"), Piece(9));
    EXPECT_EQ(position.convert_to_move("a1h1").kind(), normal_move);
    EXPECT_EQ(position.convert_to_move("h8a8").kind(), normal_move);
}

TEST(CoordinateMoveTextTest, CreateMoveFillsInThePieces)
{
    const ChessPosition position = from_fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_EQ(position.create_move(Square("e1"), Square("e1"), normal_move).to_string(), "0000");
    EXPECT_EQ(position.create_move(Square("e4"), Square("e5"), normal_move).to_string(), "0000");
    const Move castle = position.create_move(Square("e1"), Square("h1"), promo_queen);
    EXPECT_EQ(castle.kind(), castling);
    EXPECT_EQ(castle.captured_piece_code(), 0);
    const Move capture = position.create_move(Square("a1"), Square("a8"), normal_move);
    EXPECT_EQ(capture.moving_piece_code(), 4);
    EXPECT_EQ(capture.captured_piece_code(), 12);
    EXPECT_EQ(position.create_move(Square("a1"), Square("a8"), promo_bishop).kind(), promo_bishop);
}

}
