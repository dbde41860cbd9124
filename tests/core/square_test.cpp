#include "core/square.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/bitboard.h"
#include "tests/core/logic_error_text.h"

namespace {

std::string error_text(const std::string& text)
{
    return logic_error_text([&] { Square square(text); });
}

TEST(SquareTest, NamesReadBackToTheirIndex)
{
    for (int index = 0; index < 64; ++index) {
        const Square square(index);
        EXPECT_EQ(Square(square.name()).value(), static_cast<unsigned>(index));
        EXPECT_EQ(square.file() + 8 * square.rank(), index);
        EXPECT_EQ(square.file_char(), square.name()[0]);
        EXPECT_EQ(square.rank_char(), square.name()[1]);
        EXPECT_EQ(square.rank_from_top(), 7 - square.rank());
        EXPECT_EQ(square.is_light(), (square.file() + square.rank()) % 2 == 1);
        EXPECT_EQ(square.bit().value(), std::uint64_t{1} << index);
        EXPECT_TRUE(static_cast<bool>(square.file_bitboard() & square.bit()));
        EXPECT_TRUE(static_cast<bool>(square.rank_bitboard() & square.bit()));
        EXPECT_EQ(square.file_bitboard().count(), 8);
        EXPECT_EQ(square.rank_bitboard().count(), 8);
    }
    EXPECT_EQ(Square("a1").value(), 0u);
    EXPECT_EQ(Square("e4").value(), 28u);
    EXPECT_EQ(Square("h8").value(), 63u);
}

TEST(SquareTest, BadTextsAreRefusedWithTheirMessage)
{
    const std::string size_error = "Square::Square(string)  size() error";
    const std::string range_error = "Square::Square(string)  out of range";
    EXPECT_EQ(error_text("e"), size_error);
    EXPECT_EQ(error_text("e44"), size_error);
    EXPECT_EQ(error_text(""), size_error);
    EXPECT_EQ(error_text("a9"), range_error);
    EXPECT_EQ(error_text("h0"), range_error);
    EXPECT_EQ(error_text("E4"), range_error);
}

TEST(SquareTest, NameOfNoSquareAndBeyond)
{
    EXPECT_EQ(Square().name(), "no_square");
    EXPECT_EQ(Square().value(), 64u);
    try {
        (void)Square(65).name();
        FAIL() << "no error for square 65";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Square::name()const m_square=65");
    }
    try {
        (void)Square(-1).name();
        FAIL() << "no error for square -1";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Square::name()const m_square=-1");
    }
}

TEST(SquareTest, NoSquareHasNoBits)
{
    EXPECT_FALSE(Square().bit());
    EXPECT_FALSE(Square().rank_bitboard());
    EXPECT_FALSE(Square().file_bitboard());
}

TEST(SquareTest, SymmetriesAndArithmetic)
{
    EXPECT_EQ(Square("a1").mirror_file(), Square("h1"));
    EXPECT_EQ(Square("e4").mirror_file(), Square("d4"));
    EXPECT_EQ(Square("a1").flip_rank(), Square("a8"));
    EXPECT_EQ(Square("e2").flip_rank(), Square("e7"));
    EXPECT_EQ(Square("e2") + 16, Square("e4"));
    EXPECT_EQ(16 + Square("e2"), Square("e4"));
    EXPECT_EQ(Square("e4") - 8, Square("e3"));
    EXPECT_EQ(8 - Square("e4"), Square("e3"));
    EXPECT_EQ(Square("e4") - Square("e2"), 16);
    EXPECT_EQ(Square("a1") - Square("h8"), -63);
    Square square("a1");
    EXPECT_EQ(square++, Square("a1"));
    EXPECT_EQ(++square, Square("c1"));
    EXPECT_EQ(square--, Square("c1"));
    EXPECT_EQ(--square, Square("a1"));
    square += 9;
    EXPECT_EQ(square, Square("b2"));
    square -= 1;
    EXPECT_EQ(square, Square("a2"));
    EXPECT_TRUE(Square(-1) < Square("a1"));
    EXPECT_TRUE(Square("h8") < Square());
    EXPECT_TRUE(Square("e4") >= Square("e4"));
}

}
