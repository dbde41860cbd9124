// The options dialog built from the option lists of real engines, edited
// through its widgets and answered from test code.
#include "dialog_test_support.h"
#include "gui/option_changes.h"
#include "gui/options_dialog.h"
#include "gui/spin_range.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gdkmm/display.h>
#include <gdkmm/monitor.h>
#include <gtkmm/grid.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace {

using dialog_test::beside;
using dialog_test::widgets_of;

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        widget_test::start_gtk();
        m_parent = std::make_unique<Gtk::Window>();
    }

    // Runs the dialog until its "OK" is pressed, saving what it shows.
    static int run_and_press_ok(OptionsDialog& dialog, const std::string& shot)
    {
        dialog_test::DialogScript script;
        script.then<OptionsDialog>([shot](OptionsDialog& shown) {
            widget_test::save_shot(shown, shot);
            dialog_test::labelled<Gtk::Button>(shown, "OK").clicked();
        });
        return dialog.run();
    }

    std::unique_ptr<Gtk::Window> m_parent;
};

std::map<std::string, Option*> by_name(std::vector<Option>& options)
{
    std::map<std::string, Option*> named;
    for (Option& option : options) {
        named[option.get_name()] = &option;
    }
    return named;
}

TEST_F(OptionsDialogTest, StockfishOptionsAreEditedInPlace)
{
    std::vector<Option> options = dialog_test::option_list(dialog_test::engine_record("stockfish", 1));
    std::multiset<std::string> types;
    for (const Option& option : options) {
        types.insert(option.get_type());
    }
    ASSERT_GE(types.count("check"), 5u);
    ASSERT_GE(types.count("spin"), 5u);
    ASSERT_EQ(types.count("button"), 1u);
    ASSERT_GE(types.count("string"), 2u);
    const std::vector<Option> before = options;

    OptionsDialog dialog("Set Options", *m_parent, options);
    EXPECT_EQ(dialog.get_title(), "Set Options");
    EXPECT_EQ(widgets_of<OptionCheckButton>(dialog).size(), types.count("check"));
    EXPECT_EQ(widgets_of<OptionSpinButton>(dialog).size(), types.count("spin"));
    EXPECT_EQ(widgets_of<OptionButton>(dialog).size(), 1u);
    EXPECT_EQ(widgets_of<OptionEntry>(dialog).size(), types.count("string"));
    for (std::size_t i = 0; i < options.size(); ++i) {
        EXPECT_FALSE(options[i].get_changed()) << options[i].get_name();
        EXPECT_EQ(options[i].get_value(), before[i].get_value()) << options[i].get_name();
    }

    // What a user does: tick a box, type a number, press a button, type a path.
    auto named = by_name(options);
    dialog_test::labelled<OptionCheckButton>(dialog, "Ponder").clicked();
    auto& hash = beside<OptionSpinButton>(dialog, "Hash");
    EXPECT_EQ(hash.get_value(), 16);
    hash.set_text("64");
    auto& threads = beside<OptionSpinButton>(dialog, "Threads");
    threads.set_text("5000");
    widgets_of<OptionButton>(dialog).at(0)->clicked();
    beside<OptionEntry>(dialog, "SyzygyPath").set_text("/usr/share/syzygy");

    EXPECT_EQ(run_and_press_ok(dialog, "options_stockfish"), OptionsDialog::response_ok);
    std::ostringstream sent;
    for (const Option& option : changed_options(before, options)) {
        sent << option.get_name() << "=" << option.get_value() << ";";
    }
    EXPECT_EQ(sent.str(), "Clear Hash=;Hash=64;Ponder=true;SyzygyPath=/usr/share/syzygy;Threads=1024;");
    EXPECT_TRUE(named["Clear Hash"]->get_changed());
    EXPECT_FALSE(named["MultiPV"]->get_changed());

    // The whole dialog is on a 1024 x 768 screen.
    EXPECT_LE(dialog.get_allocated_width(), 1024);
    EXPECT_LE(dialog.get_allocated_height(), 700);
}

