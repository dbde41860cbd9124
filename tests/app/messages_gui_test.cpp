// What the window tells the user: message boxes in plain words, texts that
// are not UTF-8 shown with "?", one box for a burst of faulty manager lines,
// and an engine that cannot analyse turned away from Analysis.
#include "window_test_fixture.h"

#include "tests/gui/widget_test_support.h"

#include <gtkmm/messagedialog.h>

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

TEST_F(WindowTest, NamesThatAreNotUtf8ShowWithQuestionMarksInTheTitle)
{
    const struct {
        std::vector<std::string> lines;
        const char* title;
    } titles[] = {
        {{"engine1name Caf\xe9 1.0"}, "Caf? 1.0"},
        {{"whitename Jos\xe9", "blackname Ren\xe9"}, "Jos?  Ren?"},
    };
    for (const auto& c : titles) {
        apply(c.lines);
        EXPECT_EQ(window->get_title(), c.title);
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
