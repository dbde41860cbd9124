// The position, game and engine choosers on an X display, each dialog answered
// from test code as the user would: pick a row, press a button, close it.

#include "dialog_test_support.h"
#include "engines/installed_engines.h"
#include "game/pgn_file.h"
#include "gui/fen_list.h"
#include "gui/game_list.h"
#include "gui/installed_list.h"
#include "gui/position_lines.h"
#include "tests/engines/temp_working_dir.h"
#include "tests/support/peer_programs.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/treeview.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// GTK must run before the fixture's window is built.
struct GtkStarted {
    GtkStarted() { widget_test::start_gtk(); }
};

class ChoosersTest : public testing::Test, private GtkStarted {
protected:
    ChoosersTest() : m_dir(torvane_test::make_temp_dir("torvane-choosers")) {}
    ~ChoosersTest() override { std::filesystem::remove_all(m_dir); }

    void SetUp() override
    {
        m_parent.set_title("Torvane");
        m_parent.set_default_size(300, 200);
        widget_test::show_and_wait(m_parent);
    }

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::string m_dir;
    Gtk::Window m_parent;
};

Gtk::TreeView& table_of(Gtk::Dialog& dialog)
{
    return *widget_test::find_all<Gtk::TreeView>(dialog).at(0);
}

// What the user does in a chooser: select a row (from 1, or none), then press
// the button with the response.
struct Answer {
    int row;
    int response;
};

// Answers the next dialog with the title; the rows it showed and, when
// shot_name is given, a screenshot of it are kept.
struct Answering {
    Answering(const Glib::ustring& title, Answer answer, const std::string& shot_name = "")
    {
        widget_test::answer_dialog(title, [this, answer, shot_name](Gtk::Dialog& dialog) {
            Gtk::TreeView& table = table_of(dialog);
            rows = dialog_test::table_rows(table);
            titles = dialog_test::column_titles(table);
            table.get_selection()->unselect_all();
            if (answer.row > 0)
                table.get_selection()->select(Gtk::TreePath(std::to_string(answer.row - 1)));
            if (!shot_name.empty())
                shot = widget_test::screenshot(dialog);
            dialog.response(answer.response);
        });
    }

    std::vector<std::string> rows;
    std::vector<std::string> titles;
    Glib::RefPtr<Gdk::Pixbuf> shot;
};

TEST_F(ChoosersTest, ChoosePositionReturnsTheLineNumberOrNothing)
{
    const std::string path = write(
        "suite.epd", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n\n"
                     "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - bm Qxf7#; id \"mate in one\";\n"
                     "\r\n8/8/8/8/8/8/8/K1k5 w - - 0 1\r\n\n4k3/8/8/8/8/8/8/4K3 b - - 12 60\n");
    const std::vector<std::string> lines = read_position_lines(path);
    FenList list(m_parent);
    struct Case {
        Answer answer;
        int chosen;
    };
    for (const Case& c : {Case{{3, Gtk::RESPONSE_OK}, 3}, Case{{0, Gtk::RESPONSE_OK}, 3},
                          Case{{2, Gtk::RESPONSE_CANCEL}, FenList::nothing_chosen},
                          Case{{2, Gtk::RESPONSE_DELETE_EVENT}, FenList::nothing_chosen},
                          Case{{0, Gtk::RESPONSE_OK}, 3}}) {
        Answering answering("Choose Position", c.answer, "choose_position");
        EXPECT_EQ(list.choose_position(path), c.chosen);
        ASSERT_EQ(answering.rows.size(), 4u);
        for (std::size_t k = 0; k < lines.size(); ++k)
            EXPECT_EQ(answering.rows[k], std::to_string(k + 1) + "|" + lines[k]);
        widget_test::save_png(answering.shot, "choose_position");
    }
    EXPECT_EQ(lines.at(2), "8/8/8/8/8/8/8/K1k5 w - - 0 1");

    // The kept row is not offered for a file too short for it; nothing is
    // chosen from a file that cannot be read.
    Answering shorter("Choose Position", {0, Gtk::RESPONSE_OK});
    EXPECT_EQ(list.choose_position(write("one.fen", lines[0] + "\n")), FenList::nothing_chosen);
    Answering unreadable("Choose Position", {0, Gtk::RESPONSE_OK});
    EXPECT_EQ(list.choose_position(m_dir + "/missing.fen"), FenList::nothing_chosen);
    EXPECT_TRUE(unreadable.rows.empty());
}

std::string tag(const std::string& name, const std::string& value)
{
    return "[" + name + " \"" + value + "\"]\n";
}

