// The board on an X display: sizes, positions, turning, mouse input through
// the real pointer, arrows, and screenshots read back pixel by pixel.

#include "gui/board.h"
#include "gui/board_letters.h"
#include "gui/chess_board.h"
#include "gui/drawing.h"
#include "images_only_from_working_directory.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

using widget_test::Colour;

// A ChessBoard alone in a window, counting the releases it reports.
class ShownBoard {
public:
    explicit ShownBoard(int size) : m_chess_board(size)
    {
        m_window.add(m_chess_board);
        m_chess_board.m_move_signal.connect([this] {
            ++m_releases;
            m_last = m_chess_board.get_move();
        });
        widget_test::show_and_wait(m_window);
    }

    Gtk::Window& window() { return m_window; }
    ChessBoard& chess_board() { return m_chess_board; }
    Board& board() { return *dynamic_cast<Board*>(m_chess_board.get_child()); }
    Drawing& drawing() { return *dynamic_cast<Drawing*>(board().get_child()); }
    int releases() const { return m_releases; }
    std::pair<int, int> last() const { return m_last; }

    int square_size() { return drawing().get_allocated_width() / 8; }

    // The centre of a display square in the drawing's pixels.
    std::pair<int, int> centre(int display_square)
    {
        const int size = square_size();
        return {(display_square & 7) * size + size / 2, (7 - (display_square >> 3)) * size + size / 2};
    }

    void move_to(int x, int y)
    {
        widget_test::move_pointer(drawing(), x, y);
        widget_test::send_motion(board());
    }

    // Presses on one display square, moves over the squares between and releases on the other.
    void drag(int from, int to)
    {
        const auto [x_from, y_from] = centre(from);
        const auto [x_to, y_to] = centre(to);
        widget_test::move_pointer(drawing(), x_from, y_from);
        widget_test::send_press(board());
        for (int step = 1; step <= 4; ++step)
            move_to(x_from + (x_to - x_from) * step / 4, y_from + (y_to - y_from) * step / 4);
        widget_test::send_release(board());
        widget_test::run_for(100);
    }

    Glib::RefPtr<Gdk::Pixbuf> screenshot(const std::string& name)
    {
        Glib::RefPtr<Gdk::Pixbuf> shot = widget_test::screenshot(drawing());
        widget_test::save_png(shot, name);
        return shot;
    }

private:
    Gtk::Window m_window;
    ChessBoard m_chess_board;
    int m_releases = 0;
    std::pair<int, int> m_last{-1, -1};
};

using widget_test::expected_squares;
using widget_test::read_squares;

bool looks_green(const Colour& c)
{
    return c.green > 180 && c.red < 120 && c.blue < 120;
}

bool looks_red(const Colour& c)
{
    return c.red > 180 && c.green < 120 && c.blue < 120;
}

bool looks_blue(const Colour& c)
{
    return c.blue > 180 && c.red < 120 && c.green < 120;
}

class BoardWidgetTest : public testing::Test {
protected:
    void SetUp() override { widget_test::start_gtk(); }
};

TEST_F(BoardWidgetTest, SizesAreCheckedAndPositionsDrawnAtEverySize)
{
    struct Case {
        int requested;
        int size;
    };
    for (const Case& c : {Case{359, 560}, Case{1201, 560}, Case{605, 600}, Case{360, 360}, Case{1200, 1200}}) {
        ShownBoard shown(c.requested);
        shown.chess_board().set_fen(start);
        EXPECT_EQ(shown.drawing().get_allocated_width(), c.size) << c.requested;
        EXPECT_EQ(shown.drawing().get_allocated_height(), c.size) << c.requested;
        const auto shot = shown.screenshot("start_" + std::to_string(c.requested));
        EXPECT_EQ(read_squares(shot), expected_squares(start, false)) << c.requested;
        EXPECT_EQ(shown.drawing().square_width(), c.size / 8);
    }
}

