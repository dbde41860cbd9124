#include "core/chess_position.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/core/logic_error_text.h"
#include "tests/support/start_position.h"

namespace {

using torvane_test::start_fen;

std::string read_error(const std::string& text)
{
    ChessPosition position;
    return logic_error_text([&] { position.fen(text); });
}

TEST(PositionFenTest, RefusalsCarryTheirMessages)
{
    EXPECT_EQ(read_error(""), "ChessPosition::fen()   error number of kings");
    EXPECT_EQ(read_error("KK6/8/8/8/8/8/8/k7"), "ChessPosition::fen(KK6/8/8/8/8/8/8/k7)   error number of kings");
    EXPECT_EQ(read_error("8/8/8/8/8/8/8/K7 w - -"), "ChessPosition::fen(8/8/8/8/8/8/8/K7 w - -)   error number of kings");
    EXPECT_EQ(read_error("4k3/8/8/8/8/8/8/4K3 w"), "ChessPosition::fen(string)   error castle field");
    EXPECT_EQ(read_error("4k3/8/8/8/8/8/8/4K3 w -"), "ChessPosition::fen(string)   error EP field");
    EXPECT_EQ(read_error("4k3/8/8/8/8/8/8/4K2P w - -"), "BoardPosition::fen   error: white pawn on wrong square");
    EXPECT_EQ(read_error("4k3/8/8/8/8/8/8/4K3/ w - -"), "BoardPosition::fen(4k3/8/8/8/8/8/8/4K3/ w - -)    syntax error");
    // A short placement is no longer shifted (the king used to land on a2).
    EXPECT_EQ(read_error("k7/8/8/8/8/8/K7 w - - 0 1"), "BoardPosition::fen(k7/8/8/8/8/8/K7 w - - 0 1)    syntax error");
    // Sixteen queens once read as bare kings, sixteen pawns as a knight ending.
    EXPECT_EQ(read_error("QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/K6k w - - 0 1"), "BoardPosition::fen   error: more than 16 white pieces");
    EXPECT_EQ(read_error("k7/pppppppp/pppppppp/8/8/8/8/KN6 w - - 0 1"), "BoardPosition::fen   error: more than 8 black pawns");
    EXPECT_EQ(read_error("4k3/8/8/8/8/8/8/4K3 w - -"), "");
}

TEST(PositionFenTest, BadTextLeavesThePositionAsItWasAndReports)
{
    ChessPosition position;
    position.set_start_position();
    position.make_move(position.convert_to_move("e2e4"));
    const std::string before = position.fen();
    const std::uint64_t key = position.hash_key();
    try {
        position.set_fen("4k3/8/8/8/8/8/8/4K3 w");
        FAIL() << "a text without castling field was accepted";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "ChessPosition::fen(string)   error castle field");
    }
    EXPECT_EQ(position.fen(), before);
    EXPECT_EQ(position.hash_key(), key);
    EXPECT_EQ(position.ply_records().size(), 2u);
    EXPECT_EQ(position.moves_text(), "e2e4");
    EXPECT_EQ(position.start_fen(), start_fen);
}

struct RoundTrip {
    const char* text;
    const char* written;
    const char* start_fen;
};

TEST(PositionFenTest, WrittenTextAndStoredStartText)
{
    const RoundTrip cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha -", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1"},
        {"  4k3/8/8/8/8/8/8/4K3   b  -  -  x  y extra", "4k3/8/8/8/8/8/8/4K3 b - - 0 1", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 12abc 40", "4k3/8/8/8/8/8/8/4K3 w - - 12 40", "4k3/8/8/8/8/8/8/4K3 w - - 12abc 40"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 3 70000", "4k3/8/8/8/8/8/8/4K3 w - - 3 4464", "4k3/8/8/8/8/8/8/4K3 w - - 3 70000"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 99999999999 1", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w BGbg - 5 9", "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w BGbg - 5 9",
         "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w BGbg - 5 9"},
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1", "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w BGbg - 0 1",
         "1r2k1r1/8/8/8/8/8/8/1R2K1R1 w KQkq - 0 1"},
        {"r3k1r1/8/8/8/8/8/8/R3K2R w Kg - 0 1", "r3k1r1/8/8/8/8/8/8/R3K2R w Hg - 0 1", "r3k1r1/8/8/8/8/8/8/R3K2R w Kg - 0 1"},
        {"4k3/8/8/8/8/8/8/RR2K3 w K - 0 1", "4k3/8/8/8/8/8/8/RR2K3 w - - 0 1", "4k3/8/8/8/8/8/8/RR2K3 w K - 0 1"},
        {"4k3/8/8/8/8/8/8/3RK3 w K - 0 1", "4k3/8/8/8/8/8/8/3RK3 w D - 0 1", "4k3/8/8/8/8/8/8/3RK3 w K - 0 1"},
    };
    for (const RoundTrip& c : cases) {
        ChessPosition position;
        position.set_fen(c.text);
        EXPECT_EQ(position.fen(), c.written) << c.text;
        EXPECT_EQ(position.start_fen(), c.start_fen) << c.text;
        ChessPosition again;
        again.set_fen(position.fen());
        EXPECT_EQ(again.fen(), position.fen()) << c.text;
        EXPECT_EQ(again.hash_key(), position.hash_key()) << c.text;
    }
}

