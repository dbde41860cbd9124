#include "window_test_fixture.h"

#include "gui/game_list_rows.h"
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

// Files made elsewhere: tags in any order, games without an Event tag, a
// damaged game among them. Each row loads its own game with all its tags;
// the damaged one is refused in words.
TEST_F(BoardTest, EveryGameOfAFileHasItsRowAndLoadsWholeFromIt)
{
    write_file("elsewhere.pgn", "[White \"Ann\"]\n[Black \"Bob\"]\n\n1. c4 *\n\n"
                                "[White \"Carlsen\"]\n[Black \"Grischuk\"]\n[Result \"1-0\"]\n[Event \"Linares\"]\n\n"
                                "1. e4 1-0\n\n[Event \"Damaged\"]\n\n1. d4 \xC3\xA9 d5 *\n\n");
    // None of the 2014 games of pgn-extract's ECO file has an Event tag.
    const std::string eco = "/usr/share/pgn-extract/eco.pgn";
    const std::string extract = torvane_test::peer_program("pgn-extract") + " -s --quiet ";
    const std::string peer_games = torvane_test::run_command(extract + eco);
    const std::string peer_game = torvane_test::run_command(extract + "--selectonly 1000 " + eco);
    const auto peer_tag = [&peer_game](const std::string& name) {
        const std::string opening = "[" + name + " \"";
        const auto start = peer_game.find(opening) + opening.size();
        return peer_game.substr(start, peer_game.find('"', start) - start);
    };
    EXPECT_EQ(read_game_list(eco, 5000).size(), count(peer_games, "[Event "));
    const struct {
        std::string path;
        int row;
        std::string tag;
        std::string value;
        std::string told = "";
    } loads[] = {
        {directory + "/elsewhere.pgn", 1, "Black", "Bob"},
        {directory + "/elsewhere.pgn", 2, "White", "Carlsen"},
        {directory + "/elsewhere.pgn", 3, "", "",
         "Game 3 of elsewhere.pgn cannot be read: a byte above 127 stands between the moves."},
        {eco, 1000, "Variation", peer_tag("Variation")},
    };
    for (const auto& load : loads) {
        std::string title;
        std::string told;
        if (!load.told.empty())
            answer_message(title, &told);
        answer_file_chooser(load.path);
        answer_list("Choose Game", load.row);
        activate("LoadGame");
        if (!load.told.empty()) {
            EXPECT_TRUE(run_until([&told] { return !told.empty(); })) << load.row;
            EXPECT_EQ(told.rfind(load.told, 0), 0u) << told;
            continue;
        }
        EXPECT_EQ(probe->game().get_tag(load.tag), load.value) << load.path << " " << load.row;
    }
    EXPECT_EQ(probe->game().get_tag("ECO"), peer_tag("ECO"));
    EXPECT_EQ(probe->game().get_tag("Opening"), peer_tag("Opening"));
}

}
}
