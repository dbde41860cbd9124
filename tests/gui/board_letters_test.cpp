#include "gui/board_letters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

namespace {

// Letters written rank by rank from a1 (left) to h8, as a reader of the
// board from White's side would list them bottom-up.
std::string letters_text(const BoardLetters& letters)
{
    return std::string(letters.begin(), letters.end());
}

std::string error_of(const std::string& fen)
{
    try {
        placement_letters(fen);
    } catch (const std::logic_error& error) {
        return error.what();
    }
    return "no error";
}

struct PlacementCase {
    const char* fen;
    const char* expected;  // a1..h1, a2..h2, ..., a8..h8
};

void PrintTo(const PlacementCase& c, std::ostream* out)
{
    *out << c.fen;
}

class PlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, LettersLandOnTheirSquares)
{
    EXPECT_EQ(letters_text(placement_letters(GetParam().fen)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PlacementTest,
    testing::Values(
        PlacementCase{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                      "RNBQKBNRPPPPPPPP????????????????????????????????pppppppprnbqkbnr"},
        PlacementCase{"8/8/8/8/8/8/8/8 w - - 0 1",
                      "????????????????????????????????????????????????????????????????"},
        // After 1.e4 c5: the pawns on e4 and c5, e2 and c7 empty.
        PlacementCase{"rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2",
                      "RNBQKBNRPPPP?PPP????????????P?????p?????????????pp?ppppprnbqkbnr"},
        // Leading blanks are skipped; the placement alone is enough.
        PlacementCase{"   4k3/8/8/8/8/8/8/4K3",
                      "????K???????????????????????????????????????????????????????k???"},
        // Missing ranks and squares stay empty.
        PlacementCase{"rnbqkbnr/pppppppp",
                      "????????????????????????????????????????????????pppppppprnbqkbnr"},
        PlacementCase{"8/8/8/8/8/8/8/K", "K???????????????????????????????????????????????????????????????"}));

TEST(PlacementErrorTest, UnknownCharacterNamesItsCodeInHexadecimal)
{
    EXPECT_EQ(error_of("8/8/9/8/8/8/8/8 w - - 0 1"),
              "ChessBoard::set_fen(8/8/9/8/8/8/8/8 w - - 0 1) \nunkown piece 0x39");
    EXPECT_EQ(error_of("8/8/0/8"), "ChessBoard::set_fen(8/8/0/8) \nunkown piece 0x30");
    EXPECT_EQ(error_of("8/x7"), "ChessBoard::set_fen(8/x7) \nunkown piece 0x78");
    // A byte above 127 is read as a negative 8-bit value.
    EXPECT_EQ(error_of("8/\xe9"), "ChessBoard::set_fen(8/\xe9) \nunkown piece 0xffffffe9");
}

TEST(PlacementErrorTest, PlacementsThatLeaveTheBoardAreSyntaxErrors)
{
    EXPECT_EQ(error_of("8/8/8/8/8/8/8/8/8"), "BoardPosition::fen(8/8/8/8/8/8/8/8/8)    syntax error");
    EXPECT_EQ(error_of("rnbqkbnrr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
              "BoardPosition::fen(rnbqkbnrr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1)    syntax error");
    EXPECT_EQ(error_of("8p"), "BoardPosition::fen(8p)    syntax error");
    // '/' goes back 16 squares however full the rank was: short ranks drift below a1.
    EXPECT_EQ(error_of("k/8/8/8/8/8/8/K"), "BoardPosition::fen(k/8/8/8/8/8/8/K)    syntax error");
    EXPECT_EQ(error_of("8/8/8/8/8/8/8/8/"), "BoardPosition::fen(8/8/8/8/8/8/8/8/)    syntax error");
    EXPECT_EQ(error_of("8/8888888"), "BoardPosition::fen(8/8888888)    syntax error");
}

TEST(PlacementErrorTest, AFullFirstRankMayEndPastTheLastSquare)
{
    EXPECT_EQ(placement_letters("8")[56], empty_square_letter);
    EXPECT_EQ(placement_letters("rnbqkbnr")[63], 'r');
}

}
