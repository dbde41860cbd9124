#include "window_test_fixture.h"

#include "gui/installed_list.h"
#include "gui/option_button.h"
#include "gui/options_dialog.h"
#include "manager/tournament.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"

#include <gtkmm/entry.h>
#include <gtkmm/grid.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/radiobutton.h>
#include <gtkmm/spinbutton.h>
#include <gtkmm/textview.h>
#include <gtkmm/treeview.h>

#include <fstream>
#include <sstream>

namespace window_test {
namespace {

using widget_test::find_all;

// The widget right of a label in a dialog's grid: an option's editor, an entry.
Gtk::Widget& beside(Gtk::Dialog& dialog, const std::string& label)
{
    for (Gtk::Grid* grid : find_all<Gtk::Grid>(dialog))
        for (Gtk::Label* shown : find_all<Gtk::Label>(*grid))
            if (shown->get_text() == label)
                return *grid->get_child_at(grid->child_property_left_attach(*shown) + 1,
                                           grid->child_property_top_attach(*shown));
    throw std::runtime_error("no label " + label);
}

void choose_radio(Gtk::Dialog& dialog, const std::string& label)
{
    for (Gtk::RadioButton* radio : find_all<Gtk::RadioButton>(dialog))
        if (radio->get_label() == label)
            radio->set_active(true);
}

class ModesTest : public LoggedWindowTest {
protected:
    // Engine > Load engine... with a program of /usr/games and a protocol
    // choice ("" closes the "Protocol" dialog); waits for the engine's name.
    void load_by_menu(const std::string& program, const std::string& protocol)
    {
        const std::size_t loads = count(log(), "-----> engine1name");
        answer_file_chooser(torvane_test::peer_program(program));
        answer_dialog("Protocol", [protocol](Gtk::Dialog& dialog) {
            choose_radio(dialog, protocol);
            if (protocol == "xboard v2")
                save_screenshot(dialog, "protocol_dialog");
            dialog.response(protocol.empty() ? Gtk::RESPONSE_DELETE_EVENT : 1);
        });
        activate("Engine1");
        if (!protocol.empty()) {
            ASSERT_TRUE(run_until([&] { return count(log(), "-----> engine1name") > loads; }, 30000)) << protocol;
        }
    }

    // Options > Time Control... : a kind and entry texts by entry (0 depth,
    // 1 nodes, 2 move time, 3 moves, 4 base, 5 increment, 6 and 7 the
    // sudden-death base and increment), then OK or Cancel.
    void time_control(const std::string& kind, const std::vector<std::pair<int, std::string>>& texts, bool ok = true)
    {
        answer_dialog("Time control", [=](Gtk::Dialog& dialog) {
            choose_radio(dialog, kind);
            const std::vector<Gtk::Entry*> entries = find_all<Gtk::Entry>(dialog);
            for (const auto& [index, text] : texts)
                entries.at(static_cast<std::size_t>(index))->set_text(text);
            if (kind == "sessions")
                save_screenshot(dialog, "time_control_dialog");
            dialog.response(ok ? Gtk::RESPONSE_OK : Gtk::RESPONSE_CANCEL);
        });
        activate("TimeControl");
    }

    // The "Learn Openings Hints" dialog answered with the boxes given ticked;
    // before is done first, while the dialog is open.
    void learn_openings(const std::vector<std::string>& ticked, int response, std::function<void()> before = {})
    {
        answer_dialog("Learn Openings Hints", [=](Gtk::Dialog& dialog) {
            if (before)
                before();
            for (Gtk::CheckButton* box : find_all<Gtk::CheckButton>(dialog))
                box->set_active(std::find(ticked.begin(), ticked.end(), box->get_label()) != ticked.end());
            if (response == 1 && ticked.size() == 2)
                save_screenshot(dialog, "learn_openings_hints");
            dialog.response(response);
        });
        activate("LearnOpenings");
    }

    // Tournament > Load with the first saved tournament of the list.
    void load_first_tournament()
    {
        answer_dialog("Load Tournament", [](Gtk::Dialog& dialog) {
            Gtk::TreeView& list = *find_all<Gtk::TreeView>(dialog).at(0);
            list.get_selection()->select(list.get_model()->children().begin());
            dialog.response(2);
        });
        activate("Load");
    }

