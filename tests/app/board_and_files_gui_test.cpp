#include "window_test_fixture.h"

#include "gui/piece_choice_event.h"
#include "gui/promo_choice_event.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"

#include <gtkmm/messagedialog.h>

#include <filesystem>
#include <fstream>

namespace window_test {
namespace {

void write_file(const std::string& name, const std::string& text)
{
    std::ofstream(name) << text;
}

class BoardTest : public LoggedWindowTest {
protected:
    void SetUp() override
    {
        LoggedWindowTest::SetUp();
        widget_test::run_for(400);  // the board takes no input in its first half second
    }

    // Answers the next chooser (a dialog without a title) by clicking one of
    // its cells with the real pointer, or closes it with column -1.
    template <class Grid>
    void click_chooser_cell(int column, int row, int columns, int rows, const char* screenshot = nullptr)
    {
        answer_dialog("", [=](Gtk::Dialog& dialog) {
            if (screenshot)
                save_screenshot(dialog, screenshot);
            if (column < 0) {
                dialog.response(Gtk::RESPONSE_DELETE_EVENT);
                return;
            }
            Grid& grid = *widget_test::find_all<Grid>(dialog).at(0);
            const int width = grid.get_allocated_width() / columns;
            const int height = grid.get_allocated_height() / rows;
            widget_test::move_pointer(grid, column * width + width / 2, row * height + height / 2);
            widget_test::send_press(grid);
        });
    }
};

TEST_F(BoardTest, DragsMakeLegalMovesAndAnIllegalDragIsRefused)
{
    drag(12, 28);  // e2-e4
    EXPECT_TRUE(sent("usermove e2e4"));
    EXPECT_EQ(probe->fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    EXPECT_NE(probe->pgn().find("1.e4"), std::string::npos);
    drag(51, 35);  // d7-d5
    drag(28, 44);  // e4-e6: refused, the board shows the position again
    EXPECT_EQ(probe->fen(), "rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2");
    EXPECT_FALSE(sent("usermove e4e6"));
    save_screenshot(*window, "board_after_drags");

    // An engine's side takes no drop.
    probe->set_engine_sides(1, 0);
    drag(28, 35);
    EXPECT_FALSE(sent("usermove e4d5"));
    probe->set_engine_sides(0, 0);

    probe->set_position_from_line("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    drag(4, 6);
    EXPECT_TRUE(sent("usermove e1g1"));
    EXPECT_EQ(probe->fen(), "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1");
    EXPECT_EQ(probe->game().get_tag("FEN"), "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
}

TEST_F(BoardTest, PromotionAsksForThePieceAndClosingTheChooserMovesNothing)
{
    probe->set_position_from_line("k7/4P3/8/8/8/8/8/4K3 w - - 0 1");
    click_chooser_cell<PromoChoiceEvent>(-1, 0, 2, 2);
    drag(52, 60);
    EXPECT_EQ(probe->fen(), "k7/4P3/8/8/8/8/8/4K3 w - - 0 1");
    click_chooser_cell<PromoChoiceEvent>(1, 1, 2, 2, "promotion_chooser");  // bottom right: knight
    drag(52, 60);
    EXPECT_TRUE(sent("usermove e7e8n"));
    EXPECT_EQ(probe->fen(), "k3N3/8/8/8/8/8/8/4K3 b - - 0 1");
    EXPECT_NE(probe->pgn().find("e8=N"), std::string::npos);
}

TEST_F(BoardTest, SetupEditsThePositionAndStartsAFreshRecord)
{
    drag(12, 28);
    activate("Setup");
    click(56);  // the black rook on a8 goes, and Black, who was to move, passes the move
    EXPECT_EQ(probe->fen(), "1nbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1");
    EXPECT_TRUE(sent("setboard 1nbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1"));
    EXPECT_TRUE(probe->game().is_empty());  // no old moves under the new FEN
    EXPECT_EQ(probe->game().get_tag("FEN"), probe->fen());
    drag(5, 60);  // a bishop onto the king: nothing moves
    EXPECT_EQ(probe->fen(), "1nbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b - - 0 1");  // the move passes

    // A seventeenth white piece is refused and reported.
    std::string told;
    click_chooser_cell<PieceChoiceEvent>(1, 1, 3, 4, "piece_chooser");  // the white queen
    answer_message(told);
    click(35);
    EXPECT_EQ(told, "Error");
    EXPECT_EQ(probe->fen(), "1nbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b - - 0 1");
    widget_test::run_for(500);  // input after the chooser waits half a second
    click_chooser_cell<PieceChoiceEvent>(1, 3, 3, 4);  // the black queen, which passes the move
    click(35);
    widget_test::run_for(500);
    EXPECT_EQ(probe->fen(), "1nbqkbnr/pppppppp/8/3q4/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1");
    save_screenshot(*window, "board_setup");
    activate("HumanHuman");
    EXPECT_EQ(probe->fen(), "1nbqkbnr/pppppppp/8/3q4/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1");
}

TEST_F(BoardTest, PositionFilesStepOverTheListedLinesAndSaveOneLine)
{
    write_file("set.epd", "4k3/8/8/8/8/8/8/4K3 w - - id \"one\";\n\n"
                          "4k3/8/8/8/8/8/8/3QK3 w - - id \"two\";\n"
                          "4k3/8/8/8/8/8/8/3RK3 b - - 4 9\n"
                          "4k3/8/8/8/8/8/8/3BK3 w - -\n"
                          "4k3/8/8/8/8/8/8/3NK3 w - -\n");
    answer_file_chooser(directory + "/set.epd");
    answer_list("Choose Position", 3);
    activate("LoadPosition");
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/3RK3 b - - 4 9");
    EXPECT_EQ(probe->game().get_tag("SetUp"), "1");
    activate("LoadNextPosition");
    activate("LoadNextPosition");
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/3NK3 w - - 0 1");
    activate("LoadNextPosition");  // at the last line: nothing
    EXPECT_EQ(probe->position_index(), 5);
    for (int i = 0; i < 6; ++i)
        activate("LoadPreviousPosition");
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(probe->position_index(), 1);

    // Cancelling the list loads nothing.
    answer_file_chooser(directory + "/set.epd");
    answer_list("Choose Position", 0);
    activate("LoadPosition");
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/4K3 w - - 0 1");

    for (int i = 0; i < 2; ++i) {
        answer_file_chooser(directory + "/saved.fen");
        // The second save asks before it replaces the first.
        if (i == 1)
            answer_dialog("", [](Gtk::Dialog& question) { question.response(Gtk::RESPONSE_ACCEPT); });
        activate("SavePosition");
    }
    EXPECT_EQ(read_file("saved.fen"), "4k3/8/8/8/8/8/8/4K3 w - - 0 1\n");

    // A line that the position refuses (no white king) is reported; nothing changes.
    write_file("bad.fen", "4k3/8/8/8/8/8/8/8 w - -\n");
    answer_file_chooser(directory + "/bad.fen");
    answer_list("Choose Position", 1);
    std::string told;
    answer_message(told);
    activate("LoadPosition");
    EXPECT_EQ(told, "Position not set up");
    EXPECT_EQ(probe->fen(), "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
}

TEST_F(BoardTest, GamesLoadFromAndAppendToPgnFiles)
{
    write_file("games.pgn",
               "[Event \"First\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n"
               "[Event \"Second\"]\n[White \"Zoë Ærø\"]\n[Black \"Łukasz Müller\"]\n[Result \"1/2-1/2\"]\n\n"
               "1. d4 {Queen's pawn [%eval 0.3]} (1. c4 c5) 1... d5 2. c4 $1 e6 {the last comment} 1/2-1/2\n\n");
    answer_file_chooser(directory + "/games.pgn");
    answer_list("Choose Game", 2);
    activate("LoadGame");
    EXPECT_EQ(window->get_title(), "Zoë Ærø  Łukasz Müller (no engine loaded)");
    EXPECT_EQ(probe->fen(), "rnbqkbnr/ppp2ppp/4p3/3p4/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 0 3");
    EXPECT_EQ(probe->comment_editor().get_comment(), "the last comment");
    const std::string pgn = probe->pgn();
    EXPECT_EQ(pgn.find("[%eval"), std::string::npos);
    EXPECT_NE(pgn.find("( 1.c4 c5)"), std::string::npos) << pgn;

    // Cancelling the list changes nothing.
    answer_file_chooser(directory + "/games.pgn");
    answer_list("Choose Game", 0);
    activate("LoadGame");
    EXPECT_EQ(probe->game().get_tag("Event"), "Second");

    for (int i = 0; i < 2; ++i) {
        answer_file_chooser(directory + "/out.pgn");
        activate("SaveGame");
        // The second copy is saved with a comment typed but not yet stored.
        probe->comment_editor().set_comment("edited");
    }
    // The peer reads both games back, variation and comments included.
    const std::string listed = torvane_test::run_command(torvane_test::peer_program("pgn-extract") +
                                                         " -s --quiet -Wsan out.pgn 2>&1");
    EXPECT_EQ(listed.find("[Event"), listed.find("[Event \"Second\"]"));
    EXPECT_NE(listed.find("[Event", listed.find("[Event") + 1), std::string::npos) << listed;
    EXPECT_NE(listed.find("Zoë Ærø"), std::string::npos);
    EXPECT_NE(listed.find("(1. c4 c5)"), std::string::npos) << listed;
    EXPECT_NE(listed.find("{ the last comment }"), std::string::npos) << listed;
    EXPECT_NE(listed.find("e6 { edited }"), std::string::npos) << listed;
}

}
}
