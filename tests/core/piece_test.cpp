#include "core/piece.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct PieceCase {
    std::uint32_t code;
    int value;
    const char* name;
};

constexpr PieceCase piece_cases[] = {
    {0, 0, "no piece"},          {1, 100, "white pawn"},     {2, 300, "white knight"},
    {3, 300, "white bishop"},    {4, 500, "white rook"},     {5, 900, "white queen"},
    {6, 4000, "white king"},     {9, -100, "black pawn"},    {10, -300, "black knight"},
    {11, -300, "black bishop"},  {12, -500, "black rook"},   {13, -900, "black queen"},
    {14, -4000, "black king"},
};

TEST(PieceTest, ValuesAndNamesOfEveryPiece)
{
    for (const PieceCase& c : piece_cases) {
        const Piece piece(c.code);
        EXPECT_EQ(piece.value(), c.value) << c.code;
        EXPECT_EQ(piece.abs_value(), std::abs(c.value)) << c.code;
        EXPECT_EQ(piece.name(), c.name);
        EXPECT_EQ(piece.is_black(), c.code >= 9);
        EXPECT_EQ(static_cast<bool>(piece), c.code != 0);
    }
    EXPECT_TRUE(Piece().is_white());
    EXPECT_FALSE(Piece().is_black());
    EXPECT_TRUE(Piece().is_empty());
}

TEST(PieceTest, KindTestsAndSetters)
{
    Piece piece;
    piece.set_black_queen();
    EXPECT_EQ(piece.code(), 13u);
    EXPECT_TRUE(piece.is_queen());
    EXPECT_TRUE(piece.is_black_queen());
    EXPECT_FALSE(piece.is_white_queen());
    piece.set_white_knight();
    EXPECT_TRUE(piece.is_knight());
    EXPECT_TRUE(piece.is_white_knight());
    piece.set_white_king();
    EXPECT_TRUE(piece.is_king());
    piece.set_black_pawn();
    EXPECT_TRUE(piece.is_pawn());
    EXPECT_TRUE(piece.is_black_pawn());
    piece.set_none();
    EXPECT_TRUE(piece.is_empty());
}

TEST(PieceTest, CodesThatNameNoPieceFail)
{
    testing::internal::CaptureStdout();
    EXPECT_THROW((void)Piece(7).value(), std::logic_error);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Piece: 7\n");
    try {
        (void)Piece(15).value();
        FAIL();
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Piece::value out of range");
    }
    EXPECT_EQ(Piece(8).abs_value(), 0);
    try {
        (void)Piece(15).abs_value();
        FAIL();
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Piece::abs_value out of range:");
    }
    for (std::uint32_t code : {7u, 8u, 15u, 16u}) {
        try {
            (void)Piece(code).name();
            FAIL() << code;
        } catch (const std::logic_error& error) {
            EXPECT_STREQ(error.what(), "Piece::unknown piece");
        }
    }
}

}
