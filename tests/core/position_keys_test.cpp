#include "core/chess_position.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Plays coordinate moves from the start position.
ChessPosition play(const std::string& moves)
{
    ChessPosition position;
    position.set_start_position();
    std::istringstream stream(moves);
    for (std::string text; stream >> text;) {
        position.make_move(position.convert_to_move(text));
    }
    return position;
}

struct KeyCase {
    const char* moves;
    std::uint64_t key;
};

// The published Polyglot test positions.
const KeyCase key_cases[] = {
    {"", 0x463B96181691FC9CULL},
    {"e2e4", 0x823C9B50FD114196ULL},
    {"e2e4 d7d5", 0x0756B94461C50FB0ULL},
    {"e2e4 d7d5 e4e5", 0x662FAFB965DB29D4ULL},
    {"e2e4 d7d5 e4e5 f7f5", 0x22A48B5A8E47FF78ULL},
    {"e2e4 d7d5 e4e5 f7f5 e1e2", 0x652A607CA3F242C1ULL},
    {"e2e4 d7d5 e4e5 f7f5 e1e2 e8f7", 0x00FDD303C946BDD9ULL},
    {"a2a4 b7b5 h2h4 b5b4 c2c4", 0x3C8123EA7B067637ULL},
    {"a2a4 b7b5 h2h4 b5b4 c2c4 b4c3 a1a3", 0x5C3F9B829B279560ULL},
};

TEST(PositionKeysTest, PlayedMovesGiveThePublishedKeys)
{
    for (const KeyCase& c : key_cases) {
        const ChessPosition played = play(c.moves);
        EXPECT_EQ(played.hash_key(), c.key) << c.moves;
        ChessPosition read;
        read.set_fen(played.fen());
        EXPECT_EQ(read.hash_key(), c.key) << c.moves << " read from " << played.fen();
    }
}

TEST(PositionKeysTest, EnPassantFieldCountsOnlyWhereACaptureIsPossible)
{
    ChessPosition position;
    position.set_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    EXPECT_EQ(position.hash_key(), 0x823C9B50FD114196ULL);
    EXPECT_EQ(position.en_passant_square(), Square());
    EXPECT_EQ(position.fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");

    position.set_fen("rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3");
    EXPECT_EQ(position.hash_key(), 0x22A48B5A8E47FF78ULL);
    EXPECT_EQ(position.en_passant_square(), Square("f6"));
}

TEST(PositionKeysTest, BookkeepingPredictsTheKeyWithoutMoving)
{
    ChessPosition position = play("e2e4 d7d5 e4e5");
    const std::string before = position.fen();
    const Move move = position.convert_to_move("f7f5");
    const std::uint64_t predicted = position.do_move_bookkeeping(move);
    EXPECT_EQ(position.fen(), before);
    position.make_move(move);
    EXPECT_EQ(predicted, position.hash_key());
    EXPECT_EQ(predicted, 0x22A48B5A8E47FF78ULL);
}

}