    // Engine > Install engine... under a name.
    void install_as(const std::string& name)
    {
        answer_dialog("Install engine", [name](Gtk::Dialog& dialog) {
            dynamic_cast<Gtk::Entry&>(beside(dialog, "name: ")).set_text(name);
            dialog.response(Gtk::RESPONSE_OK);
        });
        activate("Install");
    }

    std::string engine_output()
    {
        std::string text;
        for (Gtk::TextView* pane : find_all<Gtk::TextView>(probe->analysis_window()))
            text += pane->get_buffer()->get_text();
        return text;
    }

    // The part of engine 1's log written from now on.
    std::function<std::string()> engine_log_from_now()
    {
        const std::size_t start = read_file("engine1.log").size();
        return [this, start] { return read_file("engine1.log").substr(start); };
    }
};

TEST_F(ModesTest, StockfishThroughTheEngineMenuOptionsInstallAndLoadInstalled)
{
    std::string primary;
    answer_message(primary);
    activate("Engine1_options");
    EXPECT_EQ(primary, "No engine found");
    answer_message(primary);
    activate("Install");
    EXPECT_EQ(primary, "No engine to install");

    const std::string stockfish = torvane_test::peer_program("stockfish");
    load_by_menu("stockfish", "");
    EXPECT_FALSE(contains(log(), "0 load "));
    load_by_menu("stockfish", "autodetect");
    EXPECT_EQ(probe->manager().get_engine_options().count("Hash"), 1u);
    // A new engine starts without pondering.
    activate("HumanComputer");
    activate("Ponder");
    load_by_menu("stockfish", "uci");
    EXPECT_FALSE(probe->active("Ponder"));
    std::string lines = log();
    EXPECT_LT(lines.find("--> 0 load 0 filename " + stockfish + "\n"), lines.find("--> 0 ponder on"));
    EXPECT_LT(lines.find("--> 0 load 1 filename " + stockfish + "\n"), lines.find("--> 0 ponder off"));

    // A changed spin and a pressed button reach the engine, in name order.
    answer_dialog("Set Options", [](Gtk::Dialog& dialog) {
        dynamic_cast<Gtk::SpinButton&>(beside(dialog, "Hash")).set_value(32);
        find_all<OptionButton>(dialog).at(0)->clicked();
        dialog.response(OptionsDialog::response_ok);
    });
    activate("Engine1_options");
    ASSERT_TRUE(run_until([this] { return contains(read_file("engine1.log"), "engine <- setoption name Hash value 32"); }));
    EXPECT_TRUE(contains(read_file("engine1.log"), "engine <- setoption name Clear Hash"));
    // Each change reaches the engine as its one line, and nothing else is resent.
    EXPECT_EQ(count(read_file("engine1.log"), "engine <- setoption"), 2u);
    lines = log();
    EXPECT_EQ(count(lines, "--> 0 setoption"), 2u);
    EXPECT_LT(lines.find("0 setoption name Clear Hash value \n"), lines.find("0 setoption name Hash value 32\n"));

    install_as("Fish Test");
    const std::string cfg = read_file("engines.cfg");
    EXPECT_TRUE(contains(cfg, "name Fish Test\nfilename " + stockfish + "\n")) << cfg;
    EXPECT_TRUE(contains(cfg, "setoption name Hash value 32\n")) << cfg;

    // Loaded again from the list, the engine gets its installed settings.
    const auto reloaded = engine_log_from_now();
    const std::size_t loads = count(log(), "-----> engine1name");
    answer_dialog("Choose Engine", [](Gtk::Dialog& dialog) {
        find_all<Gtk::TreeView>(dialog).at(0)->get_selection()->select(Gtk::TreePath("0"));
        dialog.response(InstalledList::load_response);
    });
    activate("LoadInstalled");
    EXPECT_TRUE(sent("load 0 name Fish Test\n"));
    ASSERT_TRUE(run_until([&] { return count(log(), "-----> engine1name") > loads; }, 30000));
    ASSERT_TRUE(run_until([&] { return contains(reloaded(), "engine <- setoption name Hash value 32"); }));

    // Debug wrote all three logs, each line time-stamped.
    EXPECT_TRUE(contains(read_file("manager.log"), "0 setoption name Hash value 32"));
    for (const char* file : {"interface.log", "manager.log", "engine1.log"})
        EXPECT_EQ(read_file(file).substr(5, 1), ".") << file;
}

TEST_F(ModesTest, StockfishAgainstTheUserWithEveryKindOfTimeControlAndInAnalysis)
{
    load_engine("load 1 filename " + torvane_test::peer_program("stockfish"));
    // Black to move: the engine gets White until Start thinking hands it Black.
    probe->set_position_from_line("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    activate("HumanComputer");
    EXPECT_EQ(probe->engine_sides(), std::make_pair(1u, 0u));
    time_control("fixed depth", {{0, "2"}});
    activate("StartThinking");
    EXPECT_EQ(probe->engine_sides(), std::make_pair(0u, 1u));
    ASSERT_TRUE(run_until([this] { return probe->plies() == 1; }, 20000));
    drag(6, 21);  // the user's Nf3
    ASSERT_TRUE(run_until([this] { return probe->plies() == 3; }, 20000)) << "stockfish did not answer the drag";

    // Each kind resets both clocks and reaches the engine's next search.
    const struct {
        const char* kind;
        std::vector<std::pair<int, std::string>> texts;
        const char* level;
        const char* clock;
        const char* search;
    } cases[] = {
        {"fixed depth", {{0, "3"}}, "fixed_depth 3", "5555:55", "go depth 3"},  // 2^30 ms, over the cap
        {"fixed nodes", {{1, "4000"}}, "fixed_nodes 4000", "5555:55", "go nodes 4000"},
        {"fixed movetime (ms)", {{2, "80"}}, "fixed_movetime 80", "5555:55", "go movetime 80"},
        {"sudden death", {{6, "0:04"}, {7, "0"}}, "sudden_death 0 0:4 0", "0:04", " winc 0 binc 0"},
        {"sessions", {{3, "30"}, {4, "0:06"}, {5, "0,25"}}, "sessions 30 0:6 0.25", "0:06", " winc 250 binc 250  movestogo "},
        {"sessions", {{3, "30"}, {4, "0:06"}, {5, "0.5"}}, "sessions 30 0:6 0.5", "0:06", " winc 500 binc 500  movestogo "},
    };
    const std::string named = log().substr(log().rfind("-----> engine1name ") + 19);
    const std::string engine = named.substr(0, named.find('\n'));
    for (const auto& c : cases) {
        time_control(c.kind, c.texts);
        EXPECT_EQ(probe->level(), c.level);
        EXPECT_EQ(probe->clock_texts()[1], c.clock) << c.level;
        EXPECT_EQ(probe->clock_texts()[3], c.clock) << c.level;
        const auto searches = engine_log_from_now();
        const int before = probe->plies();
        const bool engine_white = contains(probe->fen(), " w ");
        activate("StartThinking");
        ASSERT_TRUE(run_until([&] { return probe->plies() == before + 1; }, 20000)) << c.level;
        EXPECT_TRUE(contains(searches(), c.search)) << searches();
        // The side the engine took names it in the record and the title.
        EXPECT_EQ(window->get_title().raw(), engine_white ? engine + "  Human" : "Human  " + engine) << c.level;
    }
    // Cancel changes nothing: no level goes out, the clocks are not reset.
    const std::size_t levels = sent("level");
    time_control("fixed depth", {{0, "9"}}, false);
    EXPECT_EQ(probe->level(), "sessions 30 0:6 0.5");
    EXPECT_EQ(sent("level"), levels);

    activate("AnalyzePosition");
    EXPECT_FALSE(probe->action("StartThinking")->is_sensitive());
    EXPECT_FALSE(probe->action("Ponder")->is_sensitive());
    EXPECT_LT(log().rfind("--> 0 setboard " + probe->fen() + "\n"), log().rfind("--> 0 analyzeposition"));
    ASSERT_TRUE(run_until([this] { return contains(engine_output(), "depth "); }, 20000));
    // Start thinking belongs to Human - computer alone.
    activate("StartThinking");
    EXPECT_EQ(sent("go"), 7u);
    activate("HumanHuman");
}

TEST_F(ModesTest, LearnOpeningPractisesFromTheBoardsPositionWithBookHints)
{
    std::ofstream("games.pgn") << "[Result \"*\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n\n[Result \"*\"]\n\n1. e4 c5 2. Nf3 d6 *\n";
    torvane_test::run_command(torvane_test::peer_program("polyglot") +
                              " make-book -pgn games.pgn -bin book.bin -min-game 1 -uniform > /dev/null");
    send("polyglotbook " + directory + "/book.bin");
    widget_test::run_for(400);  // the board takes no input in its first half second
    drag(12, 28);
    ASSERT_EQ(probe->plies(), 1);

    // The practice restarts the record from the board, and the manager shows
    // Black's book replies to 1.e4 there.
    learn_openings({"hint white moves", "hint black moves"}, 1);
    EXPECT_TRUE(probe->game().is_empty());
    EXPECT_EQ(probe->game().get_tag("SetUp"), "1");
    EXPECT_EQ(probe->game().get_tag("FEN"), probe->fen());
    EXPECT_EQ(probe->engine_sides(), std::make_pair(0u, 0u));
    ASSERT_TRUE(run_until([this] { return contains(log(), "-----> set_arrow 52 36 b"); }));
    EXPECT_TRUE(contains(log(), "-----> set_arrow 50 34 b"));
    drag(52, 36);
    ASSERT_TRUE(run_until([this] { return contains(log(), "-----> set_arrow 6 21 b"); }));
    EXPECT_TRUE(contains(log(), "-----> set_arrow 52 36 g"));
    save_screenshot(*window, "learn_openings_hints_on_board");

    // A cancelled dialog hints nothing but stays in the mode.
    activate("HumanHuman");
    learn_openings({}, 0);
    EXPECT_TRUE(probe->active("LearnOpenings"));
    EXPECT_EQ(sent("learnopenings 0"), 2u);  // leaving, then the cancel

    // The manager ticks Human - human while the dialog is open: that mode stands.
    activate("HumanHuman");
    learn_openings({"hint black moves"}, 1, [this] {
        window->put_command("reset mode");
        run_until([this] { return probe->active("HumanHuman"); });
    });
    EXPECT_TRUE(probe->active("HumanHuman"));
    EXPECT_FALSE(contains(log(), "learnopenings 2"));
}

TEST_F(ModesTest, LearnOpeningTakesBackAMoveOutOfTheBookAndNeedsABook)
{
    widget_test::run_for(400);
    drag(12, 28);
    // Without a book the user is told before any hints are asked, and the
    // mode left stands untouched: the record stays, Setup still edits.
    std::string told;
    const auto tell = [this, &told](const char* screenshot) {
        told.clear();
        answer_dialog("Message:", [&told, screenshot](Gtk::Dialog& dialog) {
            told = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
            save_screenshot(dialog, screenshot);
            dialog.response(Gtk::RESPONSE_OK);
        });
    };
    EXPECT_EQ(probe->plies(), 1);
    for (const char* left : {"HumanHuman", "Setup"}) {
        activate(left);
        const std::size_t setboards = sent("setboard");
        tell("learn_openings_without_book");
        activate("LearnOpenings");
        ASSERT_TRUE(run_until([&] { return !told.empty() && probe->active(left); })) << left;
        widget_test::run_for(200);
        EXPECT_EQ(told, "No Polyglot book found") << left;
        EXPECT_TRUE(probe->active(left)) << left;
        EXPECT_EQ(sent("setboard"), setboards) << left;
        EXPECT_EQ(sent("learnopenings"), 0u) << left;
    }
    activate("HumanHuman");
    // Setup took the castling rights, which the book's keys hold.
    probe->set_position_from_line("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");

    std::ofstream("games.pgn") << "[Result \"*\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n";
    torvane_test::run_command(torvane_test::peer_program("polyglot") +
                              " make-book -pgn games.pgn -bin book.bin -min-game 1 -uniform > /dev/null");
    send("polyglotbook " + directory + "/book.bin");
    learn_openings({"hint white moves"}, 1);
    drag(52, 36);
    ASSERT_TRUE(run_until([this] { return contains(log(), "-----> set_arrow 52 36 g"); }));
    const std::string after_e5 = probe->fen();
    drag(8, 16);  // a3 is not in the book: refused and taken back
    ASSERT_TRUE(run_until([this] { return contains(log(), "-----> set_arrow 8 16 r"); }));
    ASSERT_TRUE(run_until([this] { return probe->plies() == 1; }));
    EXPECT_EQ(probe->fen(), after_e5);
    drag(6, 21);
    ASSERT_TRUE(run_until([this] { return contains(log(), "-----> set_arrow 6 21 g"); }));
    EXPECT_EQ(probe->plies(), 2);

    // A finished tournament is refused before the practice is left.
    Tournament done;
    done.set_event("Done");
    done.set_level("fixed_depth 4");
    done.set_iterations(1);
    done.add_participant(TournamentParticipant("One"));
    done.add_participant(TournamentParticipant("Two"));
    done.new_games();
    done.set_result("1-0");
    done.save();
    load_first_tournament();
    tell("tournament_finished_from_learn_opening");
    activate("Tournament");
    ASSERT_TRUE(run_until([&] { return !told.empty() && probe->active("LearnOpenings"); }));
    widget_test::run_for(200);
    EXPECT_EQ(told, "The tournament has no game left to play.");
    EXPECT_TRUE(probe->active("LearnOpenings"));
    EXPECT_EQ(sent("learnopenings 0"), 0u);
}

TEST_F(ModesTest, FairymaxByEveryXboardChoiceThenATournamentTheUserCannotDisturb)
{
    for (const char* protocol : {"xboard v1", "xboard v2", "autodetect"}) {
        load_by_menu("fairymax", protocol);
        // Only the version 2 handshake learns of fairymax's memory option.
        EXPECT_EQ(probe->manager().get_engine_options().count("xboard_memory"),
                  std::string(protocol) == "xboard v1" ? 0u : 1u)
            << protocol;
    }
    for (const std::string code : {"2", "3", "0"})
        EXPECT_TRUE(sent("load " + code + " filename " + torvane_test::peer_program("fairymax")));
    install_as("Fairy A");
    install_as("Fairy B");
    Tournament tournament;
    tournament.set_event("modes");
    tournament.set_type(TournamentType::match);
    tournament.set_level("fixed_depth 4");
    tournament.set_iterations(1);
    tournament.add_participant(TournamentParticipant("Fairy A"));
    tournament.add_participant(TournamentParticipant("Fairy B"));
    tournament.new_games();
    tournament.save();
    load_first_tournament();

    activate("Tournament");
    for (const char* greyed : {"Setup", "Engine1", "LoadInstalled", "New", "StartThinking"})
        EXPECT_FALSE(probe->action(greyed)->is_sensitive()) << greyed;
    EXPECT_FALSE(probe->fen_entry().is_sensitive());
    EXPECT_EQ(probe->engine_sides(), std::make_pair(1u, 1u));
    ASSERT_TRUE(run_until([this] { return probe->plies() >= 2; }, 20000));
    save_screenshot(*window, "tournament_game");
    drag(11, 27);
    drag(51, 35);
    EXPECT_FALSE(contains(log(), "usermove"));

    answer_dialog("Stop tournament", [](Gtk::Dialog& dialog) { dialog.response(Gtk::RESPONSE_YES); });
    // Leaving the game stops the tournament; the manager says how it goes on.
    std::string stopped;
    std::string how;
    answer_dialog("Message:", [&](Gtk::Dialog& dialog) {
        save_screenshot(dialog, "tournament_stopped");
        auto& box = dynamic_cast<Gtk::MessageDialog&>(dialog);
        stopped = box.property_text().get_value();
        how = box.property_secondary_text().get_value();
        dialog.response(Gtk::RESPONSE_OK);
    });
    activate("HumanHuman");
    ASSERT_TRUE(run_until([&] { return !stopped.empty(); }, 20000));
    EXPECT_EQ(stopped, "tournament stopped");
    EXPECT_NE(how.find("its unfinished game is played again when the tournament is resumed"), std::string::npos);
    // The user's time control comes back, and the manager, out of the
    // tournament first, takes it.
    EXPECT_EQ(probe->level(), "sessions 40 0:10 0.1");
    const std::string lines = log();
    const std::size_t level = lines.rfind("--> 0 level sessions 40 0:10 0.1");
    ASSERT_NE(level, std::string::npos);
    EXPECT_GT(lines.rfind("--> 0 human_human", level) + 1, lines.find("--> 0 start_tournament") + 1);
    for (const char* available : {"Setup", "Engine1", "LoadInstalled", "New"})
        EXPECT_TRUE(probe->action(available)->is_sensitive()) << available;
    EXPECT_TRUE(probe->fen_entry().is_sensitive());
}

// Which side's name is lit in the clock row: 'w', 'b', or '-' for neither.
char lit_side(Clocks& clocks)
{
    const auto shot = widget_test::screenshot(clocks);
    const std::vector<Gtk::Widget*> labels = clocks.get_children();
    const auto green = [&](std::size_t index) {
        int x = 0;
        int y = 0;
        labels.at(index)->translate_coordinates(clocks, 2, labels.at(index)->get_allocated_height() / 2, x, y);
        const widget_test::Colour colour = widget_test::pixel(shot, x, y);
        return colour.red == 0 && colour.green == 255 && colour.blue == 0;
    };
    return green(0) ? 'w' : green(2) ? 'b' : '-';
}

// A clock's "m:ss" or "h:mm:ss" in seconds.
int seconds(const std::string& shown)
{
    int total = 0;
    std::istringstream fields(shown);
    for (std::string field; std::getline(fields, field, ':');)
        total = total * 60 + std::stoi(field);
    return total;
}

TEST_F(ModesTest, ClocksCreditOnlyMovesAndEveryNewPositionStartsThemAfresh)
{
    apply({"engine1name Fake"});
    time_control("sudden death", {{6, "3"}, {7, "2"}});
    activate("HumanComputer");
    // Handing the move to the engine, twice, and positions set by the manager
    // are no moves: nobody gains the increment.
    // The clocks show what they hold at the next tick.
    const auto shown = [this](std::size_t index) {
        widget_test::run_for(120);
        return probe->clock_texts().at(index);
    };
    activate("StartThinking");
    activate("StartThinking");
    EXPECT_EQ(shown(3), "3:00");
    apply({"setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -",
           "diagram rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"});
    EXPECT_LE(seconds(shown(1)), 180);
    EXPECT_EQ(lit_side(probe->clocks()), 'b');

    std::ofstream("one.pgn") << "[Result \"*\"]\n\n1. e4 *\n";
    const struct {
        const char* source;
        std::function<void()> set_up;
        char lit;
    } positions[] = {
        {"FEN row", [this] { probe->set_position_from_line("4k3/8/8/8/8/8/8/4K2R w K - 0 1"); }, 'w'},
        {"game file",
         [this] {
             answer_file_chooser(directory + "/one.pgn");
             answer_list("Choose Game", 1);
             activate("LoadGame");
         },
         'b'},
        {"Setup left",
         [this] {
             activate("Setup");
             activate("HumanHuman");
         },
         'b'},
    };
    for (const auto& c : positions) {
        activate("HumanComputer");
        apply({"wtime 1234", "btime 5678"});
        c.set_up();
        EXPECT_EQ(shown(1), "3:00") << c.source;
        EXPECT_EQ(shown(3), "3:00") << c.source;
        EXPECT_EQ(lit_side(probe->clocks()), c.lit) << c.source;
    }
}

// A game saved while it is played reads as the one appended at its end: its
// players and time control are those of the mode it started in, until the
// manager names the side an engine takes.
TEST_F(ModesTest, AGameSavedWhilePlayedNamesItsPlayersAndTimeControl)
{
    apply({"engine1name Fake"});
    time_control("fixed depth", {{0, "5"}});
    const struct {
        const char* step;
        std::function<void()> act;
        const char* white;
        const char* black;
        bool timed;
    } steps[] = {
        {"Human - computer", [this] { activate("HumanComputer"); }, "Human", "Fake", true},
        {"Start thinking", [this] { activate("StartThinking"); }, "Fake", "Human", true},
        {"New game", [this] { activate("NewGame"); }, "Human", "Fake", true},
        {"names heard", [this] { apply({"whitename Other", "blackname Human", "move e2e4"}); }, "Other", "Human", true},
        {"FEN row", [this] { probe->set_position_from_line("4k3/8/8/8/8/8/8/4K2R w K - 0 1"); }, "Human", "Fake",
         true},
        {"Human - human", [this] { activate("HumanHuman"); }, "?", "?", false},
        {"New game from Human - human", [this] { activate("NewGame"); }, "Human", "Fake", true},
    };
    for (const auto& c : steps) {
        const std::size_t engine_games = sent("human_computer");
        c.act();
        // New game with an engine loaded starts one game against it.
        if (std::string(c.step).rfind("New game", 0) == 0) {
            EXPECT_EQ(sent("human_computer"), engine_games + 1);
        }
        const std::string path = directory + "/" + c.step + ".pgn";
        answer_file_chooser(path);
        activate("SaveGame");
        const std::string text = read_file(path);
        EXPECT_TRUE(contains(text, "[White \"" + std::string(c.white) + "\"]\n[Black \"" + c.black + "\"]"))
            << c.step << text;
        EXPECT_EQ(contains(text, "[TimeControl \"fixed_depth 5\"]"), c.timed) << c.step << text;
        EXPECT_EQ(contains(text, "[TimeControl"), c.timed) << c.step << text;
    }
}

TEST_F(ModesTest, AnIncrementThatIsNoNumberIsRefusedInWordsAndTheDialogStaysOpen)
{
    const std::string level = probe->level();
    const std::size_t levels = sent("level");
    std::string refusal;
    bool reopened = false;
    answer_dialog("Time control", [&](Gtk::Dialog& dialog) {
        find_all<Gtk::Entry>(dialog).at(5)->set_text("2.5.1");
        answer_dialog("Message:", [&](Gtk::Dialog& box) {
            refusal = dynamic_cast<Gtk::MessageDialog&>(box).property_text().get_value();
            answer_dialog("Time control", [&](Gtk::Dialog& again) {
                reopened = true;
                again.response(Gtk::RESPONSE_CANCEL);
            });
            box.response(Gtk::RESPONSE_OK);
        });
        dialog.response(Gtk::RESPONSE_OK);
    });
    activate("TimeControl");
    EXPECT_EQ(refusal, "Time control not changed");
    EXPECT_TRUE(reopened);
    EXPECT_EQ(probe->level(), level);
    EXPECT_EQ(sent("level"), levels);
}

class GermanModesTest : public GermanSession<ModesTest> {};

TEST_F(GermanModesTest, TheLevelLineToTheManagerWritesTheIncrementWithAPoint)
{
    time_control("sessions", {{5, "2.5"}});
    EXPECT_EQ(sent("level sessions 40 0:10 2.5\n"), 1u) << log();
}

TEST_F(ModesTest, OpeningSuiteButtonNamesTheSuiteAndACancelRemovesIt)
{
    const std::string path = directory + "/" + std::string(60, 'o') + ".epd";
    std::ofstream(path) << "4k3/8/8/8/8/8/8/4K3 w - -\n";
    answer_file_chooser(path);
    probe->book_button().clicked();
    EXPECT_EQ(probe->book_button().get_label(), std::string(50, 'o'));
    EXPECT_EQ(probe->tournament().get_openingbook(), path);
    EXPECT_TRUE(sent("book " + path + "\n"));

    answer_file_chooser("");
    probe->book_button().clicked();
    EXPECT_EQ(probe->book_button().get_label(), "");
    EXPECT_EQ(probe->tournament().get_openingbook(), "");
    EXPECT_TRUE(sent("book \n"));
}

}
}
