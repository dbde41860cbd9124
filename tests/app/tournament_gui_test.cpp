// The Tournament menu: a round robin of three Debian engines made in the
// tournament dialog and played to its end, then loaded, edited under a new
// name and deleted; and the faults the dialogs report instead of passing on.
#include "window_test_fixture.h"

#include "app/saved_tournaments.h"
#include "gui/delete_selection.h"
#include "manager/tournament.h"
#include "manager/tournament_lock.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/widget_test_support.h"
#include "tests/support/peer_programs.h"
#include "tests/support/start_position.h"
#include "tests/support/test_time.h"

#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/notebook.h>
#include <gtkmm/radiobutton.h>
#include <gtkmm/settings.h>
#include <gtkmm/spinbutton.h>
#include <gtkmm/treeview.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace window_test {
namespace {

using widget_test::find_all;
using Names = std::vector<std::string>;

// Every value of a PGN tag in a text, in order.
Names tag_values(const std::string& text, const std::string& tag)
{
    Names values;
    const std::string opening = "[" + tag + " \"";
    for (auto start = text.find(opening); start != std::string::npos; start = text.find(opening, start + 1)) {
        const auto from = start + opening.size();
        values.push_back(text.substr(from, text.find("\"]", from) - from));
    }
    return values;
}

// The results of a saved tournament's games, in schedule order.
Names saved_results(const std::string& name)
{
    Tournament saved;
    saved.load(name);
    Names results;
    for (const TournamentGame& game : saved.get_games())
        results.push_back(game.get_result());
    return results;
}

// What the test types into the tournament dialog; empty texts stay as shown.
struct Form {
    std::string event;
    std::string iterations;
    std::string type;
    std::string suite;          // chosen with the opening-suite button
    Names participants;         // moved from the installed engines, in order
    std::string movetime;       // "fixed movetime (ms)"
    std::string screenshots;    // name prefix of one screenshot per page
};

class TournamentTest : public LoggedWindowTest {
protected:
    bool exists(const std::string& name) const { return std::filesystem::exists("tournaments/" + name + ".trn"); }

    // Tournament > New / Edit / Reset filled from the form, answered with
    // the response; a refusal's message box is answered too (its text kept).
    void tournament_dialog(const Form& form, int response)
    {
        answer_dialog("Tournament", [this, form, response](Gtk::Dialog& dialog) {
            Gtk::Notebook& pages = *find_all<Gtk::Notebook>(dialog).at(0);
            Gtk::Widget& event_page = *pages.get_nth_page(0);
            const std::vector<Gtk::Entry*> fields = find_all<Gtk::Entry>(event_page);
            if (!form.event.empty())
                fields.at(0)->set_text(form.event);
            if (!form.iterations.empty())
                fields.at(2)->set_text(form.iterations);
            if (!form.type.empty())
                find_all<Gtk::ComboBoxText>(event_page).at(0)->set_active_text(form.type);
            if (!form.suite.empty()) {
                answer_file_chooser(form.suite);
                for (Gtk::Button* button : find_all<Gtk::Button>(event_page))
                    if (button->get_label() == "Select  PGN/EPD book")
                        button->clicked();
            }
            shot(dialog, form.screenshots, "event");
            pages.set_current_page(1);
            widget_test::run_for(200);
            for (const std::string& name : form.participants)
                move_to_participants(dialog, name);
            shot(dialog, form.screenshots, "participants");
            pages.set_current_page(2);
            if (!form.movetime.empty()) {
                for (Gtk::RadioButton* radio : find_all<Gtk::RadioButton>(*pages.get_nth_page(2)))
                    if (radio->get_label() == "fixed movetime (ms)")
                        radio->set_active(true);
                find_all<Gtk::Entry>(*pages.get_nth_page(2)).at(2)->set_text(form.movetime);
            }
            shot(dialog, form.screenshots, "time_control");
            dialog.response(response);
        });
        activate("New");
    }

    void shot(Gtk::Dialog& dialog, const std::string& prefix, const std::string& page)
    {
        if (!prefix.empty()) {
            widget_test::run_for(100);
            save_screenshot(dialog, prefix + "_" + page);
        }
    }

    // Clicks the engine's row on the left until the guard of the lists lets
    // the move through (it keeps each list's first move back).
    void move_to_participants(Gtk::Dialog& dialog, const std::string& name)
    {
        const std::vector<DeleteSelection*> lists = dialog_test::widgets_of<DeleteSelection>(dialog);
        for (int attempt = 0; attempt < 4; ++attempt) {
            const Names engines = lists.at(0)->get_entries();
            const auto row = std::find(engines.begin(), engines.end(), name);
            if (row == engines.end())
                return;
            widget_test::run_for(Gtk::Settings::get_default()->property_gtk_double_click_time() + 50);
            dialog_test::click_row(*dialog_test::widgets_of<Gtk::TreeView>(*lists.at(0)).at(0),
                                   static_cast<int>(row - engines.begin()));
        }
    }

