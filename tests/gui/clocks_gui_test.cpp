// The clocks on an X display: their labels' texts as the time runs, and the
// colours behind and of the labels' texts read back from the screen.

#include "engines/level.h"
#include "gui/clocks.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/label.h>
#include <gtkmm/settings.h>
#include <gtkmm/window.h>

#include <string>
#include <vector>

namespace {

using widget_test::Colour;

class ShownClocks {
public:
    ShownClocks()
    {
        m_window.add(m_clocks);
        widget_test::show_and_wait(m_window);
    }

    Clocks& clocks() { return m_clocks; }

    // The four labels in their order in the row.
    Gtk::Label& label(int index)
    {
        const std::vector<Gtk::Widget*> children = m_clocks.get_children();
        return *dynamic_cast<Gtk::Label*>(children.at(index));
    }

    std::string white_time() { return label(1).get_text(); }
    std::string black_time() { return label(3).get_text(); }

    // The colour behind a name label, left of its right-aligned text.
    Colour name_background(int index, const std::string& shot_name)
    {
        Gtk::Label& name = label(index);
        const auto shot = widget_test::screenshot(m_clocks);
        widget_test::save_png(shot, shot_name);
        int x = 0;
        int y = 0;
        name.translate_coordinates(m_clocks, 2, name.get_allocated_height() / 2, x, y);
        return widget_test::pixel(shot, x, y);
    }

    // Whether some pixel of a label is dark in every channel: its text, since
    // none of the labels' backgrounds is.
    bool shows_dark_text(int index, const std::string& shot_name)
    {
        Gtk::Label& label = this->label(index);
        const auto shot = widget_test::screenshot(m_clocks);
        widget_test::save_png(shot, shot_name);
        int left = 0;
        int top = 0;
        label.translate_coordinates(m_clocks, 0, 0, left, top);
        for (int y = top; y < top + label.get_allocated_height(); ++y)
            for (int x = left; x < left + label.get_allocated_width(); ++x) {
                const Colour c = widget_test::pixel(shot, x, y);
                if (c.red < 100 && c.green < 100 && c.blue < 100)
                    return true;
            }
        return false;
    }

private:
    Gtk::Window m_window;
    Clocks m_clocks;
};

bool is_green(const Colour& c)
{
    return c.red == 0 && c.green == 255 && c.blue == 0;
}

bool is_grey(const Colour& c)
{
    return c.red == 204 && c.green == 204 && c.blue == 204;
}

// Adwaita's dark variant for this process while it lives, as a user's dark
// desktop would choose it.
class DarkTheme {
public:
    DarkTheme()
    {
        m_settings->property_gtk_theme_name() = "Adwaita";
        m_settings->property_gtk_application_prefer_dark_theme() = true;
    }
    ~DarkTheme()
    {
        m_settings->property_gtk_application_prefer_dark_theme() = m_was_dark;
        m_settings->property_gtk_theme_name() = m_theme;
    }
    DarkTheme(const DarkTheme&) = delete;
    DarkTheme& operator=(const DarkTheme&) = delete;

private:
    Glib::RefPtr<Gtk::Settings> m_settings = Gtk::Settings::get_default();
    Glib::ustring m_theme = m_settings->property_gtk_theme_name();
    bool m_was_dark = m_settings->property_gtk_application_prefer_dark_theme();
};

class ClocksWidgetTest : public testing::Test {
protected:
    void SetUp() override { widget_test::start_gtk(); }
};

TEST_F(ClocksWidgetTest, ARowOfNamesAndTimes)
{
    ShownClocks shown;
    EXPECT_EQ(shown.label(0).get_text(), "White: ");
    EXPECT_EQ(shown.label(2).get_text(), "Black: ");
    EXPECT_EQ(shown.white_time(), "60:00");
    // The times are set larger than the names.
    int minimum = 0;
    int name_height = 0;
    int time_height = 0;
    shown.label(0).get_preferred_height(minimum, name_height);
    shown.label(1).get_preferred_height(minimum, time_height);
    EXPECT_GT(time_height, name_height * 5 / 4);
    shown.clocks().set_time_control(Level("sessions 40 0:10 0.1"));
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:10");
    EXPECT_EQ(shown.black_time(), "0:10");
    EXPECT_TRUE(is_grey(shown.name_background(0, "clocks_set")));
    EXPECT_TRUE(is_grey(shown.name_background(2, "clocks_set")));
}

// The labels draw their backgrounds themselves, so a theme's light text
// would vanish on them: their text stays dark whatever the theme and state.
TEST_F(ClocksWidgetTest, UnderADarkThemeTheTextsStayDark)
{
    DarkTheme dark;
    ShownClocks shown;
    const Gdk::RGBA themed = Gtk::Label().get_style_context()->get_color();
    ASSERT_GT(themed.get_red() + themed.get_green() + themed.get_blue(), 2.4) << "the theme is not dark";
    shown.clocks().set_time_control(Level("sessions 40 0:10 0.1"));
    shown.clocks().highlight_white();
    shown.clocks().update();
    for (int index = 0; index < 4; ++index)
        EXPECT_TRUE(shown.shows_dark_text(index, "clocks_dark_theme")) << "label " << index;
    // A window that is not the user's focus is drawn in its backdrop state.
    shown.clocks().get_toplevel()->set_state_flags(Gtk::STATE_FLAG_BACKDROP, false);
    shown.clocks().highlight_black();
    for (int index = 0; index < 4; ++index)
        EXPECT_TRUE(shown.shows_dark_text(index, "clocks_dark_theme_backdrop")) << "label " << index;
}

TEST_F(ClocksWidgetTest, TheRunningSideCountsDownAndIsHighlighted)
{
    ShownClocks shown;
    shown.clocks().set_time_control(Level("sessions 40 0:10 0.1"));
    shown.clocks().start_white();
    widget_test::run_for(1200);
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:08");
    EXPECT_EQ(shown.black_time(), "0:10");
    EXPECT_TRUE(is_green(shown.name_background(0, "clocks_white_runs")));
    EXPECT_TRUE(is_grey(shown.name_background(2, "clocks_white_runs")));

    // White's move: Black runs, White's time stands (with its increment).
    shown.clocks().start_black();
    widget_test::run_for(1200);
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:08");
    EXPECT_EQ(shown.black_time(), "0:08");
    EXPECT_TRUE(is_grey(shown.name_background(0, "clocks_black_runs")));
    EXPECT_TRUE(is_green(shown.name_background(2, "clocks_black_runs")));

    shown.clocks().stop();
    widget_test::run_for(1100);
    shown.clocks().update();
    EXPECT_EQ(shown.black_time(), "0:08");
    EXPECT_TRUE(is_grey(shown.name_background(2, "clocks_stopped")));
}

TEST_F(ClocksWidgetTest, HighlightingStartsNoClock)
{
    ShownClocks shown;
    shown.clocks().set_time_control(Level("sessions 40 0:10 0.1"));
    shown.clocks().highlight_black();
    widget_test::run_for(1100);
    shown.clocks().update();
    EXPECT_EQ(shown.black_time(), "0:10");
    EXPECT_TRUE(is_green(shown.name_background(2, "clocks_black_highlighted")));
    shown.clocks().highlight_white();
    EXPECT_TRUE(is_green(shown.name_background(0, "clocks_white_highlighted")));
    EXPECT_TRUE(is_grey(shown.name_background(2, "clocks_white_highlighted")));
}

TEST_F(ClocksWidgetTest, ASetTimeCountsDownFromItself)
{
    ShownClocks shown;
    shown.clocks().set_time_control(Level("sessions 40 0:10 0.1"));
    shown.clocks().start_white();
    widget_test::run_for(300);
    shown.clocks().set_white_time(12345);
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "2:03");
    widget_test::run_for(600);
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "2:02");
    // The stopped side's time is set without starting it.
    shown.clocks().set_black_time(-150);
    widget_test::run_for(300);
    shown.clocks().update();
    EXPECT_EQ(shown.black_time(), "-0:01");
}

