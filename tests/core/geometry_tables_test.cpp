#include "core/geometry_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/ray_walk.h"
#include "tests/core/square_names.h"

namespace {

using square_names::sq;
using square_names::squares;

TEST(GeometryTables, DirectionRaysMatchCoordinateWalk)
{
    const GeometryTables geometry;
    // Table order: east, north-east, north, north-west, west, south-west, south, south-east.
    const int steps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    for (int s = 0; s < 64; ++s) {
        const Square square(s);
        const Bitboard rays[8] = {geometry.ray_0(square), geometry.ray_1(square), geometry.ray_2(square),
                                  geometry.ray_3(square), geometry.ray_4(square), geometry.ray_5(square),
                                  geometry.ray_6(square), geometry.ray_7(square)};
        for (int d = 0; d < 8; ++d)
            EXPECT_EQ(rays[d].value(), ray_walk::ray(s, steps[d][0], steps[d][1])) << s << " direction " << d;
        EXPECT_EQ(geometry.rook_rays(square).value(), ray_walk::rook(s, 0)) << s;
        EXPECT_EQ(geometry.bishop_rays(square).value(), ray_walk::bishop(s, 0)) << s;
        EXPECT_EQ(geometry.queen_rays(square), geometry.rook_rays(square) | geometry.bishop_rays(square));
        EXPECT_EQ(geometry.king_moves(square).value(),
                  ray_walk::leaps(s, ray_walk::king_offsets) | (std::uint64_t{1} << s)) << s;
    }
}

TEST(GeometryTables, PairTablesMatchCoordinateWalk)
{
    const GeometryTables geometry;
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            int df = 0;
            int dr = 0;
            ray_walk::direction(a, b, df, dr);
            std::uint64_t between = 0;
            std::uint64_t towards = 0;
            if (df != 0 || dr != 0) {
                towards = ray_walk::ray(a, df, dr);
                between = ray_walk::ray(a, df, dr, std::uint64_t{1} << b) & ~(std::uint64_t{1} << b);
            }
            const Square sa(a);
            const Square sb(b);
            EXPECT_EQ(geometry.between(sa, sb).value(), between) << a << " " << b;
            EXPECT_EQ(geometry.between_inclusive(sa, sb).value(),
                      between | (std::uint64_t{1} << a) | (std::uint64_t{1} << b)) << a << " " << b;
            EXPECT_EQ(geometry.ray_towards(sa, sb).value(), towards) << a << " " << b;
        }
    }
}

struct PairCase {
    const char* name;
    Bitboard found;
    Bitboard expected;
};

TEST(GeometryTables, WorkedExamples)
{
    const GeometryTables geometry;
    const std::vector<PairCase> cases = {
        {"ray_0 h4", geometry.ray_0(sq("h4")), Bitboard()},
        {"ray_1 a1", geometry.ray_1(sq("a1")), squares({"b2", "c3", "d4", "e5", "f6", "g7", "h8"})},
        {"king_moves a1", geometry.king_moves(sq("a1")), squares({"a1", "b1", "a2", "b2"})},
        {"between c1 f4", geometry.between(sq("c1"), sq("f4")), squares({"d2", "e3"})},
        {"between f4 c1", geometry.between(sq("f4"), sq("c1")), squares({"d2", "e3"})},
        {"between a1 b3", geometry.between(sq("a1"), sq("b3")), Bitboard()},
        {"between e4 e4", geometry.between(sq("e4"), sq("e4")), Bitboard()},
        {"inclusive a1 b3", geometry.between_inclusive(sq("a1"), sq("b3")), squares({"a1", "b3"})},
        {"inclusive e4 e4", geometry.between_inclusive(sq("e4"), sq("e4")), squares({"e4"})},
        {"towards c1 e3", geometry.ray_towards(sq("c1"), sq("e3")), squares({"d2", "e3", "f4", "g5", "h6"})},
        {"towards e3 c1", geometry.ray_towards(sq("e3"), sq("c1")), squares({"d2", "c1"})},
        {"towards a1 b3", geometry.ray_towards(sq("a1"), sq("b3")), Bitboard()},
        {"towards h1 a8", geometry.ray_towards(sq("h1"), sq("a8")),
         squares({"g2", "f3", "e4", "d5", "c6", "b7", "a8"})},
    };
    for (const PairCase& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.name;
}

TEST(GeometryTables, InstancesShareOneBuild)
{
    const GeometryTables first;
    const GeometryTables second;
    EXPECT_EQ(&first.between(Square(0), Square(63)), &second.between(Square(0), Square(63)));
}

}