TEST_F(OptionsDialogTest, FairymaxAndGnuchessOptions)
{
    // fairymax speaks xboard: its memory feature becomes a spin option.
    std::vector<Option> fairymax = dialog_test::option_list(dialog_test::engine_record("fairymax", 3));
    ASSERT_EQ(fairymax.size(), 1u);
    {
        OptionsDialog dialog("Set Options", *m_parent, fairymax);
        auto& memory = beside<OptionSpinButton>(dialog, "xboard_memory");
        double low = 0;
        double high = 0;
        memory.get_range(low, high);
        EXPECT_EQ(low, 16);
        EXPECT_EQ(high, 1024);
        memory.set_value(256);
        EXPECT_EQ(run_and_press_ok(dialog, "options_fairymax"), OptionsDialog::response_ok);
    }
    EXPECT_EQ(fairymax[0].get_value(), "256");
    EXPECT_TRUE(fairymax[0].get_changed());

    // gnuchess's UCI options have drop-down lists. It drops lines that come
    // while it starts, so "quit" is repeated until it has gone; on a busy
    // machine it now and then dies while it starts, and is started again.
    std::vector<Option> gnuchess;
    const std::string ask_options =
        "((echo uci; for i in $(seq 60); do sleep 0.25; echo quit || exit; done) | timeout " +
        std::to_string(torvane_test::scaled(std::chrono::seconds(20)).count() / 1000) + " " +
        torvane_test::peer_program("gnuchess") + " -u) 2>/dev/null || true";
    std::istringstream lines;
    for (int start = 1; start <= 3 && lines.str().find("uciok") == std::string::npos; ++start)
        lines.str(torvane_test::run_command(ask_options));
    ASSERT_NE(lines.str().find("uciok"), std::string::npos);
    std::map<std::string, Option> sorted;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("option ", 0) == 0) {
            Option option(line);
            sorted[option.get_name()] = option;
        }
    }
    for (const auto& [name, option] : sorted) {
        gnuchess.push_back(option);
    }
    auto named = by_name(gnuchess);
    ASSERT_EQ(named.count("NullMove Pruning"), 1u);
    const std::string first_default = named["NullMove Pruning"]->get_value();
    {
        OptionsDialog dialog("Set Options", *m_parent, gnuchess);
        auto& pruning = beside<OptionComboBoxText>(dialog, "NullMove Pruning");
        EXPECT_EQ(pruning.get_active_text(), first_default);
        EXPECT_FALSE(named["NullMove Pruning"]->get_changed());
        pruning.set_active_text("Never");
        EXPECT_EQ(run_and_press_ok(dialog, "options_gnuchess"), OptionsDialog::response_ok);
    }
    EXPECT_EQ(named["NullMove Pruning"]->get_value(), "Never");
    EXPECT_EQ(named["Verification Search"]->get_value(), "Endgame");
}

TEST_F(OptionsDialogTest, OddOptionsAreShownSafely)
{
    std::vector<Option> options = {
        Option("option name Range type spin default 20 min 1 max 10"),
        Option("option name Junk type spin default x min y max z"),
        Option("option name Capital type check default True"),
        Option("option name Style type combo var Solid var Wild"),
        Option("option name Empty type combo"),
        Option("option name Path type file default /tmp"),
        // Bytes that are not UTF-8, one a lead byte cut short at the end.
        Option("option name Bad\xff type string default caf\xf0"),
        Option("option name Pick type combo default x\xc3 var x\xc3 var y"),
        Option("option name Tick\xfe type check default false"),
    };
    for (int i = 0; i < 150; ++i) {
        options.push_back(Option("option name Flag" + std::to_string(100 + i) + " type check default false"));
    }
    OptionsDialog dialog("Set Options", *m_parent, options);
    EXPECT_EQ(options[0].get_value(), "10");
    EXPECT_EQ(beside<OptionSpinButton>(dialog, "Range").get_value(), 10);
    EXPECT_EQ(options[1].get_value(), std::to_string(-SpinRange::widest));
    EXPECT_EQ(options[2].get_value(), "True");
    EXPECT_FALSE(widgets_of<OptionCheckButton>(dialog).at(0)->get_active());
    EXPECT_EQ(options[3].get_value(), "Solid");
    EXPECT_EQ(options[4].get_value(), "");
    EXPECT_EQ(beside<OptionEntry>(dialog, "Bad?").get_text(), "caf?");
    EXPECT_EQ(options[6].get_value(), "caf\xf0");  // kept until the user edits it
    EXPECT_EQ(beside<OptionComboBoxText>(dialog, "Pick").get_active_text(), "x?");
    EXPECT_EQ(options[7].get_value(), "x\xc3");
    const auto checks = widgets_of<OptionCheckButton>(dialog);
    EXPECT_TRUE(std::any_of(checks.begin(), checks.end(), [](auto* check) { return check->get_label() == "Tick?"; }));
    EXPECT_EQ(widgets_of<OptionCheckButton>(dialog).size(), 152u);
    for (const Option& option : options) {
        EXPECT_FALSE(option.get_changed()) << option.get_name();
    }
    EXPECT_EQ(run_and_press_ok(dialog, "options_many"), OptionsDialog::response_ok);
    Gdk::Rectangle screen;
    dialog.get_display()->get_monitor(0)->get_workarea(screen);
    EXPECT_LE(dialog.get_allocated_height(), screen.get_height());

    std::vector<Option> none;
    OptionsDialog empty("Set Options", *m_parent, none);
    EXPECT_TRUE(widgets_of<Gtk::Grid>(empty).at(0)->get_children().empty());
    EXPECT_EQ(run_and_press_ok(empty, "options_none"), OptionsDialog::response_ok);
}

}