TEST_F(ChoosersTest, ChooseGameListsEveryGameByItsTags)
{
    const std::string path = write(
        "games.pgn",
        tag("Event", "Turnier") + tag("Site", "Z\xC3\xBCrich") + tag("Date", "1925.05.06") + tag("Round", "1")
            + tag("White", "R\xC3\xA9ti, Richard") + tag("Black", "Nimzowitsch, Aaron") + tag("Result", "1-0")
            + "\n1.Nf3 d5 2.c4 1-0\n\n" + tag("Event", "Blitz") + tag("White", "Capablanca, Jos\xC3\xA9 Ra\xC3\xBAl")
            + tag("Black", "Lasker, Emanuel") + tag("Result", "1/2-1/2") + "\n1.e4 e5 1/2-1/2\n\n"
            + tag("Event", "E") + tag("Site", "S") + tag("Date", "1927.??.??") + tag("Round", "3")
            + tag("White", "Alekhine, Alexander") + tag("Black", "Euwe, Max") + tag("Result", "0-1") + "\n1.d4 0-1\n\n");
    GameList list(m_parent);
    Answering answering("Choose Game", {2, Gtk::RESPONSE_OK}, "choose_game");
    EXPECT_EQ(list.choose_game(path), 2);
    widget_test::save_png(answering.shot, "choose_game");
    EXPECT_EQ(answering.titles, (std::vector<std::string>{"ID", "White", "Black", "Result", "Date"}));
    EXPECT_EQ(answering.rows, (std::vector<std::string>{
                                  "1|R\xC3\xA9ti, Richard|Nimzowitsch, Aaron|1-0|1925.05.06",
                                  "2|Capablanca, Jos\xC3\xA9 Ra\xC3\xBAl|Lasker, Emanuel|1/2-1/2|?",
                                  "3|Alekhine, Alexander|Euwe, Max|0-1|1927.??.??"}));
    PgnFile file;
    file.open(path);
    EXPECT_NE(file.listed_game(2).find("Lasker"), std::string::npos);

    Answering kept("Choose Game", {0, Gtk::RESPONSE_OK});
    EXPECT_EQ(list.choose_game(path), 2);
    Answering cancelled("Choose Game", {3, Gtk::RESPONSE_CANCEL});
    EXPECT_EQ(list.choose_game(path), GameList::nothing_chosen);
    Answering first_time("Choose Game", {0, Gtk::RESPONSE_OK});
    EXPECT_EQ(GameList(m_parent).choose_game(path), GameList::nothing_chosen);
}

EngineVariables engine(const std::string& name)
{
    EngineVariables ev;
    ev.set_name(name);
    ev.set_filename("/usr/games/" + name);
    return ev;
}

TEST_F(ChoosersTest, ChooseEngineLoadsOrUninstalls)
{
    Glib::RefPtr<Gdk::Pixbuf> shot;
    {
        const torvane_test::TempWorkingDir home;
        InstalledEngines engines;
        for (const char* name : {"stockfish", "Fairy-Max", "sjeng", "Phalanx XXV"})
            engines.add(engine(name));
        engines.write_engines_cfg();
        const std::string saved = torvane_test::TempWorkingDir::read_file(engines.cfg_path());
        InstalledList list(m_parent);
        struct Case {
            Answer answer;
            const char* chosen;
        };
        for (const Case& c : {Case{{3, InstalledList::load_response}, "sjeng"},
                              Case{{0, InstalledList::load_response}, "sjeng"},
                              Case{{1, InstalledList::cancel_response}, ""},
                              Case{{1, Gtk::RESPONSE_DELETE_EVENT}, ""},
                              Case{{0, InstalledList::uninstall_response}, ""}}) {
            Answering answering("Choose Engine", c.answer, "choose_engine");
            EXPECT_EQ(list.choose_engine(engines), c.chosen);
            EXPECT_EQ(answering.rows,
                      (std::vector<std::string>{"1|Fairy-Max", "2|Phalanx XXV", "3|sjeng", "4|stockfish"}));
            shot = answering.shot;
        }
        // Nothing selected: nothing uninstalled, the file untouched.
        EXPECT_EQ(torvane_test::TempWorkingDir::read_file(engines.cfg_path()), saved);

        Answering uninstall("Choose Engine", {2, InstalledList::uninstall_response});
        widget_test::answer_dialog("Uninstall engine", [](Gtk::Dialog& box) { box.response(Gtk::RESPONSE_YES); });
        EXPECT_EQ(InstalledList(m_parent).choose_engine(engines), "");
        InstalledEngines reread;
        reread.read_engines_cfg();
        EXPECT_FALSE(reread.contains("Phalanx XXV"));
        EXPECT_TRUE(reread.contains("sjeng"));
        EXPECT_EQ(reread.engines().size(), 3u);
        EXPECT_EQ(torvane_test::TempWorkingDir::read_file(engines.backup_path()), saved);
    }
    widget_test::save_png(shot, "choose_engine");
}

}
