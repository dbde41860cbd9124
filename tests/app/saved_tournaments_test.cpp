#include "app/saved_tournaments.h"
#include "manager/tournament.h"
#include "tests/engines/temp_working_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

TEST(SavedTournaments, ListsExactlyTheTrnFilesInDirectoryOrder)
{
    torvane_test::TempWorkingDir directory;
    std::filesystem::create_directory("tournaments");
    for (const char* file : {"b.trn", "a.trn", "a.trn~", "a.TRN", "a.txt", ".trn", "x.y.trn", "round robin.trn"})
        torvane_test::TempWorkingDir::write_file("tournaments/" + std::string(file), "");
    std::vector<std::string> expected;
    for (const auto& entry : std::filesystem::directory_iterator("tournaments"))
        if (entry.path().extension() == ".trn")
            expected.push_back(entry.path().stem().string());
    EXPECT_EQ(saved_tournament_names("tournaments/"), expected);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, (std::vector<std::string>{"a", "b", "round robin", "x.y"}));
    EXPECT_TRUE(saved_tournament_names("missing/").empty());
}

TEST(SavedTournaments, ResultsAtStakeCountsPlayedGames)
{
    torvane_test::TempWorkingDir directory;
    Tournament tournament;
    tournament.set_event("cup");
    tournament.set_iterations(1);
    tournament.set_type(TournamentType::roundrobin);
    for (const char* name : {"a", "b", "c"})
        tournament.add_participant(TournamentParticipant(name));
    tournament.new_games();
    tournament.save();
    EXPECT_EQ(results_at_stake("cup"), "");
    EXPECT_EQ(results_at_stake("none"), "");
    tournament.set_result("1-0");
    tournament.save();
    EXPECT_EQ(results_at_stake("cup"), "\"cup.trn\" holds the results of 1 game.");
    tournament.set_result("1/2-1/2");
    tournament.save();
    EXPECT_EQ(results_at_stake("cup"), "\"cup.trn\" holds the results of 2 games.");
    torvane_test::TempWorkingDir::write_file("tournaments/bad.trn", "iterations many\n");
    EXPECT_EQ(results_at_stake("bad").rfind("\"bad.trn\" exists but cannot be read", 0), 0u);
}

TEST(SavedTournaments, LeadingIntegerReadsLikeAStream)
{
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"12abc", 12}, {" 7", 7},   {"\t-3x", -3}, {"+4", 4}, {"0", 0}, {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {"abc", std::nullopt}, {"-", std::nullopt}, {" + 5", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leading_integer(c.text), c.value) << c.text;
}

}
