// The grids of the options dialog and of the install dialog's summary, on
// the worked examples of their layout rules.
#include "gui/install_summary.h"
#include "gui/options_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

Option option(const std::string& name, const std::string& type, const std::string& value = "")
{
    Option made;
    made.set_name(name);
    made.set_type(type);
    made.set_value(value);
    return made;
}

std::vector<Option> of_types(const std::string& types)
{
    std::vector<Option> options;
    const std::map<char, const char*> words = {
        {'c', "check"}, {'b', "button"}, {'s', "spin"}, {'o', "combo"}, {'t', "string"}, {'x', "file"}};
    for (char type : types) {
        options.push_back(option(std::string(1, type) + std::to_string(options.size()), words.at(type)));
    }
    return options;
}

// "row:column" of each option's widget (label first when it has one).
std::string cells(const std::vector<OptionPlace>& places)
{
    std::string text;
    for (const OptionPlace& place : places) {
        text += text.empty() ? "" : " ";
        if (place.label) {
            text += std::to_string(place.label->row) + ":" + std::to_string(place.label->column) + "+";
        }
        text += std::to_string(place.widget.row) + ":" + std::to_string(place.widget.column);
        if (place.widget.width != 1) {
            text += "w" + std::to_string(place.widget.width);
        }
    }
    return text;
}

TEST(OptionsLayoutTest, GroupsStartOnTheRowAfterThePreviousGroup)
{
    struct Case {
        const char* types;
        const char* cells;
    };
    for (const Case& c : {
             Case{"", ""},
             Case{"b", "1:0"},                                  // no check: row 0 stays empty
             Case{"cccb", "0:0 0:1 0:2 1:0"},
             Case{"ccccb", "0:0 0:1 0:2 0:3 2:0"},              // four checks: row 1 stays empty
             Case{"cccccb", "0:0 0:1 0:2 0:3 1:0 2:0"},
             Case{"sss", "2:0+2:1 2:2+2:3 3:0+3:1"},            // two spins a row
             Case{"ostxcs", "0:0 2:0+2:1 2:2+2:3 4:0+4:1 5:0+5:1w3"},  // by group; "file" unplaced
         }) {
        EXPECT_EQ(cells(options_layout(of_types(c.types))), c.cells) << c.types;
    }
}

TEST(OptionsLayoutTest, PlacesEveryOptionHoweverMany)
{
    const std::vector<OptionPlace> places = options_layout(of_types(std::string(101, 'c') + "s"));
    ASSERT_EQ(places.size(), 102u);
    EXPECT_EQ(places[100].widget, (GridPlace{0, 25, 1}));
    EXPECT_EQ(*places[101].label, (GridPlace{0, 27, 1}));
}

TEST(InstallSummaryTest, ChecksThenSpinsAndCombosThenStringsFromRowThree)
{
    std::map<std::string, Option> options;
    for (const Option& made : {option("Ponder", "check", "true"), option("Own", "check", "True"),
                               option("Chess960", "check", "false"), option("Hash", "spin", "64"),
                               option("Style", "combo", "Solid"), option("Clear", "button"),
                               option("Path", "string", "/tmp/x")}) {
        options[made.get_name()] = made;
    }
    const std::vector<SummaryLine> want = {
        {"Chess960:  no", {0, 3, 1}}, {"Own:  no", {1, 3, 1}},    {"Ponder:  yes", {2, 3, 1}},
        {"Hash:  64", {0, 4, 1}},     {"Style:  Solid", {1, 4, 1}}, {"Path:  /tmp/x", {0, 5, 4}}};
    EXPECT_EQ(install_summary(options), want);

    std::map<std::string, Option> spins_only = {{"Hash", option("Hash", "spin", "1")}};
    EXPECT_EQ(install_summary(spins_only), (std::vector<SummaryLine>{{"Hash:  1", {0, 4, 1}}}));
    EXPECT_TRUE(install_summary({}).empty());
}

TEST(InstallSummaryTest, ListsAnyNumberOfOptions)
{
    std::map<std::string, Option> options;
    for (int i = 0; i < 250; ++i) {
        const std::string name = "x" + std::to_string(1000 + i);
        options[name] = option(name, i % 2 ? "check" : "string", "true");
    }
    const std::vector<SummaryLine> lines = install_summary(options);
    ASSERT_EQ(lines.size(), 250u);
    EXPECT_EQ(lines.back().place, (GridPlace{0, 3 + 32 + 1 + 124, 4}));
}

}