// A side handed the move again, by a move or without one, keeps the time it
// has used; only a move credits the increment.
TEST_F(ClocksWidgetTest, StartingTheRunningSideAgainKeepsItsTime)
{
    ShownClocks shown;
    shown.clocks().set_time_control(Level("sudden_death 0 0:10 5"));
    shown.clocks().run_white();
    widget_test::run_for(1200);
    shown.clocks().run_white();
    shown.clocks().start_white();
    widget_test::run_for(1200);
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:07");
    EXPECT_EQ(shown.black_time(), "0:15");
    EXPECT_TRUE(is_green(shown.name_background(0, "clocks_white_runs_on")));
}

TEST_F(ClocksWidgetTest, PeriodsAndResets)
{
    ShownClocks shown;
    shown.clocks().set_time_control(Level("sessions 2 0:10 0"));
    // Two moves by each side, each thinking about 0.3 s, end their first
    // period: ten more seconds each.
    shown.clocks().start_black();
    for (int move = 0; move < 3; ++move) {
        widget_test::run_for(300);
        if (move % 2 == 0)
            shown.clocks().start_white();
        else
            shown.clocks().start_black();
    }
    widget_test::run_for(300);
    shown.clocks().stop();
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:19");
    EXPECT_EQ(shown.black_time(), "0:19");
    shown.clocks().reset();
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "0:10");
    EXPECT_EQ(shown.black_time(), "0:10");

    shown.clocks().set_time_control(Level("sudden_death 0 6666 0"));
    shown.clocks().update();
    EXPECT_EQ(shown.white_time(), "5555:55");
    widget_test::save_shot(shown.clocks(), "clocks_longest");
}

}
