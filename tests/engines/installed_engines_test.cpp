#include "engines/installed_engines.h"

#include "tests/engines/temp_working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <ostream>

namespace {

using torvane_test::TempWorkingDir;

const std::string header = "#                       Installed engines\n#\n";

Option option_with(const std::string& name, const std::string& value)
{
    Option option;
    option.set_name(name);
    option.set_value(value);
    return option;
}

EngineVariables engine(const std::string& name, const std::string& path, int protocol)
{
    EngineVariables ev;
    ev.set_name(name);
    ev.set_filename(path);
    ev.set_protocol(protocol);
    return ev;
}

class InstalledEnginesTest : public testing::Test {
protected:
    TempWorkingDir m_dir;
};

TEST_F(InstalledEnginesTest, EmptyListSavesTheTwoHeaderLines)
{
    InstalledEngines list;
    list.write_engines_cfg();
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg"), header);
    EXPECT_FALSE(std::filesystem::exists("engines.cfg~"));
}

TEST_F(InstalledEnginesTest, SavedLayoutOfAWorkedExample)
{
    InstalledEngines list;
    EngineVariables alpha = engine("Alpha", "/usr/games/alpha", 1);
    alpha.set_elo("2800");
    alpha.set_handicap("25");
    Option hash("option name Hash type spin default 16 min 1 max 1024");
    alpha.set_option(hash);
    alpha.set_option(option_with("Clear Hash", ""));
    list.add(alpha);
    list.add(engine("Beta", "", 1));
    list.add(engine("Gamma", "/g", 9));
    list.write_engines_cfg();
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg"), header +
                                                            "\nname Alpha\n"
                                                            "filename /usr/games/alpha\n"
                                                            "protocol uci\n"
                                                            "elo 2800\n"
                                                            "handicap 25\n"
                                                            "setoption name Clear Hash value \n"
                                                            "setoption name Hash value 16\n"
                                                            "\nname Beta\n"
                                                            "protocol uci\n"
                                                            "\nname Gamma\n"
                                                            "filename /g\n");
}

TEST_F(InstalledEnginesTest, RoundTripKeepsEverySavedField)
{
    InstalledEngines list;
    for (int protocol = 0; protocol < 4; ++protocol) {
        EngineVariables ev = engine("Engine " + std::to_string(protocol), "/path/e" + std::to_string(protocol), protocol);
        ev.set_elo(std::to_string(2000 + protocol));
        ev.set_handicap(protocol % 2 ? "10" : "");
        ev.set_option(option_with("Hash", "64"));
        ev.set_option(option_with("Book File", "/books/my book.bin"));
        ev.set_option(option_with("Ponder", "false"));
        list.add(ev);
    }
    list.add(engine("Ω Unicode", "/usr/games/omega", 3));
    list.write_engines_cfg();

    InstalledEngines read_back;
    read_back.read_engines_cfg();
    ASSERT_EQ(read_back.engines().size(), list.engines().size());
    for (const auto& [name, saved] : list.engines()) {
        ASSERT_TRUE(read_back.contains(name)) << name;
        const EngineVariables& ev = read_back.engines().at(name);
        EXPECT_EQ(ev.get_name(), name);
        EXPECT_EQ(ev.get_player_name(), name);
        EXPECT_EQ(ev.get_filename(), saved.get_filename());
        EXPECT_EQ(ev.get_protocol(), saved.get_protocol());
        EXPECT_EQ(ev.get_elo(), saved.get_elo());
        EXPECT_EQ(ev.get_handicap(), saved.get_handicap());
        auto options = ev.get_options();
        ASSERT_EQ(options.size(), saved.get_options().size());
        for (const auto& [key, option] : saved.get_options()) {
            EXPECT_EQ(options[key].get_value(), option.get_value()) << key;
        }
    }
    EXPECT_EQ(read_back.cfg_text(), list.cfg_text());
}