TEST_F(BoardWidgetTest, ShowsAnyPlacementAndKeepsItOnABadOne)
{
    ShownBoard shown(480);
    const std::string middle_game = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8";
    for (const std::string& fen : {std::string("8/8/8/8/8/8/8/8 w - - 0 1"), middle_game}) {
        shown.chess_board().set_fen(fen);
        EXPECT_EQ(read_squares(shown.screenshot("placement")), expected_squares(fen, false)) << fen;
    }
    EXPECT_THROW(shown.chess_board().set_fen("8/8/8/9/8/8/8/8 w - - 0 1"), std::logic_error);
    EXPECT_THROW(shown.chess_board().set_fen("8/8/8/8/8/8/8/8/8 w - - 0 1"), std::logic_error);
    EXPECT_EQ(read_squares(shown.screenshot("kept")), expected_squares(middle_game, false));
}

TEST_F(BoardWidgetTest, ATurnedBoardShowsBlackAtTheBottom)
{
    ShownBoard shown(480);
    shown.chess_board().flip();
    shown.chess_board().set_fen(start);
    const std::string squares = read_squares(shown.screenshot("turned"));
    EXPECT_EQ(squares, expected_squares(start, true));
    EXPECT_EQ(squares.substr(0, 16), std::string(16, 'b'));
    shown.chess_board().flip();
    shown.chess_board().set_fen(start);
    EXPECT_EQ(read_squares(shown.screenshot("turned_back")), expected_squares(start, false));
}

TEST_F(BoardWidgetTest, DragsAndClicksReportBoardSquaresAndShowTheDroppedPiece)
{
    struct Case {
        bool turned;
        int from;  // display squares
        int to;
        std::pair<int, int> reported;  // board squares
        const char* shown;             // the placement then on screen, with its screenshot's name
        const char* shot;
    };
    ShownBoard shown(480);
    int releases = 0;
    for (const Case& c : {
             Case{false, 12, 28, {12, 28}, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "dragged_e2_e4"},
             Case{false, 28, 44, {44, 44}, nullptr, nullptr},  // from empty e4 to empty e6: a click on e6
             Case{false, 4, 4, {4, 4}, start, "clicked"},      // a click on the white king
             Case{true, 0, 8, {63, 55}, nullptr, nullptr},     // the black rook in the corner, one square up
         }) {
        if (c.turned)
            shown.chess_board().flip();
        shown.chess_board().set_fen(start);
        shown.drag(c.from, c.to);
        EXPECT_EQ(shown.releases(), ++releases);
        EXPECT_EQ(shown.last(), c.reported) << c.from << "-" << c.to;
        if (c.shown) {
            EXPECT_EQ(read_squares(shown.screenshot(c.shot)), expected_squares(c.shown, false)) << c.shot;
        }
    }
}

TEST_F(BoardWidgetTest, ThePieceFollowsThePointerWhileDragged)
{
    ShownBoard shown(480);
    shown.chess_board().set_fen(start);
    const auto [x, y] = shown.centre(1);  // b1
    widget_test::move_pointer(shown.drawing(), x, y);
    widget_test::send_press(shown.board());
    const auto [x_over, y_over] = shown.centre(35);  // over d5
    shown.move_to(x_over, y_over);
    const std::string squares = read_squares(shown.screenshot("dragging_knight"));
    EXPECT_EQ(squares[1], 'l');
    EXPECT_EQ(squares[35], 'w');
    widget_test::send_release(shown.board());
    EXPECT_EQ(shown.last(), std::make_pair(1, 35));
}

TEST_F(BoardWidgetTest, AReleaseOffTheBoardReportsNoSquareAndPutsThePieceBack)
{
    ShownBoard shown(480);
    shown.chess_board().set_fen(start);
    shown.drag(6, 21);  // a first move g1-f3 to compare with
    ASSERT_EQ(shown.releases(), 1);
    shown.chess_board().set_fen(start);

    const auto [x, y] = shown.centre(12);
    widget_test::move_pointer(shown.drawing(), x, y);
    widget_test::send_press(shown.board());
    shown.move_to(x, 480 + 40);  // below the board, outside the widget
    widget_test::send_release(shown.board());
    EXPECT_EQ(shown.releases(), 1);
    EXPECT_EQ(shown.chess_board().get_move(), std::make_pair(6, 21));
    EXPECT_EQ(read_squares(shown.screenshot("dropped_outside")), expected_squares(start, false));
}

