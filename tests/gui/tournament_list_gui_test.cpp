// The tournament list on screen: rows added, one chosen by a click.
#include "dialog_test_support.h"
#include "gui/tournament_list.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <string>
#include <vector>

namespace {

using dialog_test::widgets_of;
using Names = std::vector<std::string>;

TEST(TournamentListTest, RowsGetNumbersAndAClickChoosesOne)
{
    widget_test::start_gtk();
    Gtk::Window window;
    TournamentList list;
    window.add(list);
    window.set_default_size(300, 200);
    EXPECT_EQ(list.get_selected_name(), "");
    // A name that is not UTF-8 is shown with "?" and chosen with its own bytes.
    for (const char* name : {"spring_open", "blitz 2024", "caf\xe9"}) {
        list.add_row(name);
    }
    widget_test::show_and_wait(window);

    Gtk::TreeView& view = *widgets_of<Gtk::TreeView>(list).at(0);
    EXPECT_EQ(dialog_test::table_rows(view),
              (Names{"1|spring_open|spring_open", "2|blitz 2024|blitz 2024", "3|caf\xe9|caf?"}));
    EXPECT_EQ(dialog_test::column_titles(view), (Names{"ID", "Tournament"}));

    dialog_test::click_row(view, 1);
    EXPECT_EQ(list.get_selected_name(), "blitz 2024");
    widget_test::save_shot(list, "tournament_list");
    view.get_selection()->unselect_all();
    EXPECT_EQ(list.get_selected_name(), "blitz 2024");
    dialog_test::click_row(view, 2);
    EXPECT_EQ(list.get_selected_name(), "caf\xe9");

    list.clear();
    list.add_row("again");
    EXPECT_EQ(dialog_test::table_rows(view), (Names{"1|again|again"}));
}

}