// One engines.cfg text and what one record of it reads as.
struct ReadCase {
    const char* what;
    std::string text;
    std::string name;
    std::string filename;
    int protocol;
    std::string elo;
    std::map<std::string, std::string> options;
    std::size_t records;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.what; }

class ReadingEnginesCfg : public testing::TestWithParam<ReadCase> {
protected:
    TempWorkingDir m_dir;
};

TEST_P(ReadingEnginesCfg, GivesTheRecord)
{
    const ReadCase& c = GetParam();
    TempWorkingDir::write_file("engines.cfg", c.text);
    InstalledEngines list;
    list.read_engines_cfg();
    EXPECT_EQ(list.engines().size(), c.records);
    ASSERT_TRUE(list.contains(c.name));
    const EngineVariables& ev = list.engines().at(c.name);
    EXPECT_EQ(ev.get_filename(), c.filename);
    EXPECT_EQ(ev.get_protocol(), c.protocol);
    EXPECT_EQ(ev.get_elo(), c.elo);
    std::map<std::string, std::string> options;
    for (const auto& [key, option] : ev.get_options()) {
        EXPECT_EQ(key, option.get_name());
        options[key] = option.get_value();
    }
    EXPECT_EQ(options, c.options);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadingEnginesCfg,
    testing::Values(
        ReadCase{"crlf", header + "\r\nname Alpha\r\nfilename /e/alpha\r\nprotocol xboard_v2\r\nelo 2500\r\n"
                                  "setoption name Hash value 64\r\n",
                 "Alpha", "/e/alpha", 3, "2500", {{"Hash", "64"}}, 1},
        ReadCase{"no final line feed", "name Alpha\nfilename /e/alpha\nsetoption name Hash value 32",
                 "Alpha", "/e/alpha", 0, "", {{"Hash", "32"}}, 1},
        ReadCase{"lines before the first name", "filename /orphan\nelo 1\nname A\nfilename /a\n",
                 "", "/orphan", 0, "1", {}, 2},
        ReadCase{"duplicate blocks: the second wins whole",
                 "name X\nfilename /one\nelo 100\nsetoption name Hash value 1\nname X\nfilename /two\n",
                 "X", "/two", 0, "", {}, 1},
        ReadCase{"an option name holding the word value",
                 "name X\nsetoption name Draw value value 0\n", "X", "", 0, "", {{"Draw", "value 0"}}, 1},
        ReadCase{"setoption variants",
                 "name X\nsetoption name Hash value\nsetoption name Threads value \nsetoption name Skip\n"
                 "setoption Bad value 64\nsetoption name Skill   Level value  10 \n"
                 "setoption name value value 5\n",
                 "X", "", 0, "", {{"Hash", ""}, {"Threads", ""}, {"Skill Level", "10"}, {"value", "5"}}, 1},
        ReadCase{"names and values are trimmed of blanks only",
                 "name   Alpha One  \nfilename  /x y/alpha \nelo \t2800\n", "Alpha One", "/x y/alpha", 0,
                 "\t2800", {}, 1},
        ReadCase{"a carriage return before trailing blanks ends the value",
                 "name Alpha\r \nfilename /e/alpha \r\r  \nelo 2500\r \r\n", "Alpha", "/e/alpha", 0, "2500", {}, 1},
        ReadCase{"the first protocol word found wins", "name P\nprotocol uci xboard_v2\n", "P", "", 1, "", {}, 1},
        ReadCase{"an unknown protocol changes nothing", "name P\nprotocol xboard_v1\nprotocol xboard\n", "P", "",
                 2, "", {}, 1},
        ReadCase{"other keywords are ignored", "# comment\nnames Q\n  name Q\nfilenames /no\n\n\n", "Q", "", 0,
                 "", {}, 1}),
    [](const testing::TestParamInfo<ReadCase>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

TEST_F(InstalledEnginesTest, ReadingReplacesTheListByTheFile)
{
    TempWorkingDir::write_file("engines.cfg", header + "\nname New\n");
    InstalledEngines list;
    list.add(engine("Old", "/old", 1));
    list.read_engines_cfg();
    EXPECT_TRUE(list.contains("New"));
    EXPECT_FALSE(list.contains("Old"));
}

TEST_F(InstalledEnginesTest, MissingFileLeavesTheListAlone)
{
    InstalledEngines list;
    list.add(engine("Old", "/old", 1));
    list.read_engines_cfg();
    EXPECT_TRUE(list.contains("Old"));
}

TEST_F(InstalledEnginesTest, SavingTwiceKeepsThePreviousVersionAsBackup)
{
    InstalledEngines list;
    list.add(engine("First", "/first", 1));
    list.write_engines_cfg();
    std::string first = TempWorkingDir::read_file("engines.cfg");
    list.add(engine("Second", "/second", 2));
    list.write_engines_cfg();
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg~"), first);
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg"), list.cfg_text());
    list.remove("First");
    std::string second = list.cfg_text();
    list.add(engine("First", "/first", 1));
    list.write_engines_cfg();
    EXPECT_NE(TempWorkingDir::read_file("engines.cfg~"), first);
    EXPECT_NE(TempWorkingDir::read_file("engines.cfg~"), second);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 3)
        << "no temporary file is left behind";
}

TEST_F(InstalledEnginesTest, ASaveThatCannotReplaceTheFileThrowsAndKeepsTheBackup)
{
    InstalledEngines list;
    list.add(engine("Good", "/good", 1));
    list.write_engines_cfg();
    list.write_engines_cfg();
    std::string good = TempWorkingDir::read_file("engines.cfg~");
    std::filesystem::remove("engines.cfg");
    std::filesystem::create_directory("engines.cfg");

    list.add(engine("Lost", "/lost", 1));
    EXPECT_THROW(
        {
            try {
                list.write_engines_cfg();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "InstalledEngines::write_engines_cfg()   open file error");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg~"), good);

    InstalledEngines reader;
    reader.read_engines_cfg();
    EXPECT_TRUE(reader.contains("Good"));
    EXPECT_FALSE(reader.contains("Lost"));
}

TEST_F(InstalledEnginesTest, AddRemoveContains)
{
    InstalledEngines list;
    EngineVariables unnamed;
    list.add(unnamed);
    EXPECT_TRUE(list.contains("NoNameYet"));
    EXPECT_EQ(list.engines().at("NoNameYet").get_name(), "");

    EngineVariables replaced = engine("Alpha", "/a1", 1);
    list.add(replaced);
    replaced.set_filename("/a2");
    list.add(replaced);
    EXPECT_EQ(list.engines().at("Alpha").get_filename(), "/a2");

    list.remove("Nobody");
    EXPECT_EQ(list.engines().size(), 2u);
    list.remove(replaced);
    EXPECT_FALSE(list.contains("Alpha"));
    EXPECT_FALSE(list.contains("Nobody"));
}

TEST_F(InstalledEnginesTest, NamesAreOrderedByUnsignedBytes)
{
    InstalledEngines list;
    for (const char* name : {"b", "\xc3\xa9t\xc3\xa9", "a", "ab", "B"}) {
        list.add(engine(name, "", 0));
    }
    std::vector<std::string> names;
    for (const auto& [name, ev] : list.engines()) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a", "ab", "b", "\xc3\xa9t\xc3\xa9"}));
}

TEST_F(InstalledEnginesTest, TextDump)
{
    InstalledEngines list;
    EXPECT_EQ(list.to_string(), "");
    EngineVariables ev = engine("A", "/a", 1);
    ev.set_option(Option("option name Hash type spin default 16 min 1 max 1024"));
    list.add(ev);
    EXPECT_EQ(list.to_string(), "\nname A\nfilename /a\nsetoption name Hash type spin value 16\n");
}

}