TEST(PositionFenTest, CastlingLettersAndTheirFlags)
{
    struct Case {
        const char* text;
        std::uint16_t flags;
    };
    const Case cases[] = {
        {start_fen.c_str(), 0x8181},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1", 0x8181},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Kq - 0 1", 0x0180},
        {"4k3/8/8/8/8/8/8/RR2K3 w K - 0 1", 0},
        {"4k3/8/8/8/8/8/8/3RK3 w K - 0 1", 0x0008},
        // Letters the board cannot back give no rights.
        {"4k3/8/8/8/8/8/8/4K3 w KQkqAHah - 0 1", 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R w CDcd - 0 1", 0},
        {"r3k2r/8/8/8/8/8/4K3/R6R w KQkq - 0 1", 0x8100},
        {"r6r/4k3/8/8/8/8/8/R3K2R w KQkq - 0 1", 0x0081},
        {"r3k2r/8/8/8/8/8/8/R3K2R w xyz- - 0 1", 0},
    };
    for (const Case& c : cases) {
        ChessPosition position;
        position.set_fen(c.text);
        EXPECT_EQ(position.castling_flags(), c.flags) << c.text;
    }
}

TEST(PositionFenTest, Chess960FlagWritesFileLetters)
{
    ChessPosition position;
    position.set_chess960(true);
    position.set_start_position();
    EXPECT_EQ(position.fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w AHah - 0 1");
    EXPECT_EQ(position.start_fen(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w AHah - 0 1");
    EXPECT_EQ(position.hash_key(), 0x463B96181691FC9CULL);
    position.set_chess960(false);
    position.set_fen("rk2r3/8/8/8/8/8/8/RK2R3 w Bb - 0 1");
    EXPECT_EQ(position.castling_flags(), 0);
    position.set_fen("4k1r1/8/8/8/8/8/8/4K3 w k - 0 1");
    EXPECT_EQ(position.fen(), "4k1r1/8/8/8/8/8/8/4K3 w g - 0 1");
    position.set_fen("1r4kr/8/8/8/8/8/8/1R4KR w HBhb - 0 1");
    EXPECT_EQ(position.fen(), "1r4kr/8/8/8/8/8/8/1R4KR w BHbh - 0 1");
}

TEST(PositionFenTest, ImpossibleEnPassantSquaresAreDropped)
{
    struct Case {
        const char* text;
        const char* square;
    };
    const Case cases[] = {
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "d6"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d4 0 1", "d6"},
        {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "d3"},
        // Wrong rank for the side to move.
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d3 0 1", "no_square"},
        {"4k3/8/8/8/3Pp3/8/8/4K3 w - d3 0 1", "no_square"},
        // No enemy pawn in front of the square.
        {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", "no_square"},
        // The square or the one the pawn came from is occupied.
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1", "no_square"},
        {"4k3/3n4/8/3pP3/8/8/8/4K3 w - d6 0 1", "no_square"},
        // No pawn of the side to move beside the pushed pawn.
        {"4k3/8/8/3p4/8/8/8/4K3 w - d6 0 1", "no_square"},
        {"4k3/8/8/p6P/8/8/8/4K3 w - a6 0 1", "no_square"},
        {"4k3/8/8/Pp6/8/8/8/4K3 w - b6 0 1", "b6"},
        {"4k3/8/8/6Pp/8/8/8/4K3 w - h6 0 1", "h6"},
    };
    for (const Case& c : cases) {
        ChessPosition position;
        position.set_fen(c.text);
        EXPECT_EQ(position.en_passant_square().name(), c.square) << c.text;
    }
}

TEST(PositionFenTest, EpdAndMovesText)
{
    ChessPosition position;
    position.set_fen("4k3/8/8/8/8/8/8/4K2R w K -");
    EXPECT_EQ(position.halfmove_clock(), 0);
    EXPECT_EQ(position.move_number(), 1);
    EXPECT_EQ(position.start_fen(), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_EQ(position.epd(), "4k3/8/8/8/8/8/8/4K2R w K -");
    EXPECT_EQ(position.moves_text(), "");
    position.make_move(position.convert_to_move("e1g1"));
    position.make_move(position.convert_to_move("e8d7"));
    EXPECT_EQ(position.moves_text(), "e1g1 e8d7");
    EXPECT_EQ(position.fen(), "8/3k4/8/8/8/8/8/5RK1 w - - 2 2");
    EXPECT_EQ(position.start_fen(), "4k3/8/8/8/8/8/8/4K2R w K - 0 1");
}

TEST(PositionFenTest, PrintShowsBoardKeyAndPins)
{
    ChessPosition position;
    position.set_fen("4k3/8/8/8/4r3/8/4B3/4K3 w - - 0 1");
    const std::string text = position.print();
    EXPECT_EQ(text.rfind("side to move: 1\nwhite pawn: \n", 0), 0u);
    EXPECT_NE(text.find("\n\ntotal moves: 1\nhash: "), std::string::npos);
    std::string pinned = "pinned pieces: 0000000000001000\n";
    for (int row = 0; row < 8; ++row) {
        pinned += row == 6 ? "00001000\n" : "00000000\n";
    }
    EXPECT_NE(text.find(pinned + "\ndiscovering pieces: 0000000000000000\n"), std::string::npos);
    std::ostringstream key;
    key << std::hex << position.hash_key();
    EXPECT_NE(text.find("hash: " + key.str() + "\n"), std::string::npos);
}

}
