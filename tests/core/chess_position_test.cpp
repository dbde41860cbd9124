#include "core/chess_position.h"
#include "tests/core/position_from_fen.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

void play(ChessPosition& position, const std::string& moves)
{
    std::istringstream stream(moves);
    for (std::string text; stream >> text;) {
        position.make_move(position.convert_to_move(text));
    }
}

using torvane_test::from_fen;

TEST(ChessPositionTest, NewPositionIsTheEmptyBoard)
{
    const ChessPosition position;
    EXPECT_EQ(position.fen(), "8/8/8/8/8/8/8/8 w - - 0 1");
    EXPECT_EQ(position.start_fen(), "8/8/8/8/8/8/8/8 w - - 0 1");
    EXPECT_EQ(position.ply_records().size(), 1u);
    EXPECT_EQ(position.castling_flags(), 0);
    EXPECT_EQ(position.halfmove_clock(), 0);
    EXPECT_EQ(position.repetition_keys().size(), 1u);
    EXPECT_FALSE(position.in_check());
    EXPECT_FALSE(position.is_checkmate());
    EXPECT_TRUE(position.move_history().empty());
}

TEST(ChessPositionTest, InstanceNumbersAreFreshForEveryPositionButNotForAssignment)
{
    ChessPosition first;
    ChessPosition second(first);
    EXPECT_NE(first.instance_id(), second.instance_id());
    const std::uint32_t id = second.instance_id();
    second = first;
    EXPECT_EQ(second.instance_id(), id);
}

TEST(ChessPositionTest, CopiesAreIndependent)
{
    ChessPosition original;
    original.set_start_position();
    ChessPosition copy = original;
    play(copy, "e2e4 e7e5");
    EXPECT_EQ(original.fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(original.compare(copy), 0);
    EXPECT_EQ(original.compare_full(copy), 1);
    copy.take_back();
    copy.take_back();
    EXPECT_EQ(original.compare(copy), 1);
    EXPECT_EQ(original.compare_full(copy), 0);
    EXPECT_EQ(original.hash_key(), copy.hash_key());
}

TEST(ChessPositionTest, EnPassantSquareOnlyWhenACaptureIsPossible)
{
    struct Case {
        const char* fen;
        const char* move;
        const char* square;
    };
    const Case cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4", "no_square"},
        {"4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", "e2e4", "e3"},
        {"4k3/8/8/8/1p6/8/P7/4K3 w - - 0 1", "a2a4", "a3"},
        {"4k3/8/8/8/8/7p/P7/4K3 w - - 0 1", "a2a4", "no_square"},
        {"4k3/7p/8/6P1/8/8/8/4K3 b - - 0 1", "h7h5", "h6"},
    };
    for (const Case& c : cases) {
        ChessPosition position = from_fen(c.fen);
        play(position, c.move);
        EXPECT_EQ(position.en_passant_square().name(), c.square) << c.fen;
    }
}

TEST(ChessPositionTest, CastlingRightsFollowKingAndRookMoves)
{
    struct Case {
        const char* moves;
        std::uint16_t flags;
    };
    const Case cases[] = {
        {"a1b1", 0x8180},  {"h1g1", 0x8101}, {"e1f1", 0x8100}, {"e1g1", 0x8100},
        {"a1a8", 0x8080},  {"h1h8", 0x0101}, {"e1d1 h8h1", 0x0100}, {"e1e2 e8c8", 0x0000},
        {"b2b3", 0x8181},
    };
    for (const Case& c : cases) {
        ChessPosition position = from_fen("r3k2r/8/8/8/8/8/1P6/R3K2R w KQkq - 0 1");
        play(position, c.moves);
        EXPECT_EQ(position.castling_flags(), c.flags) << c.moves;
    }
}

