#include "tests/manager/tournament_fixture.h"

#include <fstream>
#include <map>
#include <set>
#include <stdexcept>

namespace {

using enum TournamentType;

using Lines = std::vector<std::string>;

struct WorkedSchedule {
    const char* name;
    TournamentType type;
    int participants;
    int count;
    bool bothcolors;
    Lines games;
};

void PrintTo(const WorkedSchedule& c, std::ostream* out) { *out << c.name; }

class Schedule : public TournamentFixture, public ::testing::WithParamInterface<WorkedSchedule> {
protected:
    void make(TournamentType type, int participants, int count, bool bothcolors = false, bool randomorder = false)
    {
        add_participants(participants);
        m_tournament.set_type(type);
        m_tournament.set_iterations(count);
        m_tournament.set_bothcolors(bothcolors);
        m_tournament.set_randomorder(randomorder);
        m_tournament.new_games();
    }
};

// The worked examples of the schedule rules, and their edge cases.
TEST_P(Schedule, MatchesTheWorkedExample)
{
    const WorkedSchedule& c = GetParam();
    make(c.type, c.participants, c.count, c.bothcolors);
    EXPECT_EQ(summaries(), c.games);
    EXPECT_EQ(m_tournament.get_nbr_games(), static_cast<int>(c.games.size()));
    EXPECT_TRUE(m_tournament.is_valid());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Schedule,
    ::testing::Values(
        WorkedSchedule{"match_both_colours", match, 2, 4, true,
                       {"1 1 2-1 o1 *", "2 2 1-2 o1 *", "3 3 2-1 o2 *", "4 4 1-2 o2 *"}},
        WorkedSchedule{"match_count_0", match, 2, 0, false, {"1 1 2-1 o1 *"}},
        WorkedSchedule{"match_count_minus_5", match, 2, -5, false, {"1 1 2-1 o1 *"}},
        WorkedSchedule{"match_count_1000001", match, 2, 1000001, false, {"1 1 2-1 o1 *", "2 2 1-2 o2 *"}},
        WorkedSchedule{"match_of_five_uses_two", match, 5, 1, false, {"1 1 2-1 o1 *"}},
        WorkedSchedule{"gauntlet_of_three", gauntlet, 3, 2, false,
                       {"1 1.1 2-1 o1 *", "2 1.2 3-1 o1 *", "3 2.1 1-2 o2 *", "4 2.2 1-3 o2 *"}},
        WorkedSchedule{"gauntlet_of_four", gauntlet, 4, 1, false,
            {"1 1.1 2-1 o1 *", "2 1.2 3-1 o1 *", "3 1.3 4-1 o1 *"}},
        WorkedSchedule{"gauntlet_both_colours", gauntlet, 2, 3, true,
            {"1 1.1 2-1 o1 *", "2 2.1 1-2 o1 *", "3 3.1 2-1 o2 *"}},
        WorkedSchedule{"roundrobin_of_four", roundrobin, 4, 2, false,
                       {"1 1.1.1 1-4 o1 *", "2 1.1.2 2-3 o1 *", "3 1.2.1 4-3 o1 *", "4 1.2.2 2-1 o1 *",
                        "5 1.3.1 2-4 o1 *", "6 1.3.2 3-1 o1 *", "7 2.1.1 4-1 o2 *", "8 2.1.2 3-2 o2 *",
                        "9 2.2.1 3-4 o2 *", "10 2.2.2 1-2 o2 *", "11 2.3.1 4-2 o2 *", "12 2.3.2 1-3 o2 *"}},
        WorkedSchedule{"roundrobin_of_three", roundrobin, 3, 1, false,
            {"1 1.1.2 2-3 o1 *", "2 1.2.2 2-1 o1 *", "3 1.3.2 3-1 o1 *"}},
        WorkedSchedule{"roundrobin_of_two", roundrobin, 2, 3, false,
            {"1 1.1.1 1-2 o1 *", "2 2.1.1 2-1 o2 *", "3 3.1.1 1-2 o3 *"}},
        WorkedSchedule{"roundrobin_count_0", roundrobin, 4, 0, false, {}}));

TEST_F(Schedule, RoundRobinMeetsEveryPairOncePerCycleWithColoursSwappedNextCycle)
{
    for (int n = 2; n <= 9; ++n) {
        Tournament& t = m_tournament;
        t.clear();
        make(roundrobin, n, 3);
        std::vector<TournamentGame> games = t.get_games();
        ASSERT_EQ(games.size(), 3u * n * (n - 1) / 2) << n;
        std::map<std::pair<int, int>, std::vector<int>> whites;  // pair -> White's number per cycle
        std::map<std::pair<int, int>, std::set<int>> seated;     // (cycle, round) -> who played
        for (std::size_t i = 0; i < games.size(); ++i) {
            const TournamentGame& g = games[i];
            EXPECT_EQ(g.get_number(), static_cast<int>(i) + 1);
            int w = g.get_white().get_number(), b = g.get_black().get_number();
            whites[{std::min(w, b), std::max(w, b)}].push_back(w);
            seated[{g.get_cycle(), g.get_round()}].insert({w, b});
        }
        EXPECT_EQ(whites.size(), static_cast<std::size_t>(n * (n - 1) / 2)) << n;
        for (const auto& [pair, white] : whites) {
            ASSERT_EQ(white.size(), 3u);
            EXPECT_TRUE(white[0] != white[1] && white[0] == white[2]) << n << ": " << pair.first << "-" << pair.second;
        }
        std::map<int, int> rests;
        for (const auto& [round, players] : seated) {
            EXPECT_EQ(players.size(), static_cast<std::size_t>(n - n % 2));
            for (int p = 1; p <= n; ++p) {
                rests[p] += players.count(p) == 0;
            }
        }
        for (const auto& [p, count] : rests) {
            EXPECT_EQ(count, 3 * (n % 2)) << n << ": participant " << p << " sits out once per cycle";
        }
    }
}

TEST_F(Schedule, RoundRobinOfFiveLeavesBoardOneOutAndRestsOnePlayerARound)
{
    make(roundrobin, 5, 1);
    std::map<int, std::set<int>> seated;
    for (const TournamentGame& g : m_tournament.get_games()) {
        EXPECT_TRUE(g.get_subround() == 2 || g.get_subround() == 3);
        seated[g.get_round()].insert({g.get_white().get_number(), g.get_black().get_number()});
    }
    std::vector<int> resting;
    for (const auto& [round, players] : seated) {
        for (int p = 1; p <= 5; ++p) {
            if (players.count(p) == 0) {
                resting.push_back(p);
            }
        }
    }
    EXPECT_EQ(resting, (std::vector<int>{1, 5, 4, 3, 2}));
}

TEST_F(Schedule, FewerThanTwoParticipantsThrowEachItsText)
{
    for (auto [type, text] : {std::pair{match, "Tournament::new_match() wrong number of participants"},
                              std::pair{gauntlet, "Tournament::new_gauntlet() wrong number of participants"},
                              std::pair{roundrobin, "Tournament::new_roundrobin() wrong number of participants"}}) {
        for (int n : {0, 1}) {
            m_tournament.clear();
            add_participants(n);
            m_tournament.set_type(type);
            try {
                m_tournament.new_games();
                ADD_FAILURE() << text;
            } catch (const std::logic_error& e) {
                EXPECT_STREQ(e.what(), text);
            }
            EXPECT_FALSE(m_tournament.is_valid());
            EXPECT_TRUE(m_tournament.get_games().empty());
        }
    }
}

TEST_F(Schedule, UnknownTypeMakesNoGamesAndMakingAgainStartsAfresh)
{
    make(static_cast<TournamentType>(7), 3, 2);
    EXPECT_FALSE(m_tournament.is_valid());
    EXPECT_TRUE(m_tournament.get_games().empty());
    m_tournament.set_type(gauntlet);
    m_tournament.new_games();
    m_tournament.set_result("1-0");
    Lines first = summaries();
    m_tournament.new_games();
    EXPECT_EQ(first[0], "1 1.1 2-1 o1 1-0");
    EXPECT_EQ(summaries()[0], "1 1.1 2-1 o1 *");
    EXPECT_EQ(summaries().size(), first.size());
}

// Random openings come from 1..N of the suite counted when the schedule is
// made: never 0 (0 names no opening), every number reachable, both colours
// sharing one draw per two iterations; an empty suite gives 0.
TEST_F(Schedule, RandomOpeningsAreDrawnFromOneToTheSuiteSize)
{
    std::ofstream("suite.epd") << "8/8/8/8/8/8/8/K6k w - -\n\nrnbqkbnr/8/8/8/8/8/8/RNBQKBNR w KQkq -\n"
                                  "4k3/8/8/8/8/8/8/4K3 b - -\n";
    make(match, 2, 400, true, true);
    std::vector<TournamentGame> games = m_tournament.get_games();
    for (const TournamentGame& g : games) {
        EXPECT_EQ(g.get_opening(), 0) << "no suite named";
    }
    m_tournament.set_openingbook("suite.epd");
    m_tournament.new_games();
    EXPECT_EQ(m_tournament.get_nbr_openings(), 3u);
    games = m_tournament.get_games();
    std::set<int> drawn;
    for (std::size_t i = 0; i < games.size(); i += 2) {
        drawn.insert(games[i].get_opening());
        EXPECT_EQ(games[i].get_opening(), games[i + 1].get_opening()) << "both colours share the draw";
    }
    EXPECT_EQ(drawn, (std::set<int>{1, 2, 3}));
    m_tournament.set_bothcolors(false);
    m_tournament.set_type(roundrobin);
    m_tournament.set_iterations(200);
    m_tournament.new_games();
    drawn.clear();
    for (const TournamentGame& g : m_tournament.get_games()) {
        drawn.insert(g.get_opening());
    }
    EXPECT_EQ(drawn, (std::set<int>{1, 2, 3}));
}

}