    // OK on a dialog that refuses it: the refusal (a box of that title) is
    // answered, and the dialog, which stays open, is then cancelled. Returns
    // the refusal's text and whether the dialog came back; the secondary
    // text is kept when asked for.
    std::pair<std::string, bool> refused(const std::function<void(Gtk::Dialog&)>& fill, const std::string& title,
                                         Gtk::ResponseType answer, std::string* secondary = nullptr)
    {
        auto outcome = std::make_shared<std::pair<std::string, bool>>("", false);
        answer_dialog("Tournament", [this, fill, title, answer, outcome, secondary](Gtk::Dialog& dialog) {
            fill(dialog);
            answer_dialog(title, [this, answer, outcome, secondary](Gtk::Dialog& box) {
                outcome->first = dynamic_cast<Gtk::MessageDialog&>(box).property_text().get_value();
                if (secondary)
                    *secondary = dynamic_cast<Gtk::MessageDialog&>(box).property_secondary_text().get_value();
                answer_dialog("Tournament", [outcome](Gtk::Dialog& again) {
                    outcome->second = true;
                    again.response(0);
                });
                box.response(answer);
            });
            dialog.response(1);
        });
        activate("New");
        return *outcome;
    }

    // Tournament > Load answered with the response after selecting the
    // named row ("" selects none); the names listed are kept.
    void load_dialog(const std::string& name, int response, Names* listed = nullptr, const std::string& screenshot = "")
    {
        answer_dialog("Load Tournament", [=](Gtk::Dialog& dialog) {
            Gtk::TreeView& view = *find_all<Gtk::TreeView>(dialog).at(0);
            view.get_selection()->unselect_all();
            Names names;
            int index = 0;
            for (const Gtk::TreeRow& row : view.get_model()->children()) {
                std::string shown;
                row.get_value(1, shown);
                names.push_back(shown);
                if (shown == name)
                    view.get_selection()->select(row);
                ++index;
            }
            if (listed)
                *listed = names;
            if (!screenshot.empty())
                save_screenshot(dialog, screenshot);
            dialog.response(response);
        });
        activate("Load");
    }
};

TEST_F(TournamentTest, RoundRobinOfThreeEnginesMadePlayedLoadedEditedAndDeleted)
{
    std::ofstream("engines.cfg") << "name Stockfish\nfilename " << torvane_test::peer_program("stockfish")
                                 << "\nprotocol uci\n\nname Fairymax\nfilename "
                                 << torvane_test::peer_program("fairymax")
                                 << "\nprotocol xboard_v2\n\nname Sjeng\nfilename "
                                 << torvane_test::peer_program("sjeng") << "\nprotocol xboard_v2\n\n";
    // Openings that end soon: a mate in one for either side, and lone rooks
    // that are adjudicated drawn unless traded (kings off their squares, so
    // that no engine set up by "edit" thinks it may castle).
    const std::string suite = directory + "/endings.epd";
    std::ofstream(suite) << "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\nr5k1/5ppp/8/8/8/8/5PPP/6K1 b - -\n"
                            "6k1/r7/8/8/8/8/5R2/1K6 w - -\n";

    // Until Tournament is chosen, the user's games keep the user's event and time control.
    const std::string own_event = probe->event();
    const std::string own_level = probe->level();
    tournament_dialog({"Peers", "1", "roundrobin", suite, {"Stockfish", "Fairymax", "Sjeng"}, "50", "tournament"},
                      1);
    ASSERT_TRUE(exists("Peers"));
    EXPECT_EQ(probe->event(), own_event);
    EXPECT_EQ(probe->tournament().get_participant_names(), (Names{"Stockfish", "Fairymax", "Sjeng"}));
    EXPECT_EQ(probe->tournament().get_openingbook(), suite);
    EXPECT_EQ(probe->tournament().get_level(), "fixed_movetime 50");
    EXPECT_EQ(probe->level(), own_level);
    EXPECT_EQ(saved_results("Peers"), (Names{"*", "*", "*"}));
    EXPECT_EQ(sent("load_tournament Peers\n"), 1u);

    // Played to the end in tournament mode; Load is greyed meanwhile.
    std::string finished;
    answer_message(finished);
    // What would disturb the games is greyed while they are played.
    const char* const disturbing[] = {"Load",         "NewGame",          "LoadGame",
                                      "LoadPosition", "LoadNextPosition", "LoadPreviousPosition",
                                      "TimeControl",  "Engine1_options"};
    activate("Tournament");
    for (const char* action : disturbing)
        EXPECT_FALSE(probe->action(action)->is_sensitive()) << action;
    ASSERT_TRUE(run_until([this] { return probe->active("HumanHuman"); }, 60000)) << log();
    save_screenshot(*window, "tournament_finished");
    EXPECT_EQ(finished, "tournament finished");
    for (const char* action : disturbing)
        EXPECT_TRUE(probe->action(action)->is_sensitive()) << action;
    const Names results = saved_results("Peers");
    ASSERT_EQ(results.size(), 3u);
    for (const std::string& result : results)
        EXPECT_NE(result, "*");

    // Every game is in the event's file, as pgn-extract reads it.
    const std::string extracted =
        torvane_test::run_command(torvane_test::peer_program("pgn-extract") + " -s Peers.pgn 2>/dev/null");
    EXPECT_EQ(tag_values(extracted, "Event"), Names(3, "Peers")) << log();
    EXPECT_EQ(tag_values(extracted, "Result"), results);
    EXPECT_EQ(tag_values(extracted, "TimeControl"), Names(3, "fixed_movetime 50"));
    EXPECT_EQ(tag_values(extracted, "SetUp"), Names(3, "1"));

    // Loaded again: its results come back and the manager loads it too.
    Names listed;
    load_dialog("Peers", 2, &listed, "load_tournament");
    EXPECT_EQ(listed, Names{"Peers"});
    EXPECT_EQ(probe->tournament().get_games().size(), 3u);
    EXPECT_FALSE(probe->tournament().get_games().front().is_unplayed());
    EXPECT_EQ(sent("load_tournament Peers\n"), 2u);
    EXPECT_EQ(probe->event(), own_event);
    EXPECT_EQ(probe->level(), own_level);
    EXPECT_FALSE(probe->action("StartThinking")->is_sensitive());

    // Edited under a new name: a fresh schedule there, the results stay here.
    tournament_dialog({"Peers again", "", "", "", {}, "", ""}, 1);
    EXPECT_EQ(saved_results("Peers again"), (Names{"*", "*", "*"}));
    EXPECT_EQ(saved_results("Peers"), results);
    EXPECT_EQ(probe->event(), own_event);
    EXPECT_TRUE(log().find("--> 0 load_tournament Peers again\n") != std::string::npos);

    // Back to the old name: OK asks before the results go; "No" keeps them
    // and the dialog open.
    const auto [question, reopened] = refused(
        [](Gtk::Dialog& dialog) { find_all<Gtk::Entry>(dialog).at(0)->set_text("Peers"); }, "Replace tournament",
        Gtk::RESPONSE_NO);
    EXPECT_EQ(question, "\"Peers.trn\" holds the results of 3 games.");
    EXPECT_TRUE(reopened);
    EXPECT_EQ(saved_results("Peers"), results);
    EXPECT_EQ(probe->event(), own_event);

    // Deleted once confirmed: gone from the disk and from the list.
    answer_dialog("Delete tournament", [](Gtk::Dialog& box) { box.response(Gtk::RESPONSE_YES); });
    load_dialog("Peers again", 0);
    EXPECT_FALSE(exists("Peers again"));
    load_dialog("", 1, &listed);
    EXPECT_EQ(listed, Names{"Peers"});
    EXPECT_EQ(probe->event(), own_event);
}

// After a tournament the user's games are the user's again: the window's own
// event, site and round, players named by the mode, and the time control
// the user had, on the clocks and at the manager.
TEST_F(TournamentTest, TheUsersSettingsComeBackWhenATournamentEnds)
{
    const std::string stockfish = torvane_test::peer_program("stockfish");
    std::ofstream("engines.cfg") << "name One\nfilename " << stockfish << "\nprotocol uci\n\nname Two\nfilename "
                                 << stockfish << "\nprotocol uci\n\n";
    const std::string suite = directory + "/mate.epd";
    std::ofstream(suite) << "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\n";
    answer_dialog("Time control", [](Gtk::Dialog& dialog) {
        for (Gtk::RadioButton* radio : find_all<Gtk::RadioButton>(dialog))
            radio->set_active(radio->get_label() == "sudden death");
        find_all<Gtk::Entry>(dialog).at(6)->set_text("3");
        find_all<Gtk::Entry>(dialog).at(7)->set_text("2");
        dialog.response(Gtk::RESPONSE_OK);
    });
    activate("TimeControl");
    const std::string own = probe->level();
    tournament_dialog({"Duel", "1", "match", suite, {"One", "Two"}, "50", ""}, 1);
    std::string finished;
    answer_message(finished);
    activate("Tournament");
    ASSERT_TRUE(run_until([this] { return probe->active("HumanHuman"); }, 60000)) << log();
    ASSERT_TRUE(contains(read_file("Duel.pgn"), "[Round \"1\"]")) << read_file("Duel.pgn");

    EXPECT_EQ(probe->level(), own);
    const std::string finish = log().substr(log().rfind("-----> tournament_finished"));
    EXPECT_TRUE(contains(finish, "--> 0 level " + own + "\n"));
    widget_test::run_for(120);
    EXPECT_EQ(probe->clock_texts(), (Names{"White: ", "3:00", "Black: ", "3:00"}));
    save_screenshot(*window, "after_tournament");
    // The next game, against the engine left loaded.
    const std::string loaded = log().substr(log().rfind("-----> engine1name ") + 19);
    activate("NewGame");
    const std::pair<const char*, std::string> tags[] = {
        {"Event", "Torvane battles"}, {"Site", "the North Sea"},
        {"Round", "?"},               {"White", "Human"},
        {"Black", loaded.substr(0, loaded.find('\n'))}, {"TimeControl", own},
    };
    for (const auto& [tag, value] : tags)
        EXPECT_EQ(probe->game().get_tag(tag), value) << tag;
}

// A finished game's clocks stand still, and the book's hints go with Learn
// Opening.
TEST_F(TournamentTest, TheWindowKeepsToTheGameItShows)
{
    apply({"move e2e4"});
    apply({"1-0 {White wins}"});
    const std::vector<std::string> stopped = probe->clock_texts();
    widget_test::run_for(2200);
    EXPECT_EQ(probe->clock_texts(), stopped);

    const auto board_pixels = [this] {
        const Glib::RefPtr<Gdk::Pixbuf> shot = widget_test::screenshot(probe->board());
        return std::vector<guint8>(shot->get_pixels(), shot->get_pixels() + shot->get_byte_length());
    };
    const std::vector<guint8> plain = board_pixels();
    send("polyglotbook " + directory + "/book.bin");  // Learn Opening needs a book named
    answer_dialog("Learn Openings Hints", [](Gtk::Dialog& dialog) { dialog.response(0); });
    activate("LearnOpenings");
    apply({"set_arrow 12 28 g"});
    widget_test::run_for(200);
    EXPECT_NE(board_pixels(), plain);
    activate("HumanHuman");
    widget_test::run_for(200);
    EXPECT_EQ(board_pixels(), plain);
}

// A match of two fake engines (which never finish their first move while
// the mode "hold" is set) over the iterations given, from a suite or the
// start position; the first game has the second one, Two, White.
void save_held_tournament(const std::string& event, bool finished, int iterations = 1, const std::string& suite = "",
                          const std::pair<std::string, std::string>& programs = {fake_engine(""), fake_engine("")},
                          const std::string& second = "Two")
{
    std::ofstream("engines.cfg") << "name One\nfilename " << programs.first << "\nprotocol uci\n\nname " << second
                                 << "\nfilename " << programs.second << "\nprotocol uci\n\n";
    Tournament tournament;
    tournament.set_event(event);
    tournament.set_type(TournamentType::match);
    tournament.set_level("fixed_depth 4");
    tournament.set_iterations(iterations);
    tournament.set_openingbook(suite);
    tournament.add_participant(TournamentParticipant("One"));
    tournament.add_participant(TournamentParticipant(second));
    tournament.new_games();
    if (finished)
        tournament.set_result("1-0");
    tournament.save();
}

// Another program that plays the saved tournament of the working directory:
// tournament-runner, whose fake engines never finish their first move while
// the mode "hold" is set, until it is killed.
class RunnerPlaying {
public:
    explicit RunnerPlaying(const std::string& name) : m_pid(::fork())
    {
        if (m_pid == 0) {
            ::execl(TOURNAMENT_RUNNER, TOURNAMENT_RUNNER, name.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~RunnerPlaying()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    RunnerPlaying(const RunnerPlaying&) = delete;
    RunnerPlaying& operator=(const RunnerPlaying&) = delete;

private:
    pid_t m_pid;
};

// Every way out of a tournament game asks first: No changes nothing, Yes
// stops the tournament once and then does what the user chose; the game on
// the board is then the user's, still naming the engines that played it.
TEST_F(TournamentTest, LeavingATournamentGameAsksFirst)
{
    const FakeEngineMode searches_until_stopped("hold");
    save_held_tournament("Held", false);
    load_dialog("Held", 2);
    const struct {
        const char* way;
        bool yes;
        const char* mode_after;
        std::function<void()> act;
    } rows[] = {
        {"Human - human, no", false, "Tournament", [this] { activate("HumanHuman"); }},
        {"PGN press, no", false, "Tournament", [this] { probe->pgn_view().signal_move_selected.emit(0); }},
        {"Analysis, yes", true, "AnalyzePosition", [this] { activate("AnalyzePosition"); }},
        {"PGN press, yes", true, "HumanHuman", [this] { probe->pgn_view().signal_move_selected.emit(0); }},
        {"Human - computer, yes", true, "HumanComputer", [this] { activate("HumanComputer"); }},
    };
    for (const auto& row : rows) {
        if (!probe->active("Tournament")) {
            const std::size_t games = count(log(), "-----> round");
            activate("Tournament");
            ASSERT_TRUE(run_until([&] { return count(log(), "-----> round") > games; }, 20000)) << row.way;
            widget_test::run_for(300);
        }
        const std::size_t stops = sent("human_human");
        std::string question;
        answer_dialog("Stop tournament", [&question, row](Gtk::Dialog& dialog) {
            question = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
            if (row.yes)
                save_screenshot(dialog, "stop_tournament");
            dialog.response(row.yes ? Gtk::RESPONSE_YES : Gtk::RESPONSE_NO);
        });
        std::string stopped;
        if (row.yes)
            answer_message(stopped);
        row.act();
        ASSERT_TRUE(run_until([&] { return !question.empty() && probe->active(row.mode_after); })) << row.way;
        ASSERT_TRUE(!row.yes || run_until([&] { return !stopped.empty(); }, 20000)) << row.way;
        widget_test::run_for(200);
        EXPECT_EQ(question, "Stop the tournament?") << row.way;
        EXPECT_TRUE(probe->active(row.mode_after)) << row.way;
        EXPECT_EQ(sent("human_human") - stops, row.yes ? 1u : 0u) << row.way;
        const ChessGame& record = probe->game();
        EXPECT_EQ(record.get_tag("Event") + "/" + record.get_tag("Round"),
                  row.yes ? "Torvane battles/?" : "Held/1") << row.way;
        // The engines played the game under the tournament's time control.
        EXPECT_EQ(record.get_tag("White") + "/" + record.get_tag("Black"), "Two/One") << row.way;
        EXPECT_EQ(record.get_tag("TimeControl"), "fixed_depth 4") << row.way;
        EXPECT_EQ(probe->action("NewGame")->is_sensitive(), row.yes) << row.way;
        EXPECT_EQ(probe->fen_entry().is_sensitive(), row.yes) << row.way;
        if (!row.yes) {
            EXPECT_EQ(probe->engine_sides(), std::make_pair(1u, 1u)) << row.way;
        }
        if (row.mode_after == std::string("AnalyzePosition")) {
            EXPECT_LT(log().rfind("--> 0 human_human"), log().rfind("--> 0 analyzeposition"));
        }
    }
}

// The tournament finishes while the user is asked whether to stop it: the
// answer stops nothing, and the mode the user chose runs. Its one game is a
// mate at once by White, an engine whose installed name is not UTF-8.
TEST_F(TournamentTest, ATournamentThatFinishesWhileTheStopQuestionIsOpenLeavesForTheModeChosen)
{
    setenv("TORVANE_FAKE_MOVES", "a1a8", 1);
    std::ofstream("mate.epd") << "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - -\n";
    // An engine to analyse with, before the tournament's are loaded.
    load_engine("load 1 filename " + fake_engine(""));
    const std::string white = "Tw\xf6";
    for (const bool yes : {false, true}) {
        save_held_tournament("Mate", false, 1, directory + "/mate.epd", {fake_engine(""), fake_engine("")}, white);
        load_dialog("Mate", 2);
        std::string finished;
        answer_message(finished);
        // The question is answered once the tournament has finished under it.
        std::function<void(Gtk::Dialog&)> answer = [&](Gtk::Dialog& dialog) {
            if (finished.empty() || probe->tournament_running())
                answer_dialog("Stop tournament", answer);
            else
                dialog.response(yes ? Gtk::RESPONSE_YES : Gtk::RESPONSE_NO);
        };
        answer_dialog("Stop tournament", answer);
        const std::size_t stops = sent("human_human");
        activate("Tournament");
        activate("AnalyzePosition");
        ASSERT_TRUE(run_until([&] { return !finished.empty() && probe->waiting() == 0; }, 30000)) << yes;
        widget_test::run_for(300);
        EXPECT_EQ(finished, "tournament finished") << yes;
        EXPECT_TRUE(probe->active("AnalyzePosition")) << yes;
        EXPECT_FALSE(probe->active("Tournament")) << yes;
        EXPECT_TRUE(probe->action("NewGame")->is_sensitive()) << yes;
        EXPECT_EQ(sent("human_human"), stops) << yes;
        EXPECT_GT(log().rfind("--> 0 analyzeposition"), log().rfind("-----> tournament_finished")) << yes;
        EXPECT_EQ(window->get_title(), "Tw?  One") << yes;
        EXPECT_EQ(saved_results("Mate"), Names{"1-0"}) << yes;
        EXPECT_EQ(count(read_file("Mate.pgn"), "[Event \"Mate\"]"), yes ? 2u : 1u) << yes;
        activate("HumanHuman");
    }
    unsetenv("TORVANE_FAKE_MOVES");
}

// The user stops the tournament just as its game ends: the game on the board
// ends with the mate and the result the manager scored, as a tournament game,
// the manager is told the position, and the next game's lines, sent before
// the stop was handled, change nothing.
TEST_F(TournamentTest, AResultThatCrossesTheStopEndsTheGameAndTheNextGameChangesNothing)
{
    const FakeEngineMode searches_until_stopped("hold");
    const std::string own = probe->level();
    save_held_tournament("Held", false);
    load_dialog("Held", 2);
    activate("Tournament");
    ASSERT_TRUE(run_until([this] { return count(log(), "-----> round") > 0; }, 20000));
    widget_test::run_for(300);
    apply({"move f2f3", "move e7e5", "move g2g4"});
    const Names crossing = {"move d8h4", "emt 5", "0-1 {Black mates}", "new", "event Held", "round 2",
                            "whitename Two",     "blackname One", "level fixed_depth 4", "diagram " + torvane_test::start_fen,
                            "wtime 5000"};
    answer_dialog("Stop tournament", [&](Gtk::Dialog& dialog) {
        for (const std::string& line : crossing)
            window->put_command(line);
        dialog.response(Gtk::RESPONSE_YES);
    });
    std::string stopped;
    answer_message(stopped);
    activate("HumanHuman");
    ASSERT_TRUE(run_until([&] { return !stopped.empty() && probe->waiting() == 0 && probe->in_step(); }, 20000));
    widget_test::run_for(200);
    EXPECT_EQ(read_file(probe->event() + ".pgn"), "");
    EXPECT_EQ(probe->level(), own);
    EXPECT_EQ(log().substr(log().rfind("--> 0 level ") + 12, own.size() + 1), own + "\n");
    const ChessGame& record = probe->game();
    EXPECT_EQ(record.get_tag("Result") + " " + record.get_tag("Event") + " " + record.get_tag("Round"), "0-1 Held 1");
    EXPECT_TRUE(contains(probe->pgn(), "2.g4 Qh4# {[%time 5]} {Black mates} 0-1")) << probe->pgn();
    EXPECT_TRUE(contains(log(), "--> 0 setboard " + probe->fen()));
    EXPECT_NE(record.get_tag("White"), "?");
    drag(52, 36);
    EXPECT_TRUE(probe->game_finished());
    EXPECT_EQ(probe->plies(), 4);
}

// A tournament with no game left to play, finished, never made, or whose
// last game a crash left appended to its PGN file but unscored, or one that
// another program plays, is not started: the user is told, and the game on
// the board stays with its tags and the mode chosen before, also where the
// manager finds nothing to play after the window found a game.
TEST_F(TournamentTest, ChoosingATournamentWithNoGameLeftSaysSoAndChangesNothing)
{
    std::unique_ptr<RunnerPlaying> other_program;
    std::ofstream("candidates.pgn") << "[Event \"Candidates\"]\n[Site \"Toronto\"]\n[Round \"5\"]\n[Result \"*\"]\n\n1. e4 *\n";
    const std::string none = "No tournament loaded";
    const std::string none_why = "Make a tournament with Tournament > New / Edit / Reset, or load one.";
    const std::string played = "The tournament has no game left to play.";
    const std::string not_started = "Tournament not started";
    const struct {
        const char* tournament;
        std::function<void()> make;
        const std::string& told;
        std::string why;
        bool started = false;
    } rows[] = {
        {"none made", [] {}, none, none_why},
        {"finished", [this] {
             save_held_tournament("Done", true);
             load_dialog("Done", 2);
         }, played, "Every game of \"Done\" has been played. Make or load another tournament."},
        {"last game appended", [this] {
             save_held_tournament("Crashed", false);
             std::ofstream("Crashed.pgn") << "[Event \"Crashed\"]\n[Site \"?\"]\n[Date \"2026.12.09\"]\n[Round \"1\"]\n"
                                             "[White \"Two\"]\n[Black \"One\"]\n[Result \"1-0\"]\n\n1. e4 1-0\n\n";
             load_dialog("Crashed", 2);
         }, played, "Every game of \"Crashed\" has been played. Make or load another tournament."},
        {"played by another program", [&] {
             save_held_tournament("Busy", false);
             load_dialog("Busy", 2);
             const FakeEngineMode searches_until_stopped("hold");
             other_program = std::make_unique<RunnerPlaying>("Busy");
             ASSERT_TRUE(run_until([&] { return TournamentLock::held_elsewhere(directory + "/tournaments/Busy.trn"); }));
         }, not_started,
         "\"Busy\" is being played by another program. Nothing was played; start it again once that program has "
         "stopped."},
        // The manager was told of a tournament that is gone by the time it starts.
        {"gone for the manager", [this] {
             save_held_tournament("Open", false);
             load_dialog("Open", 2);
             std::string gone;
             answer_message(gone);
             send("load_tournament Gone");
             ASSERT_TRUE(run_until([&] { return !gone.empty(); }));
         }, none, " " + none_why, true},
    };
    for (const auto& row : rows) {
        row.make();
        answer_file_chooser(directory + "/candidates.pgn");
        answer_list("Choose Game", 1);
        activate("LoadGame");
        std::string told;
        std::string why;
        answer_dialog("Message:", [&](Gtk::Dialog& dialog) {
            told = dynamic_cast<Gtk::MessageDialog&>(dialog).property_text().get_value();
            why = dynamic_cast<Gtk::MessageDialog&>(dialog).property_secondary_text().get_value();
            save_screenshot(dialog, "tournament_has_no_game_left");
            dialog.response(Gtk::RESPONSE_OK);
        });
        const std::size_t starts = sent("start_tournament");
        activate("Tournament");
        ASSERT_TRUE(run_until([&] { return !told.empty() && probe->active("HumanHuman"); })) << row.tournament;
        widget_test::run_for(300);
        EXPECT_EQ(told, row.told) << row.tournament;
        EXPECT_EQ(why, row.why) << row.tournament;
        EXPECT_EQ(probe->plies(), 1) << row.tournament;
        const ChessGame& record = probe->game();
        EXPECT_EQ(record.get_tag("Event") + "/" + record.get_tag("Site") + "/" + record.get_tag("Round"),
                  "Candidates/Toronto/5") << row.tournament;
        EXPECT_EQ(sent("start_tournament") - starts, row.started ? 1u : 0u) << row.tournament;
        EXPECT_TRUE(probe->fen_entry().is_sensitive()) << row.tournament;
        EXPECT_TRUE(probe->action("NewGame")->is_sensitive()) << row.tournament;
    }
    // The file decides for the manager as for the window: "Done", finished
    // when the manager loaded it, is unplayed again on the disk, and is played.
    save_held_tournament("Done", false);
    load_dialog("Done", 2);
    std::string finished;
    answer_message(finished);
    activate("Tournament");
    ASSERT_TRUE(run_until([&] { return !finished.empty() && probe->active("HumanHuman"); }, 30000));
    EXPECT_EQ(finished, "tournament finished");
    EXPECT_NE(saved_results("Done"), Names{"*"});
}

// Another program plays the tournament: New under its name, Edit, Reset
// (OK on it unchanged) and DELETE are refused in words and write nothing.
// Once it has stopped, the change is made, and the window, which held the
// tournament only for that moment, leaves it to the next program.
TEST_F(TournamentTest, AChangeToATournamentThatAnotherProgramPlaysIsRefused)
{
    const FakeEngineMode searches_until_stopped("hold");
    save_held_tournament("Busy", false, 6);
    load_dialog("Busy", 2);
    const std::string lock = directory + "/tournaments/Busy.trn";
    auto other_program = std::make_unique<RunnerPlaying>("Busy");
    const auto bound = [](int plain) {
        return static_cast<int>(torvane_test::scaled(std::chrono::milliseconds(plain)).count());
    };
    ASSERT_TRUE(run_until([&] { return TournamentLock::held_elsewhere(lock); }, bound(10000)));
    // The runner's save before its first game is on the disk.
    widget_test::run_for(bound(500));
    const std::string before = read_file("tournaments/Busy.trn");
    const std::string why_not = "\"Busy\" is being played by another program. Nothing was saved. Try again once "
                                "that program has stopped.";
    const auto entry = [](int field, const std::string& text) {
        return [field, text](Gtk::Dialog& dialog) { find_all<Gtk::Entry>(dialog).at(field)->set_text(text); };
    };
    const struct {
        const char* change;
        std::function<void(Gtk::Dialog&)> fill;
    } rows[] = {
        {"new under its name", entry(0, "Busy")},
        {"edit", entry(2, "2")},
        {"reset", [](Gtk::Dialog&) {}},
    };
    for (const auto& row : rows) {
        std::string why;
        const auto [shown, reopened] = refused(row.fill, "Message:", Gtk::RESPONSE_OK, &why);
        EXPECT_EQ(shown, "Tournament not saved") << row.change;
        EXPECT_EQ(why, why_not) << row.change;
        EXPECT_TRUE(reopened) << row.change;
        EXPECT_EQ(read_file("tournaments/Busy.trn"), before) << row.change;
    }
    std::string shown;
    std::string why;
    answer_message(shown, &why);
    load_dialog("Busy", 0);
    EXPECT_EQ(shown, "Tournament not deleted");
    EXPECT_EQ(why, "\"Busy\" is being played by another program. Nothing was deleted. Try again once that program "
                   "has stopped.");
    EXPECT_EQ(read_file("tournaments/Busy.trn"), before);
    EXPECT_EQ(sent("load_tournament Busy\n"), 1u);

    other_program.reset();
    tournament_dialog({"", "2", "", "", {}, "", ""}, 1);
    EXPECT_EQ(saved_results("Busy"), (Names{"*", "*"}));
    other_program = std::make_unique<RunnerPlaying>("Busy");
    EXPECT_TRUE(run_until([&] { return TournamentLock::held_elsewhere(lock); }, bound(10000)));
}

// Games lost at their first move, by an engine that answers without one:
// the tournament's file has them, and each game that its ".trn" scores once.
TEST_F(TournamentTest, GamesLostAtTheFirstMoveAreInTheTournamentsFile)
{
    save_held_tournament("Null", false, 2, "", {fake_engine("null_move"), fake_engine("legal")});
    load_dialog("Null", 2);
    std::string finished;
    answer_message(finished);
    activate("Tournament");
    ASSERT_TRUE(run_until([&] { return !finished.empty() && probe->active("HumanHuman"); }, 60000)) << log();
    const std::string extracted =
        torvane_test::run_command(torvane_test::peer_program("pgn-extract") + " -s -w100000 Null.pgn 2>/dev/null");
    EXPECT_EQ(tag_values(extracted, "Result"), saved_results("Null"));
    EXPECT_EQ(saved_results("Null"), (Names{"1-0", "0-1"}));
    EXPECT_EQ(count(extracted, "{ illegal move: 0000 }"), 2u) << extracted;
    EXPECT_EQ(read_file("Torvane battles.pgn"), "");
}

class GermanTournamentTest : public GermanSession<TournamentTest> {};

TEST_F(GermanTournamentTest, TheTournamentsFileWritesTheIncrementWithAPoint)
{
    std::ofstream("engines.cfg") << "name One\nfilename /bin/true\nprotocol uci\n\n"
                                    "name Two\nfilename /bin/true\nprotocol uci\n\n";
    tournament_dialog({"Comma", "1", "match", "", {"One", "Two"}, "", ""}, 1);
    EXPECT_TRUE(contains(read_file("tournaments/Comma.trn"), "\nlevel sessions 40 0:10 0.1\n"))
        << read_file("tournaments/Comma.trn");
}

TEST_F(TournamentTest, FaultsAreShownAndChangeNothing)
{
    std::ofstream("engines.cfg") << "name One\nfilename /bin/true\nprotocol uci\n\n"
                                    "name Two\nfilename /bin/true\nprotocol uci\n\n";
    const std::string event = probe->event();
    // Event names that cannot name a file keep the dialog open: a lock file
    // of an event of more than 245 bytes would have too long a name.
    std::string long_letters;
    for (int i = 0; i < 123; ++i)
        long_letters += "\u00e9";
    for (const std::string& name : {std::string(), std::string("a/b"), std::string(".hidden"), std::string("  "),
                                   std::string(246, 'x'), long_letters}) {
        const auto [text, reopened] = refused(
            [name](Gtk::Dialog& dialog) { find_all<Gtk::Entry>(dialog).at(0)->set_text(name); }, "Message:",
            Gtk::RESPONSE_OK);
        EXPECT_EQ(text, "Tournament not saved") << name;
        EXPECT_TRUE(reopened) << name;
    }
    EXPECT_TRUE(saved_tournament_names("tournaments/").empty());

    // Too few participants, or a round robin of no cycles: shown, nothing
    // saved, the event stays, Human - human. The participants a dialog
    // stored stay for the next one.
    const struct {
        Form form;
        const char* error;
    } unsaved[] = {
        {{"Solo", "1", "match", "", {"One"}, "", ""}, "A match needs at least two participants."},
        {{"Empty", "0", "roundrobin", "", {"Two"}, "", ""}, "has no games"},
    };
    for (const auto& c : unsaved) {
        std::string shown;
        std::string why;
        answer_message(shown, &why);
        activate("Setup");
        testing::internal::CaptureStderr();
        tournament_dialog(c.form, 1);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(shown, "Tournament not saved");
        EXPECT_NE(why.find(c.error), std::string::npos) << why;
        EXPECT_EQ(errors.rfind("Interface::store_tournament() failed\n", 0), 0u) << errors;
        EXPECT_FALSE(exists(c.form.event));
        EXPECT_EQ(probe->event(), event);
        EXPECT_TRUE(probe->active("HumanHuman"));
    }

    // Iterations are read up to the first character that is no digit; a text
    // without a number keeps them; CANCEL stores nothing; one parallel game.
    const struct {
        const char* text;
        int response;
        std::int32_t stored;
    } iterations[] = {{"12abc", 1, 12}, {" 7", 1, 7}, {"abc", 1, 7}, {"99", 0, 7}};
    for (const auto& c : iterations) {
        tournament_dialog({"Iter", c.text, "match", "", {}, "", ""}, c.response);
        EXPECT_EQ(probe->tournament().get_iterations(), c.stored) << c.text;
        EXPECT_EQ(probe->tournament().get_parallelgames(), 1);
    }
    EXPECT_EQ(probe->event(), event);
    EXPECT_EQ(sent("load_tournament Iter\n"), 3u);
    // Blanks at either end name no file: the tournament is saved and loaded
    // without them, as the runner and the manager take its name.
    tournament_dialog({" Trim\t ", "", "", "", {}, "", ""}, 1);
    EXPECT_TRUE(exists("Trim"));
    EXPECT_EQ(sent("load_tournament Trim\n"), 1u);

    // A file that cannot be written over: asked first (it cannot be read),
    // then the failed save is shown and the event stays.
    std::filesystem::create_directories("tournaments/Blocked.trn/inside");
    std::string shown;
    std::string refusal;
    answer_dialog("Replace tournament", [](Gtk::Dialog& box) { box.response(Gtk::RESPONSE_YES); });
    answer_message(shown, &refusal);
    tournament_dialog({"Blocked", "", "", "", {}, "", ""}, 1);
    EXPECT_EQ(shown, "Tournament not saved");
    EXPECT_EQ(refusal, "The tournament file ./tournaments/Blocked.trn could not be written: is a directory.");
    EXPECT_EQ(probe->event(), event);
    EXPECT_EQ(count(log(), "load_tournament Blocked"), 0u);

    // The load dialog: LOAD and DELETE with no row selected, files that
    // cannot be read (one cut short in its last game line), a file that
    // cannot be removed.
    std::ofstream("tournaments/bad.trn") << "iterations many\n";
    std::ofstream("tournaments/cut.trn") << "version 1.15\nparticipant One\nparticipant Two\n"
                                            "game       1   round=1   opening=0  pairing=1-2   result=";
    for (const char* other : {"Iter.trn~", "Iter.TRN", "Iter.txt"})
        std::ofstream("tournaments/" + std::string(other)) << "\n";
    const struct {
        std::string name;
        int response;
        const char* shown;
        const char* why = "";
    } loads[] = {
        {"", 2, "No tournament loaded"},
        {"bad", 2, "Tournament not loaded"},
        {"cut", 2, "Tournament not loaded",
         "The tournament \"cut\" cannot be read: its last line, a game, has no line end: the file is cut short."},
        {"", 0, "No tournament deleted"},
        {"Blocked", 0, "Tournament not deleted"},
    };
    const std::string kept = probe->tournament().get_event();
    for (const auto& c : loads) {
        Names listed;
        shown.clear();
        std::string why;
        answer_message(shown, &why);
        if (c.response == 0 && !c.name.empty())
            answer_dialog("Delete tournament", [](Gtk::Dialog& box) { box.response(Gtk::RESPONSE_YES); });
        load_dialog(c.name, c.response, &listed);
        EXPECT_EQ(shown, c.shown) << c.name;
        if (*c.why) {
            EXPECT_EQ(why, c.why) << c.name;
        }
        EXPECT_EQ(listed, saved_tournament_names("tournaments/"));
        EXPECT_EQ(listed.size(), 5u);
        EXPECT_EQ(probe->event(), event);
        EXPECT_EQ(probe->tournament().get_event(), kept);
        EXPECT_FALSE(probe->action("StartThinking")->is_sensitive());
    }
    EXPECT_TRUE(exists("Iter") && exists("bad") && exists("cut") && exists("Blocked"));
    EXPECT_EQ(count(log(), "load_tournament bad") + count(log(), "load_tournament cut"), 0u);
}

}
}
