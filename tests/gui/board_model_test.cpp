#include "gui/board_geometry.h"
#include "gui/board_letters.h"
#include "gui/board_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace {

const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int w = 70;
constexpr int h = 70;

class BoardModelTest : public testing::Test {
protected:
    BoardModelTest() { model.set_position(placement_letters(start)); }

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

TEST_F(BoardModelTest, APressOnAnEmptySquareIsAClickOnTheReleaseSquare)
{
    model.press(28, 300, 300, w, h);
    EXPECT_FALSE(model.dragging());
    EXPECT_FALSE(model.motion(10, 10, w, h));
    EXPECT_EQ(model.release(52), std::make_pair(52, 52));
    EXPECT_EQ(model.shown_code(52), 8);
}

TEST_F(BoardModelTest, APressAndReleaseOnOnePieceLeavesItThere)
{
    model.press(6, 450, 540, w, h);
    EXPECT_EQ(model.release(6), std::make_pair(6, 6));
    EXPECT_EQ(model.shown_code(6), 2);
}

TEST_F(BoardModelTest, ADropOffTheSquaresPutsThePieceBack)
{
    model.press(3, 240, 530, w, h);
    EXPECT_EQ(model.release(no_square), std::make_pair(3, no_square));
    EXPECT_EQ(model.shown_code(3), 5);
    EXPECT_FALSE(model.dragging());
    // Neither a press nor a release off the squares touches any square.
    model.press(no_square, 600, 600, w, h);
    EXPECT_FALSE(model.dragging());
    EXPECT_EQ(model.release(no_square), std::make_pair(no_square, no_square));
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
