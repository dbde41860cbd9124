#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

#include "core/move_generator.h"
#include "core/chess_position.h"
#include "game/game.h"
#include "game/san_move.h"

namespace {

constexpr const char* start_fen = Game::standard_start_fen;
const char* const scholar_fen = "r1bqkbnr/pppp1ppp/2n5/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4";

ChessPosition position_of(const std::string& fen)
{
    ChessPosition position;
    position.set_fen(fen);
    return position;
}

// The legal move with this coordinate text (castling in king-takes-rook form),
// as the generator builds it, check mark included.
Move legal_move(ChessPosition& position, const std::string& coordinates)
{
    MoveGenerator generator;
    MoveList moves;
    generator.generate(position, moves);
    for (const Move& move : moves)
        if (move.to_string(true) == coordinates)
            return move;
    throw std::runtime_error("no legal move " + coordinates + " in " + position.fen());
}

struct ReadCase {
    const char* fen;
    const char* san;
    const char* coordinates; // king-takes-rook form for castling
    MoveKind kind;
    bool gives_check;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) { return out << c.san << " in " << c.fen; }

class SanReading : public testing::TestWithParam<ReadCase> {};

TEST_P(SanReading, FindsTheMove)
{
    const ReadCase& c = GetParam();
    ChessPosition position = position_of(c.fen);
    const std::string fen_before = position.fen();
    const SanMove read(position, std::string(c.san));
    EXPECT_EQ(read.m_move.to_string(true), c.coordinates);
    EXPECT_EQ(read.m_move.kind(), c.kind);
    EXPECT_EQ(read.m_move.gives_check(), c.gives_check);
    EXPECT_EQ(read.m_move.xkind(), xnormal_move);
    EXPECT_EQ(read.san(), c.san);
    EXPECT_EQ(position.fen(), fen_before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SanReading, testing::Values(
    ReadCase{start_fen, "e4", "e2e4", normal_move, false},
    ReadCase{start_fen, "Nf3", "g1f3", normal_move, false},
    ReadCase{start_fen, "Pe4", "e2e4", normal_move, false},
    ReadCase{start_fen, "e3", "e2e3", normal_move, false},
    ReadCase{start_fen, "e4!?", "e2e4", normal_move, false},
    ReadCase{start_fen, "e4 ", "e2e4", normal_move, false},
    ReadCase{start_fen, "Nf3?!", "g1f3", normal_move, false},
    ReadCase{scholar_fen, "Qxf7#", "h5f7", normal_move, true},
    ReadCase{scholar_fen, "Qxf7+", "h5f7", normal_move, true},
    ReadCase{scholar_fen, "Qxf7+!", "h5f7", normal_move, true},
    ReadCase{"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "O-O", "e1h1", castling, false},
    ReadCase{"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "O-O-O", "e1a1", castling, false},
    ReadCase{"r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "O-O-O+", "e8a8", castling, true},
    ReadCase{"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1", "O-O", "e1g1", castling, false},
    ReadCase{"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1", "O-O-O", "e1b1", castling, false},
    ReadCase{"rk5r/pppppppp/8/8/8/8/PPPPPPPP/RK5R b HAha - 0 1", "O-O-O", "b8a8", castling, false},
    ReadCase{"8/4P3/8/8/8/8/k7/K7 w - - 0 1", "e8=Q", "e7e8q", promo_queen, false},
    ReadCase{"3r4/4P3/8/8/8/8/k7/K7 w - - 0 1", "exd8=N", "e7d8n", promo_knight, false},
    ReadCase{"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "exd6", "e5d6", en_passant, false},
    ReadCase{"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nbd2", "b1d2", normal_move, false},
    ReadCase{"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "N1d2", "b1d2", normal_move, false},
    ReadCase{"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nfd2", "f3d2", normal_move, false},
    ReadCase{"k7/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qh4e1", "h4e1", normal_move, false},
    ReadCase{"k7/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "Qee1", "e4e1", normal_move, false},
    // the knight on f3 is pinned by the bishop on c6 and cannot go to d2
    ReadCase{"4k3/8/2b5/8/8/5N2/8/1N5K w - - 0 1", "Nd2", "b1d2", normal_move, false},
    // both rooks are pinned; only the one on the pin line can go to e4
    ReadCase{"4r2k/8/8/b7/1R6/8/4R3/4K3 w - - 0 1", "Re4", "e2e4", normal_move, false}));

struct RefusedCase {
    const char* fen;
    const char* san;
    const char* message_start;
};

std::ostream& operator<<(std::ostream& out, const RefusedCase& c) { return out << c.san << " in " << c.fen; }

class SanRefusal : public testing::TestWithParam<RefusedCase> {};

TEST_P(SanRefusal, ThrowsItsMessage)
{
    const RefusedCase& c = GetParam();
    ChessPosition position = position_of(c.fen);
    try {
        SanMove read(position, std::string(c.san));
        FAIL() << c.san << " was read as " << read.m_move.to_string();
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(c.message_start, 0), 0u) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SanRefusal, testing::Values(
    RefusedCase{"4k3/8/8/8/8/8/8/4K1NR w K - 0 1", "O-O", "SanMove operator=(string): illegal move \"O-O\"\nfen()="},
    RefusedCase{"4k3/8/8/8/8/8/8/RN2K3 w Q - 0 1", "O-O-O", "SanMove operator=(string): illegal move"},
    RefusedCase{"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "O-O!", "SanMove operator=(string \"O-O!\"): no moving piece found(2) \nfen   "},
    RefusedCase{"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "0-0", "SanMove operator=(string \"0-0\"): no moving piece found(2)"},
    RefusedCase{"8/4P3/8/8/8/8/k7/K7 w - - 0 1", "e8=q", "SanMove operator=(): wrong promotion format"},
    RefusedCase{"8/4P3/8/8/8/8/k7/K7 w - - 0 1", "e8=K", "SanMove operator=(): wrong promotion format"},
    RefusedCase{"8/4P3/8/8/8/8/k7/K7 w - - 0 1", "e8Q", "SanMove operator=(string \"e8Q\"): no moving piece found(2)"},
    RefusedCase{"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "Nd2", "SanMove operator=(): ambigue sanmove found: Nd2\nfen   "},
    RefusedCase{start_fen, "e4)", "SanMove operator=(): Illegal character found"},
    RefusedCase{start_fen, "1-0", "SanMove operator=(string \"1-0\"): no moving piece found(2)"},
    RefusedCase{start_fen, "Ne4", "SanMove operator=(string \"Ne4\"): no moving piece found(2)"},
    RefusedCase{start_fen, "", "SanMove operator=(string \"\"): no moving piece found(2)"},
    RefusedCase{start_fen, "!!", "SanMove operator=(string \"!!\"): no moving piece found(2)"}));

struct WriteCase {
    const char* fen;
    const char* coordinates; // a legal move, castling in king-takes-rook form
    const char* san;
};

std::ostream& operator<<(std::ostream& out, const WriteCase& c) { return out << c.coordinates << " in " << c.fen; }

class SanWriting : public testing::TestWithParam<WriteCase> {};

TEST_P(SanWriting, WritesTheText)
{
    const WriteCase& c = GetParam();
    ChessPosition position = position_of(c.fen);
    const std::string fen_before = position.fen();
    const Move move = legal_move(position, c.coordinates);
    const SanMove written(position, move);
    EXPECT_EQ(written.san(), c.san);
    EXPECT_EQ(position.fen(), fen_before);
    EXPECT_EQ(position.ply_records().size(), 1u);
    // and the reader takes the written text back to the same move
    const SanMove read(position, written.san());
    EXPECT_EQ(read.m_move, move) << read.m_move.dump() << " / " << move.dump();
}

INSTANTIATE_TEST_SUITE_P(Cases, SanWriting, testing::Values(
    WriteCase{start_fen, "e2e4", "e4"},
    WriteCase{start_fen, "g1f3", "Nf3"},
    WriteCase{"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "Nbd2"},
    WriteCase{"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
    WriteCase{"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a5a3", "R5a3"},
    WriteCase{"k7/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h4e1", "Qh4e1"},
    // the queen leaving e4 uncovers the one on h1
    WriteCase{"k7/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "e4e1", "Qee1+"},
    WriteCase{"k7/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", "h1e1", "Q1e1"},
    WriteCase{"4k3/8/2b5/8/8/5N2/8/1N5K w - - 0 1", "b1d2", "Nd2"},
    WriteCase{"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
    WriteCase{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
    WriteCase{"k7/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8q", "e8=Q+"},
    WriteCase{"k7/4P3/8/8/8/8/8/K7 w - - 0 1", "e7e8n", "e8=N"},
    WriteCase{"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1h1", "O-O+"},
    WriteCase{"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1a1", "O-O-O"},
    WriteCase{"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1", "e1g1", "O-O"},
    WriteCase{"1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1", "e1b1", "O-O-O"},
    WriteCase{"rk5r/pppppppp/8/8/8/8/PPPPPPPP/RK5R b HAha - 0 1", "b8a8", "O-O-O"},
    WriteCase{"rk5r/pppppppp/8/8/8/8/PPPPPPPP/RK5R b HAha - 0 1", "b8h8", "O-O"},
    // the king already stands on g1: castling moves only the rook
    WriteCase{"4k3/8/8/8/8/8/8/6KR w H - 0 1", "g1h1", "O-O"},
    WriteCase{scholar_fen, "h5f7", "Qxf7#"},
    WriteCase{"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#"},
    // the king escapes to h7: check, not mate
    WriteCase{"6k1/5pp1/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8+"},
    // the checking knight can be taken: check, not mate
    WriteCase{"5rk1/5pbp/7N/8/8/8/8/6K1 b - - 0 1", "g7h6", "Bxh6"}));

TEST(SanWriter, MateMarkOnlyForAMoveFlaggedAsCheck)
{
    ChessPosition position = position_of(scholar_fen);
    Move move = legal_move(position, "h5f7");
    ASSERT_TRUE(move.gives_check());
    move.set_gives_check(false);
    EXPECT_EQ(SanMove(position, move).san(), "Qxf7");
}

TEST(SanWriter, RefusesAMoveThatNoPieceCanMake)
{
    ChessPosition position = position_of(start_fen);
    const Move impossible(Square(3), Square(35), normal_move, Piece(5), Piece());
    try {
        SanMove written(position, impossible);
        FAIL() << written.san();
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string(error.what()), "FEN " + position.fen() + "\nSanMove::operator=(d1d5):   no piece can make this move");
    }
}

TEST(SanMoveRecord, CopyDropsTheScore)
{
    ChessPosition position = position_of(start_fen);
    SanMove original(position, std::string("e4"));
    original.m_move.set_score(77);
    const SanMove copy(original);
    EXPECT_EQ(copy.m_move.score(), 0);
    EXPECT_EQ(copy.m_move, original.m_move);
    EXPECT_EQ(copy.san(), "e4");
    EXPECT_EQ(copy.m_position, &position);
}

TEST(SanMoveRecord, IsLegalRefusesEmptySquaresAndTheWrongSide)
{
    ChessPosition position = position_of(start_fen);
    const SanMove probe(position);
    EXPECT_THROW(probe.is_legal(Square(28), Square(36)), std::logic_error);
    try {
        probe.is_legal(Square(52), Square(36));
        FAIL();
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "SanMove::is_legal   black piece wants to move while side to move is white\nFEN "
                      + position.fen() + "\nfrom e7 to e5");
    }
    EXPECT_FALSE(probe.is_legal(Square(6), Square(12)));
    EXPECT_TRUE(probe.is_legal(Square(6), Square(21)));
}

}
