// The time-control panel on screen: every kind of Level shown and read back
// through its entries and radio buttons, and what a user types.
#include "dialog_test_support.h"
#include "gui/time_control_panel.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <string>
#include <vector>

namespace {

using dialog_test::widgets_of;

std::string fields(const Level& level)
{
    return std::to_string(level.get_type()) + " d" + std::to_string(level.get_depth()) + " n" +
           std::to_string(level.get_nodes()) + " mt" + std::to_string(level.get_movetime()) + " m" +
           std::to_string(level.get_moves()) + " t" + std::to_string(level.get_time()) + " i" +
           std::to_string(level.get_increment());
}

class TimeControlPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        widget_test::start_gtk();
        m_window = std::make_unique<Gtk::Window>();
        m_panel = std::make_unique<TimeControlPanel>();
        m_window->add(*m_panel);
        widget_test::show_and_wait(*m_window);
    }

    // The eight entries top to bottom, left to right: depth, nodes, move
    // time, moves, base, increment, sudden-death base and increment.
    std::vector<std::string> entries()
    {
        std::vector<std::string> texts;
        for (Gtk::Entry* entry : widgets_of<Gtk::Entry>(*m_panel)) {
            texts.push_back(entry->get_text());
        }
        return texts;
    }
    Gtk::Entry& entry(int index) { return *widgets_of<Gtk::Entry>(*m_panel).at(index); }
    Gtk::RadioButton& radio(const std::string& label)
    {
        return dialog_test::labelled<Gtk::RadioButton>(*m_panel, label);
    }

    std::unique_ptr<Gtk::Window> m_window;
    std::unique_ptr<TimeControlPanel> m_panel;
};

TEST_F(TimeControlPanelTest, ShowsTheDefaultAndRoundTripsEveryKind)
{
    EXPECT_EQ(entries(), (std::vector<std::string>{"", "", "", "40", "0:10", "0.1", "0:10", "0.1"}));
    EXPECT_TRUE(radio("sessions").get_active());
    EXPECT_EQ(fields(m_panel->get_time_control()), fields(Level("sessions 40 0:10 0.1")));
    widget_test::save_shot(*m_panel, "time_control_default");

    for (const char* text : {"fixed_depth 12", "fixed_nodes 100000", "fixed_movetime 250", "sudden_death 0 5 2",
                             "sudden_death 0 1:5 1.25", "sessions 40 10 0", "sessions 20 90:30 12.5",
                             "sessions 1 0:1 0.005"}) {
        const Level level(text);
        m_panel->set_time_control(level);
        EXPECT_EQ(fields(m_panel->get_time_control()), fields(level)) << text;
    }
    // The last of each kind is still in its entries.
    EXPECT_EQ(entries(), (std::vector<std::string>{"12", "100000", "250", "1", "0:01", "0.005", "1:05", "1.25"}));
    EXPECT_TRUE(radio("sessions").get_active());
    m_panel->set_time_control(Level("sudden_death 0 1:5 1.25"));
    EXPECT_TRUE(radio("sudden death").get_active());
    widget_test::save_shot(*m_panel, "time_control_sudden_death");
}

TEST_F(TimeControlPanelTest, ReadsWhatTheUserTypesInTheSelectedKindOnly)
{
    struct Case {
        const char* radio;
        int entry;
        const char* typed;
        const char* level;
    };
    for (const Case& c : {
             Case{"fixed depth", 0, "9", "fixed_depth 9"},
             Case{"fixed nodes", 1, "", "fixed_nodes 0"},
             Case{"fixed movetime (ms)", 2, " 750 ", "fixed_movetime 750"},
             Case{"sessions", 4, "1:5", "sessions 40 1:5 0.1"},
             Case{"sessions", 4, "1.5", "sessions 40 1 0.1"},         // the base is minutes[:seconds]
             Case{"sessions", 4, "2 30", "sessions 40 2 0.1"},        // a blank cannot shift the increment
             Case{"sessions", 3, "many", "sessions 0 0:10 0.1"},      // refused: 0 moves, the rest read
             Case{"sudden death", 7, "0.75", "sudden_death 0 0:10 0.75"},
             Case{"sudden death", 3, "12", "sudden_death 0 0:10 0.1"}, // moves are not read
         }) {
        m_panel->set_time_control(Level());
        m_panel->set_time_control(Level("sudden_death 0 0:10 0.1"));
        radio(c.radio).set_active(true);
        entry(c.entry).set_text(c.typed);
        EXPECT_EQ(fields(m_panel->get_time_control()), fields(Level(c.level))) << c.radio << " '" << c.typed << "'";
    }
}

}