TEST(ChessPositionTest, MoveNumberClockAndHistory)
{
    ChessPosition position;
    position.set_start_position();
    play(position, "g1f3");
    EXPECT_EQ(position.move_number(), 1);
    EXPECT_EQ(position.halfmove_clock(), 1);
    play(position, "g8f6");
    EXPECT_EQ(position.move_number(), 2);
    play(position, "e2e4");
    EXPECT_EQ(position.halfmove_clock(), 0);
    ASSERT_EQ(position.move_history().size(), 3u);
    EXPECT_EQ(position.move_history()[2].to_string(), "e2e4");
    EXPECT_EQ(position.last_move().to_string(), "e2e4");
    position.take_back();
    EXPECT_EQ(position.move_number(), 2);
    position.take_back();
    EXPECT_EQ(position.move_number(), 1);
    EXPECT_EQ(position.halfmove_clock(), 1);
}

TEST(ChessPositionTest, FiftyMoveRuleAndRepetitions)
{
    ChessPosition position = from_fen("4k3/8/8/8/8/8/8/4K2R w - - 99 80");
    EXPECT_FALSE(position.fifty_move_rule());
    play(position, "h1h2");
    EXPECT_TRUE(position.fifty_move_rule());

    position.set_start_position();
    play(position, "g1f3 g8f6 f3g1 f6g8");
    EXPECT_TRUE(position.is_repetition());
    EXPECT_FALSE(position.is_threefold_repetition());
    play(position, "g1f3 g8f6 f3g1 f6g8");
    EXPECT_TRUE(position.is_threefold_repetition());

    // Counting starts again behind the pawn move.
    position.set_start_position();
    play(position, "g1f3 g8f6 f3g1 f6g8 e2e3 g8f6 g1f3 f6g8");
    EXPECT_FALSE(position.is_repetition());
    play(position, "f3g1");
    EXPECT_TRUE(position.is_repetition());
    EXPECT_FALSE(position.is_threefold_repetition());
    position.take_back();
    EXPECT_FALSE(position.is_repetition());
}

