#include "core/attack_tables.h"

#include "core/chess_position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/ray_walk.h"
#include "tests/core/square_names.h"

namespace {

using square_names::sq;
using square_names::squares;

TEST(AttackTables, LeapersMatchCoordinateOffsets)
{
    const AttackTables tables;
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        EXPECT_EQ(tables.knight_attacks(square).value(), ray_walk::leaps(s, ray_walk::knight_offsets)) << s;
        EXPECT_EQ(tables.king_attacks(square).value(), ray_walk::leaps(s, ray_walk::king_offsets)) << s;
        EXPECT_EQ(tables.knight_attacks(square.bit()), tables.knight_attacks(square));
        EXPECT_EQ(tables.king_attacks(square.bit()), tables.king_attacks(square));
    }
}

TEST(AttackTables, SlidersMatchCoordinateWalkUnderRandomOccupancies)
{
    const AttackTables tables;
    ray_walk::Random random;
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        for (int i = 0; i < 2000; ++i) {
            // Sparse and dense boards alike; the slider's own square may be set too.
            const std::uint64_t occupancy = i % 2 ? random.next() & random.next() : random.next() | random.next();
            const Bitboard occupied(occupancy);
            EXPECT_EQ(tables.rook_attacks(square, occupied).value(), ray_walk::rook(s, occupancy));
            EXPECT_EQ(tables.bishop_attacks(square, occupied).value(), ray_walk::bishop(s, occupancy));
            EXPECT_EQ(tables.queen_attacks(square, occupied).value(),
                      ray_walk::rook(s, occupancy) | ray_walk::bishop(s, occupancy));
            EXPECT_EQ(tables.rook_attacks(square.bit(), occupied), tables.rook_attacks(square, occupied));
            EXPECT_EQ(tables.bishop_attacks(square.bit(), occupied), tables.bishop_attacks(square, occupied));
            EXPECT_EQ(tables.queen_attacks(square.bit(), occupied), tables.queen_attacks(square, occupied));
        }
    }
}

struct AttackCase {
    const char* name;
    Bitboard found;
    Bitboard expected;
};

TEST(AttackTables, WorkedExamples)
{
    const AttackTables tables;
    const Bitboard a4_d1 = squares({"a4", "d1"});
    const std::vector<AttackCase> cases = {
        {"king a1", tables.king_attacks(sq("a1")), squares({"b1", "a2", "b2"})},
        {"knight a1", tables.knight_attacks(sq("a1")), squares({"b3", "c2"})},
        {"knight h8", tables.knight_attacks(sq("h8")), squares({"g6", "f7"})},
        {"knight e4", tables.knight_attacks(sq("e4")),
         squares({"d2", "f2", "c3", "g3", "c5", "g5", "d6", "f6"})},
        {"rook a1 {a4, d1}", tables.rook_attacks(sq("a1"), a4_d1),
         squares({"a2", "a3", "a4", "b1", "c1", "d1"})},
        {"rook a1 empty", tables.rook_attacks(sq("a1"), Bitboard()),
         (Bitboard(0x0101010101010101ULL) | Bitboard(0xFFULL)) & ~sq("a1").bit()},
        {"bishop d4 own bit", tables.bishop_attacks(sq("d4"), sq("d4").bit() | sq("f6").bit()),
         tables.bishop_attacks(sq("d4"), sq("f6").bit())},
    };
    for (const AttackCase& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.name;
}

TEST(AttackTables, InstancesShareOneBuild)
{
    const AttackTables first;
    const AttackTables copy = first;
    const AttackTables second;
    EXPECT_EQ(&first.magic_moves(), &second.magic_moves());
    EXPECT_EQ(&copy.magic_moves(), &MagicMoves::shared());
    EXPECT_EQ(&first.knight_attacks(Square(0)), &second.knight_attacks(Square(0)));
}

// Positions are copied freely; the tables behind them are built once.
TEST(AttackTables, PositionsAndTheirCopiesShareTheTables)
{
    ChessPosition position;
    position.set_start_position();
    const ChessPosition copy = position;
    ChessPosition assigned;
    assigned = position;
    EXPECT_EQ(&copy.attack_tables().magic_moves(), &MagicMoves::shared());
    EXPECT_EQ(&assigned.attack_tables().magic_moves(), &MagicMoves::shared());
    EXPECT_EQ(&copy.geometry().between(Square(0), Square(9)), &GeometryTables().between(Square(0), Square(9)));
}

}