TEST_F(BoardWidgetTest, ArrowsAreDrawnInTheirColoursAndDroppedByTurning)
{
    ShownBoard shown(480);
    shown.chess_board().add_arrow(12, 28, 1);  // e2-e4 green
    shown.chess_board().add_arrow(1, 18, 0);   // b1-c3 red
    shown.chess_board().add_arrow(15, 31, 2);  // h2-h4 blue
    shown.chess_board().add_arrow(64, 3, 0);   // no such square: ignored
    shown.chess_board().set_fen(start);
    auto shot = shown.screenshot("arrows");
    const auto [e3_x, e3_y] = shown.centre(20);
    const auto [c3_x, c3_y] = shown.centre(18);
    const auto [h3_x, h3_y] = shown.centre(23);
    EXPECT_TRUE(looks_green(widget_test::pixel(shot, e3_x, e3_y)));
    EXPECT_TRUE(looks_red(widget_test::pixel(shot, c3_x, c3_y)));
    EXPECT_TRUE(looks_blue(widget_test::pixel(shot, h3_x, h3_y)));

    // Turning drops them; new ones follow the turned board.
    shown.chess_board().flip();
    shown.chess_board().set_fen(start);
    shot = shown.screenshot("arrows_turned");
    EXPECT_FALSE(looks_green(widget_test::pixel(shot, e3_x, e3_y)));
    shown.chess_board().add_arrow(12, 28, 1);
    shown.chess_board().set_fen(start);
    shot = shown.screenshot("arrow_on_turned_board");
    const auto [turned_x, turned_y] = shown.centre(63 - 20);
    EXPECT_TRUE(looks_green(widget_test::pixel(shot, turned_x, turned_y)));

    shown.chess_board().clear_arrows();
    shown.chess_board().set_fen(start);
    shot = shown.screenshot("arrows_cleared");
    EXPECT_FALSE(looks_green(widget_test::pixel(shot, turned_x, turned_y)));
}

TEST_F(BoardWidgetTest, ArrowsKeepTheirSquaresWhenTheBoardIsResized)
{
    ShownBoard shown(400);
    shown.chess_board().add_arrow(12, 28, 1);
    shown.chess_board().set_fen(start);
    shown.window().resize(720, 720);
    widget_test::run_for(400);
    ASSERT_GT(shown.square_size(), 60);
    const auto shot = shown.screenshot("arrow_resized");
    // The arrow's foot covers the e2 pawn; every other square reads as before.
    std::string squares = read_squares(shot);
    std::string expected = expected_squares(start, false);
    squares.erase(12, 1);
    expected.erase(12, 1);
    EXPECT_EQ(squares, expected);
    const auto [x, y] = shown.centre(20);
    EXPECT_TRUE(looks_green(widget_test::pixel(shot, x, y)));
}

TEST_F(BoardWidgetTest, ImagesAreLoadedAtTheSquareSizeAndShared)
{
    ShownBoard shown(560);
    const auto images = shown.chess_board().get_images();
    ASSERT_EQ(images.size(), 14u);
    for (const auto& image : images) {
        EXPECT_EQ(image->get_width(), 70);
        EXPECT_EQ(image->get_height(), 70);
    }
    EXPECT_EQ(images[6], shown.chess_board().get_images()[6]);
}

TEST_F(BoardWidgetTest, WithoutImagesTheBoardSaysSoAndStillDraws)
{
    const std::filesystem::path here = std::filesystem::current_path();
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "torvane_no_images";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    const widget_test::ImagesOnlyFromWorkingDirectory search;
    testing::internal::CaptureStderr();
    auto shown = std::make_unique<ShownBoard>(400);
    const std::string errors = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(here);
    std::filesystem::remove_all(empty);

    EXPECT_NE(errors.find("problem\nprefix=\n"), std::string::npos) << errors;
    EXPECT_TRUE(shown->chess_board().get_images().empty());
    shown->chess_board().set_fen(start);
    // Plain light and dark squares, no pieces.
    EXPECT_EQ(read_squares(shown->screenshot("no_images")), expected_squares("8/8/8/8/8/8/8/8", false));
}

}