TEST(ChessPositionTest, TakeBackWithoutMoveIsRefused)
{
    ChessPosition position;
    position.set_start_position();
    EXPECT_THROW(position.take_back(), std::logic_error);
    EXPECT_EQ(position.ply_records().size(), 1u);
    EXPECT_EQ(position.fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}

TEST(ChessPositionTest, FlipAndMirror)
{
    ChessPosition position = from_fen("r3k2r/1pp5/8/3Pp3/8/8/8/R3K1R1 w Qk e6 3 20");
    position.flip_colours();
    EXPECT_EQ(position.fen(), "r3k1r1/8/8/8/3pP3/8/1PP5/R3K2R b Kq e3 3 20");
    EXPECT_EQ(position.ply_records().size(), 1u);
    position.flip_colours();
    EXPECT_EQ(position.fen(), "r3k2r/1pp5/8/3Pp3/8/8/8/R3K1R1 w Qk e6 3 20");
    position.mirror_files();
    EXPECT_EQ(position.fen(), "r2k3r/5pp1/8/3pP3/8/8/8/1R1K3R w Kq d6 3 20");

    ChessPosition empty;
    EXPECT_THROW(empty.flip_colours(), std::logic_error);
    EXPECT_EQ(empty.fen(), "8/8/8/8/8/8/8/8 w - - 0 1");
}

TEST(ChessPositionTest, BoardEditsTouchOnlyTheBoard)
{
    ChessPosition position;
    position.set_start_position();
    const std::uint64_t key = position.hash_key();
    position.remove_piece(Square("e2"), Piece(1));
    position.put_piece(Square("e4"), Piece(1));
    EXPECT_EQ(position.piece_on(Square("e4")), Piece(1));
    EXPECT_TRUE(position.piece_on(Square("e2")).is_empty());
    EXPECT_EQ(position.hash_key(), key);
    position.toggle_side_to_move();
    position.set_fen(position.fen());
    EXPECT_EQ(position.fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    EXPECT_EQ(position.hash_key(), 0x823C9B50FD114196ULL);
}

TEST(ChessPositionTest, AttackedSquaresOfTheStartPosition)
{
    ChessPosition position;
    position.set_start_position();
    Bitboard expected(0xFFFF00ULL);
    expected |= Bitboard(0x7EULL);
    EXPECT_EQ(position.white_attacked(), expected);
    EXPECT_FALSE(position.in_check());
}

TEST(ChessPositionTest, XraysSeeThroughOwnSliders)
{
    ChessPosition position = from_fen("7k/8/8/8/R7/8/8/R6K w - - 0 1");
    EXPECT_TRUE(static_cast<bool>(position.xray_table(Square("a1")) & Square("a8").bit()));
    EXPECT_EQ(position.attackers_to(Square("a8").bit()), (Bitboard{Square("a1"), Square("a4")}));
    EXPECT_EQ(position.white_attackers_of(Square()), Bitboard());
    EXPECT_EQ(position.black_attackers_of(Square("g7")), Bitboard{Square("h8")});
}

TEST(ChessPositionTest, Checkmates)
{
    struct Case {
        const char* fen;
        bool check;
        bool mate;
    };
    const Case cases[] = {
        // The pawn's check leaves f3 free: the square behind the king on its diagonal is no line.
        {"3r3k/8/8/3pPP2/3PKP2/3PP3/8/8 w - - 0 1", true, false},
        {"3r3k/8/8/3bPP2/3PKP2/3PP3/8/8 w - - 0 1", true, true},
        {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", true, true},
        {"6rk/5Npp/8/8/8/8/8/6RK b - - 0 1", true, true},
        // Double check by knight and discovering rook: mate although the knight could be taken.
        {"k4R2/8/8/8/8/8/5nPP/7K w - - 0 1", true, false},
        {"k4R2/8/8/8/8/8/5nPP/r6K w - - 0 1", true, true},
        // Double push check answered by en passant.
        {"8/8/8/4k3/3Pp3/8/8/7K b - d3 0 1", true, false},
        // En passant answers the check only when it opens no line to the king.
        {"7k/b7/8/PPp5/PKP5/PPP5/8/8 w - c6 0 1", true, false},
        {"7k/4b3/8/PPp5/PKP5/PPP5/8/8 w - c6 0 1", true, true},
        {"8/8/8/2Pk4/1PqP4/1K6/8/8 b - - 0 1", false, false},
        {"k7/8/1K6/8/8/8/8/7R b - - 0 1", false, false},
        {"k7/8/1K6/8/8/8/8/R7 b - - 0 1", true, false},
        {"k7/2K5/8/8/8/8/8/R7 b - - 0 1", true, true},
        {"k7/8/2K5/8/8/8/1R6/R7 b - - 0 1", true, true},
        // A blocker answers the check.
        {"k7/8/1K6/8/8/8/6b1/R7 b - - 0 1", true, false},
        // Only a pawn's double step blocks.
        {"7k/6pp/8/8/8/8/8/K6R b - - 0 1", false, false},
        {"R6k/6pp/8/8/8/8/8/K7 b - - 0 1", true, true},
        {"7k/R5pp/8/8/8/8/5p2/K7 b - - 0 1", false, false},
        {"4k3/R7/8/8/8/8/8/1R2K3 b - - 0 1", false, false},
        {"1k6/8/1K6/8/8/8/8/1R5r b - - 0 1", false, false},
        {"k7/2p5/1K6/8/8/8/8/R7 b - - 0 1", true, false},
    };
    for (const Case& c : cases) {
        const ChessPosition position = from_fen(c.fen);
        EXPECT_EQ(position.in_check(), c.check) << c.fen;
        EXPECT_EQ(position.is_checkmate(), c.mate) << c.fen;
    }
}

TEST(ChessPositionTest, StaticExchange)
{
    struct Case {
        const char* fen;
        const char* move;
        int value;
    };
    const Case cases[] = {
        {"4k3/8/2p5/3n4/4P3/8/8/4K3 w - - 0 1", "e4d5", 200},
        {"4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", -800},
        {"4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", 100},
        {"4k3/8/8/3p4/8/8/3R4/3QK3 w - - 0 1", "d2d5", 100},
        {"3rk3/8/8/3p4/8/8/3R4/3QK3 w - - 0 1", "d2d5", 100},
        {"3rk3/3r4/8/3p4/8/8/3R4/3QK3 w - - 0 1", "d2d5", -400},
    };
    for (const Case& c : cases) {
        ChessPosition position = from_fen(c.fen);
        EXPECT_EQ(position.see(position.convert_to_move(c.move)), c.value) << c.fen << " " << c.move;
    }
}

}
