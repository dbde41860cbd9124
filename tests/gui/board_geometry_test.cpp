#include "gui/board_geometry.h"
#include "gui/drawing_piece_code.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(BoardSizeTest, SizesOutsideTheRangeBecome560OthersRoundDownToEight)
{
    struct Case {
        int requested;
        int size;
    };
    for (const Case& c : {Case{359, 560}, Case{1201, 560}, Case{600, 600}, Case{605, 600}, Case{360, 360},
                          Case{1200, 1200}, Case{367, 360}, Case{0, 560}, Case{-600, 560}}) {
        EXPECT_EQ(checked_board_size(c.requested), c.size) << c.requested;
    }
}

TEST(PointerSquareTest, PixelsMapToTheSquareUnderThem)
{
    struct Case {
        int x;
        int y;
        int square;
    };
    // 70-pixel squares: the bottom-left pixel is a1, the top-right h8.
    for (const Case& c : {Case{0, 559, 0}, Case{69, 490, 0}, Case{70, 490, 1}, Case{69, 489, 8},
                          Case{559, 0, 63}, Case{315, 455, 12}, Case{315, 315, 28}}) {
        EXPECT_EQ(display_square_at(c.x, c.y, 70, 70), c.square) << c.x << "," << c.y;
    }
}

TEST(PointerSquareTest, PositionsOffTheSquaresMapToNoSquare)
{
    // The strip right of and below the squares (an allocation of 565 pixels), and outside the widget.
    for (const auto& [x, y] : {std::pair{560, 10}, std::pair{10, 560}, std::pair{564, 564}, std::pair{-1, 10},
                               std::pair{10, -1}, std::pair{-400, -400}, std::pair{5000, 5000}}) {
        EXPECT_EQ(display_square_at(x, y, 70, 70), no_square) << x << "," << y;
    }
    EXPECT_EQ(display_square_at(10, 10, 0, 0), no_square);
}

TEST(OrientationTest, ATurnedBoardMirrorsSquaresButNotTheMissingOne)
{
    EXPECT_EQ(oriented_square(0, true), 63);
    EXPECT_EQ(oriented_square(55, true), 8);
    EXPECT_EQ(oriented_square(12, false), 12);
    EXPECT_EQ(oriented_square(no_square, true), no_square);
    EXPECT_EQ(oriented_square(oriented_square(37, true), true), 37);
}

TEST(PieceCodeTest, FenLettersGiveTheirImageIndex)
{
    const std::string letters = "PNBRQKpnbrqk";
    const int codes[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(piece_code(letters[i]), codes[i]) << letters[i];
        EXPECT_TRUE(is_piece_code(codes[i]));
        // The image of each code shows the piece of its letter.
        const std::string file = image_file_names[codes[i]];
        EXPECT_EQ(file.rfind(i < 6 ? "White" : "Black", 0), 0u) << file;
    }
    EXPECT_FALSE(is_piece_code(light_square_code));
    EXPECT_FALSE(is_piece_code(dark_square_code));
    EXPECT_FALSE(is_piece_code(14));
    EXPECT_STREQ(image_file_names[light_square_code], "wood_l.svg");
    EXPECT_STREQ(image_file_names[dark_square_code], "wood_d.svg");
}

TEST(PieceCodeTest, OtherLettersAreRejected)
{
    for (char letter : {'?', 'x', 'X', ' ', '1'}) {
        try {
            piece_code(letter);
            ADD_FAILURE() << letter;
        } catch (const std::logic_error& error) {
            EXPECT_STREQ(error.what(), "Drawing::set_parent_window(Gtk::Window*)  unknown piece");
        }
    }
}

TEST(PieceCodeTest, SquareColoursFollowTheRealBoard)
{
    // a1 and h8 are dark, h1 and a8 light, e4 light, d4 dark.
    EXPECT_EQ(empty_square_code(0), dark_square_code);
    EXPECT_EQ(empty_square_code(63), dark_square_code);
    EXPECT_EQ(empty_square_code(7), light_square_code);
    EXPECT_EQ(empty_square_code(56), light_square_code);
    EXPECT_EQ(empty_square_code(28), light_square_code);
    EXPECT_EQ(empty_square_code(27), dark_square_code);
}

}
