// What the window tells the user: message boxes in plain words, texts that
// are not UTF-8 shown with "?", one box for a burst of faulty manager lines,
// and an engine that cannot analyse turned away from Analysis.
#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"

#include <gtkmm/messagedialog.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <glibmm/main.h>
#include <stdexcept>

namespace window_test {
namespace {

TEST_F(LoggedWindowTest, MessageBoxesSayInPlainWordsWhatFailed)
{
    std::ofstream("bad.pgn") << "[Event \"One\"]\n\n1. e4 e5 *\n\n[Event \"Two\"]\n\n1. e4 e5 2. Ke3 *\n\n";
    const struct {
        const char* name;
        std::function<void()> act;
        const char* title;
        const char* text;
    } boxes[] = {
        {"unreadable_game",
         [this] {
             answer_file_chooser(directory + "/bad.pgn");
             answer_list("Choose Game", 2);
             activate("LoadGame");
         },
         "Game not loaded", "Game 2 of bad.pgn cannot be read: 2. Ke3 is not a legal move."},
        {"game_not_saved",
         [this] {
             answer_file_chooser("/dev/full");
             activate("SaveGame");
         },
         "Game not saved", "Cannot add the game to /dev/full: no space left on device."},
        {"position_not_set_up",
         [this] {
             activate("ShowFEN");
             probe->fen_entry().set_text("8/8/8/8/8/8/8/8 w - -");
             widget_test::find_all<Gtk::Button>(probe->fen_entry()).at(0)->clicked();
         },
         "Position not set up", "This position cannot be set up"},
        // Names reach the user as they are: "_" stands for a blank only in
        // the title word of the manager's message, where "\_" is one.
        {"name_in_text", [this] { apply({"telluser Tournament_not_started \"a_b__c_\" is being played"}); },
         "Tournament not started", " \"a_b__c_\" is being played"},
        {"name_in_title", [this] { apply({"telluser /usr/my\\_engine_2 failed"}); }, "/usr/my_engine 2", " failed"},
        {"finished_game_not_appended",
         [this] {
             std::filesystem::create_directory("Torvane battles.pgn");
             apply({"move e2e4", "1-0 {White resigns}"});
         },
         "Game not saved", "The game could not be appended to \"Torvane battles.pgn\": is a directory."},
    };
    for (const auto& box : boxes) {
        std::string title;
        std::string text;
        answer_dialog("Message:", [&](Gtk::Dialog& dialog) {
            save_screenshot(dialog, std::string("message_") + box.name);
            title = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
            text = dynamic_cast<Gtk::MessageDialog&>(dialog).property_secondary_text().get_value();
            dialog.response(Gtk::RESPONSE_OK);
        });
        try {
            box.act();
        } catch (const std::exception& error) {
            ADD_FAILURE() << box.name << " let through " << error.what();
        }
        EXPECT_TRUE(run_until([&title] { return !title.empty(); })) << box.name;
        EXPECT_EQ(title, box.title) << box.name;
        EXPECT_EQ(text.rfind(box.text, 0), 0u) << box.name << ": " << text;
        EXPECT_FALSE(contains(text, "::") || contains(text, "  ")) << box.name << ": " << text;
    }
}

// The record's players: a mode names them on a record it started until its
// first move; a game loaded keeps its own, with their ratings and time
// control, whatever the mode, and so does an unnamed one. Afterwards only the
// manager's names of the sides rename them. The title names them (names
// that are not UTF-8 with "?"), or the engine loaded where they are unknown.
TEST_F(WindowTest, TheTitleNamesTheRecordsPlayers)
{
    const std::string tags = "[Event \"Club\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n[WhiteElo \"2100\"]\n[BlackElo \"2000\"]\n"
                             "[TimeControl \"40/5400\"]\n";
    std::ofstream("rated.pgn") << tags << "[Result \"*\"]\n\n1. e4 e5 *\n\n" << tags << "[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n"
                               << "[Event \"Club\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n\n1. d4 *\n";
    std::ofstream("one.fen") << "4k3/8/8/8/8/8/8/4K2R w K -\n";
    const auto load_game = [this](int row) {
        answer_file_chooser(directory + "/rated.pgn");
        answer_list("Choose Game", row);
        activate("LoadGame");
    };
    const std::string rated = "Ann/Bob/2100/2000/40/5400";
    const struct {
        const char* step;
        std::function<void()> act;
        const char* title;
        std::string players = "";
    } steps[] = {
        {"engine named", [this] { apply({"engine1name Caf\xe9 1.0"}); }, "Caf? 1.0"},
        {"against the engine", [this] { activate("HumanComputer"); }, "Human  Caf? 1.0"},
        {"new game", [this] { activate("NewGame"); }, "Human  Caf? 1.0"},
        {"two people", [this] { activate("HumanHuman"); }, "Caf? 1.0"},
        {"their moves", [this] { apply({"move e2e4", "move e7e5"}); }, "Caf? 1.0", "?/?///"},
        {"rated game loaded", [&] { load_game(1); }, "Ann  Bob", rated},
        {"Setup", [this] { activate("Setup"); }, "Ann  Bob", rated},
        {"Human - human", [this] { activate("HumanHuman"); }, "Ann  Bob", rated},
        {"Analysis", [this] { activate("AnalyzePosition"); }, "Ann  Bob", rated},
        {"Human - computer", [this] { activate("HumanComputer"); }, "Ann  Bob", rated},
        {"finished game, a move back", [&] {
             load_game(2);
             probe->navigation_button(1).clicked();
             activate("HumanComputer");
         }, "Ann  Bob", rated},
        {"another engine", [this] { apply({"engine1name Other"}); }, "Ann  Bob", rated},
        {"the engine takes White", [this] { apply({"whitename Other", "blackname Human"}); }, "Other  Human",
         "Other/Human///40/5400"},
        {"FEN row", [this] { probe->set_position_from_line("4k3/8/8/8/8/8/8/4K2R w K - 0 1"); }, "Other  Human"},
        {"unnamed game, Human - computer and back", [&] {
             load_game(3);
             activate("HumanComputer");
             activate("HumanHuman");
         }, "Other", "?/?///"},
        {"tournament players", [this] {
             probe->set_engine_sides(1, 1);
             apply({"whitename Jos\xe9", "blackname Ren\xe9", "level sessions 40 0:05 0", "move h1h2"});
         }, "Jos?  Ren?"},
        {"no engine", [this] { apply({"engine1name ???"}); }, "Jos?  Ren? (no engine loaded)"},
        // The names and the time control heard were for another game.
        {"the manager begins a tournament game", [this] { apply({"new"}); }, "Torvane (no engine loaded)", "?/?///"},
        {"new game without engine", [&] {
             load_game(1);
             activate("NewGame");
         }, "Torvane (no engine loaded)"},
        {"position loaded", [&] {
             load_game(1);
             answer_file_chooser(directory + "/one.fen");
             answer_list("Choose Position", 1);
             activate("LoadPosition");
         }, "Torvane (no engine loaded)"},
    };
    for (const auto& c : steps) {
        c.act();
        EXPECT_EQ(window->get_title().raw(), c.title) << c.step;
        const ChessGame& record = probe->game();
        if (!c.players.empty()) {
            EXPECT_EQ(record.get_tag("White") + "/" + record.get_tag("Black") + "/" + record.get_tag("WhiteElo") + "/" +
                          record.get_tag("BlackElo") + "/" + record.get_tag("TimeControl"),
                      c.players)
                << c.step;
        }
    }
}

// Analysis needs an engine with an infinite search: an xboard engine is
// turned away at once with a word to the user, whether Analysis is chosen
// with it or it is loaded while Analysis runs.
TEST_F(LoggedWindowTest, AnalysisTellsAtOnceWhenTheEngineCannotAnalyse)
{
    const struct {
        const char* load;
        int protocol;
        bool analyses;
        bool loaded_in_analysis;
    } engines[] = {
        {"load 3 filename ", 3, false, false},
        {"load 1 filename ", 1, true, false},
        {"load 3 filename ", 3, false, true},
    };
    for (const auto& engine : engines) {
        if (!engine.loaded_in_analysis)
            activate("HumanHuman");
        std::string told;
        std::string why;
        if (!engine.analyses)
            answer_dialog("Message:", [&](Gtk::Dialog& dialog) {
                save_screenshot(dialog, "message_no_analysis");
                told = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
                why = dynamic_cast<Gtk::MessageDialog&>(dialog).property_secondary_text().get_value();
                dialog.response(Gtk::RESPONSE_OK);
            });
        const std::size_t analyses_before = sent("analyzeposition");
        send(engine.load + fake_engine(""));
        const auto loaded = [this, &engine] {
            try {
                return probe->manager().get_enginevariables().get_protocol() == engine.protocol;
            } catch (const std::logic_error&) {
                return false;
            }
        };
        ASSERT_TRUE(run_until(loaded, 20000)) << engine.load;
        ASSERT_TRUE(run_until([this] { return probe->action("AnalyzePosition")->is_sensitive(); })) << engine.load;
        if (engine.loaded_in_analysis)
            ASSERT_TRUE(run_until([&] { return !told.empty(); }, 20000)) << engine.load;
        else
            activate("AnalyzePosition");
        EXPECT_EQ(probe->active("AnalyzePosition"), engine.analyses) << engine.load;
        EXPECT_EQ(sent("analyzeposition") > analyses_before, engine.analyses) << engine.load;
        EXPECT_EQ(contains(why, "needs a UCI engine"), !engine.analyses) << engine.load << why;
    }
}

// A window out of step with its manager: each faulty line is counted in the
// one box that is open, and Quit ends the window while they keep coming.
TEST_F(WindowTest, ABurstOfFaultyLinesGivesOneBoxAndQuitStillWorks)
{
    int opened = 0;
    int reading = 300;
    std::string counted;
    sigc::connection closer = Glib::signal_timeout().connect(
        [&] {
            for (Gtk::Window* shown : Gtk::Window::list_toplevels()) {
                auto* box = dynamic_cast<Gtk::MessageDialog*>(shown);
                if (box && box->get_mapped() && box->get_title() == "Message:") {
                    ++opened;
                    // The user reads the box for a while before closing it.
                    widget_test::run_for(reading);
                    counted = box->property_secondary_text().get_value();
                    save_screenshot(*box, "fault_box_" + std::to_string(opened));
                    box->response(Gtk::RESPONSE_OK);
                }
            }
            return true;
        },
        50);
    apply(std::vector<std::string>(30, "move e2e5"));
    widget_test::run_for(2000);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(contains(counted, "29 more messages")) << counted;

    // Faulty lines keep coming while the user, leaving the box open, quits.
    opened = 0;
    reading = 4000;
    int fed = 0;
    sigc::connection feeder = Glib::signal_timeout().connect(
        [this, &fed] {
            if (window)
                window->put_command("move e2e5");
            return ++fed < 10;
        },
        100);
    widget_test::run_for(500);
    EXPECT_TRUE(quit_within(8000));
    feeder.disconnect();
    closer.disconnect();
    EXPECT_LE(opened, 1);
}

}
}
