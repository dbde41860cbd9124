// The participants panel on screen, names moved by real clicks, and the
// guard of its lists.
#include "dialog_test_support.h"
#include "engines/installed_engines.h"
#include "gui/participants_panel.h"
#include "tests/engines/temp_working_dir.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/settings.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using dialog_test::widgets_of;
using Names = std::vector<std::string>;

class ParticipantsPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        widget_test::start_gtk();
        // The list makes the per-user directory where it is built.
        torvane_test::TempWorkingDir directory;
        m_installed = std::make_unique<InstalledEngines>();
        for (const char* name : {"gamma", "alpha", "delta", "beta"}) {
            EngineVariables record;
            record.set_name(name);
            m_installed->add(record);
        }
    }

    void show(Names participants)
    {
        m_window = std::make_unique<Gtk::Window>();
        m_panel = std::make_unique<ParticipantsPanel>(*m_installed, participants);
        m_window->add(*m_panel);
        m_window->set_default_size(460, 200);
        widget_test::show_and_wait(*m_window);
    }

    DeleteSelection& list(int side) { return *widgets_of<DeleteSelection>(*m_panel).at(side); }
    Names left() { return list(0).get_entries(); }
    Names right() { return m_panel->get_participants(); }
    // A user's click on a row, not so soon after the last one that the two
    // make a double click.
    void click(int side, int row)
    {
        widget_test::run_for(Gtk::Settings::get_default()->property_gtk_double_click_time() + 50);
        dialog_test::click_row(*widgets_of<Gtk::TreeView>(list(side)).at(0), row);
    }

    std::unique_ptr<InstalledEngines> m_installed;
    std::unique_ptr<Gtk::Window> m_window;
    std::unique_ptr<ParticipantsPanel> m_panel;
};

TEST_F(ParticipantsPanelTest, ClicksMoveNamesBothWays)
{
    show({"beta", "alpha", "omega"});
    EXPECT_EQ(left(), (Names{"delta", "gamma"}));
    EXPECT_EQ(right(), (Names{"beta", "alpha", "omega"}));
    // A name that is not UTF-8 is shown with "?" and kept with its own bytes.
    list(0).append("caf\xe9");
    EXPECT_EQ(dialog_test::table_rows(*widgets_of<Gtk::TreeView>(list(0)).at(0)),
              (Names{"delta|delta", "gamma|gamma", "caf\xe9|caf?"}));
    EXPECT_EQ(left(), (Names{"delta", "gamma", "caf\xe9"}));
    list(0).remove("caf\xe9", true);
    // The list that took the focus reported its first row; the guard kept it.
    EXPECT_EQ(list(0).get_selected(), "delta");

    click(0, 1);
    EXPECT_EQ(left(), (Names{"delta"}));
    EXPECT_EQ(right(), (Names{"beta", "alpha", "omega", "gamma"}));
    click(1, 2);
    EXPECT_EQ(left(), (Names{"delta", "omega"}));
    EXPECT_EQ(right(), (Names{"beta", "alpha", "gamma"}));
    click(1, 0);
    EXPECT_EQ(left(), (Names{"delta", "omega", "beta"}));
    click(0, 0);
    EXPECT_EQ(left(), (Names{"omega", "beta"}));
    EXPECT_EQ(right(), (Names{"alpha", "gamma", "delta"}));
    widget_test::save_shot(*m_panel, "participants");
    // No row stays highlighted after a click.
    for (int side : {0, 1}) {
        EXPECT_EQ(widgets_of<Gtk::TreeView>(list(side)).at(0)->get_selection()->count_selected_rows(), 0);
    }
}

TEST_F(ParticipantsPanelTest, TheGuardLetsNoFirstAndNoHastyMoveThrough)
{
    DeleteSelection fresh;
    EXPECT_FALSE(fresh.add("one", false));
    EXPECT_TRUE(fresh.add("forced", true));
    widget_test::run_for(120);
    EXPECT_TRUE(fresh.add("two", false));
    EXPECT_FALSE(fresh.add("three", false));
    EXPECT_FALSE(fresh.remove("two", false));
    widget_test::run_for(120);
    EXPECT_FALSE(fresh.remove("absent", false));
    EXPECT_FALSE(fresh.remove("two", false));
    EXPECT_TRUE(fresh.remove("forced", true));
    EXPECT_EQ(fresh.get_entries(), (Names{"two"}));
    show({"alpha"});
    m_panel->clear();
    EXPECT_TRUE(left().empty());
    EXPECT_TRUE(right().empty());
}

}
