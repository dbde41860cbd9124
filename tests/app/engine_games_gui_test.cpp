#include "window_test_fixture.h"

#include "core/move_generator.h"
#include "core/move_list.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"

#include <gtkmm/messagedialog.h>

#include <algorithm>
#include <sstream>

namespace window_test {
namespace {

// King and queen against king: stockfish mates in a dozen moves or so.
const std::string queen_up = "8/8/8/4k3/8/8/8/3QK3 w - - 0 1";

class EngineGameTest : public WindowTest {
protected:
    void load_stockfish()
    {
        load_engine("load 0 filename " + torvane_test::peer_program("stockfish"));
        ASSERT_TRUE(contains(window->get_title(), "Stockfish")) << window->get_title();
        send("level fixed_movetime 50");
    }

    // The game file as pgn-extract reads it back, with the final position
    // as a comment; the peer's complaints go to the output too.
    std::string read_back(const std::string& file)
    {
        return torvane_test::run_command(torvane_test::peer_program("pgn-extract") + " --quiet -F \"" + file +
                                         "\" 2>&1");
    }

    // The manager's "telluser result:" box, answered when it comes.
    void answer_result_box()
    {
        answer_message(result_box);
    }

    std::string result_box;
};

TEST_F(EngineGameTest, StockfishPlaysBothSidesThroughGoAndTheGameIsAppendedOnce)
{
    load_stockfish();
    probe->set_position_from_line(queen_up);
    send("human_computer");
    answer_result_box();
    int applied = 0;
    for (int go = 0; go < 200 && probe->game().get_result() == "*"; ++go) {
        send("go");
        ASSERT_TRUE(run_until([&] { return probe->plies() > applied || probe->game().get_result() != "*"; }, 20000))
            << "no answer to go " << go;
        applied = probe->plies();
        // The window's position follows the record move by move.
        ChessGame copy = probe->game();
        copy.goto_end();
        ASSERT_EQ(copy.position().fen(), probe->fen());
    }
    ASSERT_NE(probe->game().get_result(), "*");
    ASSERT_TRUE(run_until([this] { return !result_box.empty(); }));
    EXPECT_EQ(result_box, "result:");
    save_screenshot(*window, "stockfish_game_end");

    EXPECT_GT(applied, 8);
    const std::string peer = read_back("Torvane battles.pgn");
    const std::string placement = probe->fen().substr(0, probe->fen().find(' '));
    EXPECT_NE(peer.find("\"" + placement + " "), std::string::npos) << peer;
    EXPECT_NE(peer.find("[FEN \"" + queen_up + "\"]"), std::string::npos) << peer;
    EXPECT_NE(peer.find("[Result \"" + probe->game().get_result() + "\"]"), std::string::npos);
    EXPECT_EQ(peer.find("[Event", peer.find("[Event") + 1), std::string::npos) << "one game only";
}

// The first legal move of the position, for the user's side of the game.
std::pair<int, int> some_move(const std::string& fen)
{
    ChessPosition position;
    position.set_fen(fen);
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    const Move move = moves.at(0);
    int to = static_cast<int>(move.to().value());
    if (move.kind() == castling)
        to = move.to().value() > move.from().value() ? static_cast<int>(move.from().value()) + 2
                                                     : static_cast<int>(move.from().value()) - 2;
    return {static_cast<int>(move.from().value()), to};
}

TEST_F(EngineGameTest, AGameAgainstStockfishPlayedByDragging)
{
    load_stockfish();
    activate("Debug");
    activate("HumanComputer");
    answer_result_box();
    widget_test::run_for(500);
    for (int move = 0; move < 6 && probe->game().get_result() == "*"; ++move) {
        const int before = probe->plies();
        const auto [from, to] = some_move(probe->fen());
        drag(from, to);
        ASSERT_TRUE(run_until([&] { return probe->plies() == before + 2 || probe->game().get_result() != "*"; }, 20000))
            << "the drag was not taken or stockfish did not answer";
        if (move == 2)
            save_screenshot(*window, "stockfish_drag_game");
    }
    EXPECT_NE(read_file("interface.log").find("--> 0 usermove"), std::string::npos);
    EXPECT_NE(read_file("interface.log").find("-----> move"), std::string::npos);
    EXPECT_EQ(window->get_title().rfind("Human  Stockfish", 0), 0u) << window->get_title();
}

// Stockfish in its Chess960 mode: the user's castling dragged toward the
// corner rook, then its own castling, reach it in a form it reads, so the
// game goes on with its answers legal in the window's position.
TEST_F(EngineGameTest, CastlingInChess960ModeKeepsTheGameGoing)
{
    load_stockfish();
    send("setoption name UCI_Chess960 value true");
    probe->set_position_from_line("r3kq1r/pp1bn3/2pbn3/3ppppp/4P3/1PP2PPN/PBBPQN1P/R3K2R w HAha - 0 11");
    activate("HumanComputer");
    send("level fixed_depth 3");
    answer_result_box();
    // Rh1-f1 draws Stockfish's long castling at depth 3; then the user's
    // own, then any move.
    for (const std::pair<int, int>& step : {std::pair{7, 5}, std::pair{4, 2}, std::pair{-1, -1}}) {
        const auto [from, to] = step.first < 0 ? some_move(probe->fen()) : step;
        const int before = probe->plies();
        drag(from, to);
        ASSERT_TRUE(run_until([&] { return probe->plies() == before + 2 || probe->game().get_result() != "*"; }, 20000));
        ASSERT_EQ(probe->game().get_result(), "*");
    }
    ChessGame game = probe->game();
    game.goto_end();
    const auto history = game.position().move_history();
    EXPECT_EQ(std::count_if(history.begin(), history.end(), [](const Move& move) { return move.kind() == castling; }), 2) << game.position().start_fen() << " " << game.position().moves_text();
}

// An engine reporting three lines per search, the line it plays first: each
// move of the record carries that line's score (from White's point of view).
TEST_F(EngineGameTest, WithSeveralLinesEachMoveCarriesTheScoreOfTheLinePlayed)
{
    FakeEngineMode legal("legal");
    load_engine("load 1 filename " + fake_engine("multipv"));
    send("human_computer");
    for (int ply = 1; ply <= 2; ++ply) {
        send("go");
        ASSERT_TRUE(run_until([&] { return probe->plies() == ply; }, 20000)) << "no answer to go " << ply;
    }
    std::vector<std::string> evals;
    const std::string pgn = probe->pgn();
    for (std::size_t at = pgn.find("[%eval "); at != std::string::npos; at = pgn.find("[%eval ", at + 1))
        evals.push_back(pgn.substr(at + 7, pgn.find(']', at) - at - 7));
    EXPECT_EQ(evals, (std::vector<std::string>{"0.12", "-0.12"})) << pgn;
}

// A move that reaches the manager while the engine thinks is refused, and the
// window says so.
TEST_F(EngineGameTest, AMoveWhileTheEngineThinksIsRefusedWithAMessage)
{
    load_engine("load 1 filename " + fake_engine("slow"));
    send("human_computer");
    send("go");
    send("usermove e2e4");
    std::string primary, secondary;
    answer_dialog("Message:", [&primary, &secondary](Gtk::Dialog& dialog) {
        auto& box = dynamic_cast<Gtk::MessageDialog&>(dialog);
        primary = box.property_text().get_value();
        secondary = box.property_secondary_text().get_value();
        save_screenshot(dialog, "usermove_refused");
        dialog.response(Gtk::RESPONSE_OK);
    });
    ASSERT_TRUE(run_until([&primary] { return !primary.empty(); }));
    EXPECT_EQ(primary + secondary, "usermove refused: engine1 is to move");
    // The engine has no move to give and loses.
    answer_result_box();
    ASSERT_TRUE(run_until([this] { return !result_box.empty(); }, 30000));
    EXPECT_EQ(result_box, "result:");
}

}
}
