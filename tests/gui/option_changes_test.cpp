#include "gui/option_changes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(OptionChangesTest, ChangedValuesAndPressedButtonsInListOrder)
{
    const std::vector<Option> before = {Option("option name Clear Hash type button"),
                                        Option("option name Hash type spin default 16 min 1 max 1024"),
                                        Option("option name Ponder type check default false"),
                                        Option("option name Threads type spin default 1 min 1 max 8")};
    std::vector<Option> after = before;
    after[0].set_changed(true);
    after[1].set_value("64");
    after[1].set_changed(true);
    after[2].set_value("true");
    after[2].set_value("false");
    after[2].set_changed(true);
    std::vector<std::string> names;
    for (const Option& option : changed_options(before, after)) {
        names.push_back(option.get_name() + "=" + option.get_value());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Clear Hash=", "Hash=64"}));
    EXPECT_TRUE(changed_options(before, before).empty());
    after.pop_back();
    EXPECT_THROW(changed_options(before, after), std::logic_error);
}

}
