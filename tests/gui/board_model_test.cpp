#include "gui/board_geometry.h"
#include "gui/board_letters.h"
#include "gui/board_model.h"
#include "tests/support/start_position.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr int w = 70;
constexpr int h = 70;

class BoardModelTest : public testing::Test {
protected:
    BoardModelTest() { model.set_position(placement_letters(torvane_test::start_fen)); }

    BoardModel model;
};

TEST_F(BoardModelTest, ShowsTheCodesOfTheLettersOverTheSquareTextures)
{
    EXPECT_EQ(model.shown_code(4), 6);    // white king on e1
    EXPECT_EQ(model.shown_code(59), 12);  // black queen on d8
    EXPECT_EQ(model.shown_code(28), model.empty_code(28));
    EXPECT_EQ(model.empty_code(0), dark_square_code);
    EXPECT_EQ(model.empty_code(4), dark_square_code);
    EXPECT_EQ(model.empty_code(3), light_square_code);
    model.clear();
    for (int square = 0; square < 64; ++square)
        EXPECT_EQ(model.shown_code(square), model.empty_code(square));
}

TEST_F(BoardModelTest, DraggingAPieceMovesItWhereItIsDropped)
{
    model.press(12, 300, 480, w, h);  // e2
    EXPECT_TRUE(model.dragging());
    EXPECT_EQ(model.dragged_code(), 1);
    EXPECT_EQ(model.shown_code(12), model.empty_code(12));
    // The lifted piece is centred under the pointer from the press on.
    EXPECT_EQ(model.drag_x(), 300 - w / 2);
    EXPECT_EQ(model.drag_y(), 480 - h / 2);
    EXPECT_TRUE(model.motion(310, 330, w, h));
    EXPECT_EQ(model.drag_x(), 310 - w / 2);
    EXPECT_EQ(model.drag_y(), 330 - h / 2);

    EXPECT_EQ(model.release(36), std::make_pair(12, 36));  // e5: no rules here
    EXPECT_FALSE(model.dragging());
    EXPECT_EQ(model.shown_code(36), 1);
    EXPECT_EQ(model.shown_code(12), model.empty_code(12));
}

TEST_F(BoardModelTest, ClicksAndDropsOffTheSquaresMoveNoPiece)
{
    struct Case {
        int pressed;  // at (x, y)
        int x;
        int y;
        bool lifts;
        int released;
        std::pair<int, int> reported;
        int square;  // shows code afterwards
        int code;
    };
    for (const Case& c : {
             Case{28, 300, 300, false, 52, {52, 52}, 52, 8},  // on an empty square: a click on the release square
             Case{6, 450, 540, true, 6, {6, 6}, 6, 2},        // on one piece: it stays there
             Case{3, 240, 530, true, no_square, {3, no_square}, 3, 5},  // dropped off the squares: put back
             Case{no_square, 600, 600, false, no_square, {no_square, no_square}, 4, 6},  // off the squares
         }) {
        BoardModel board;
        board.set_position(placement_letters(torvane_test::start_fen));
        board.press(c.pressed, c.x, c.y, w, h);
        EXPECT_EQ(board.dragging(), c.lifts) << c.pressed;
        if (!c.lifts) {
            EXPECT_FALSE(board.motion(10, 10, w, h)) << c.pressed;
        }
        EXPECT_EQ(board.release(c.released), c.reported) << c.pressed;
        EXPECT_EQ(board.shown_code(c.square), c.code) << c.pressed;
        EXPECT_FALSE(board.dragging()) << c.pressed;
    }
}

TEST_F(BoardModelTest, UnknownLettersAreRejectedAfterTheSquaresBeforeThem)
{
    BoardLetters letters(64, empty_square_letter);
    letters[2] = 'K';
    letters[5] = 'x';
    letters[9] = 'q';
    try {
        model.set_position(letters);
        FAIL();
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Drawing::set_parent_window(Gtk::Window*)  unknown piece");
    }
    EXPECT_EQ(model.shown_code(2), 6);
    EXPECT_EQ(model.shown_code(9), model.empty_code(9));
    EXPECT_EQ(model.shown_code(4), model.empty_code(4));
}

TEST_F(BoardModelTest, SinglePiecesAreSetAndClearedOnSquaresOfTheBoardOnly)
{
    model.set_piece('q', 28);
    EXPECT_EQ(model.shown_code(28), 12);
    model.clear_square(28);
    EXPECT_EQ(model.shown_code(28), model.empty_code(28));
    EXPECT_THROW(model.set_piece('q', 64), std::logic_error);
    EXPECT_THROW(model.set_piece('q', -1), std::logic_error);
    EXPECT_THROW(model.clear_square(64), std::logic_error);
    EXPECT_THROW(model.set_piece('?', 10), std::logic_error);
}

}
