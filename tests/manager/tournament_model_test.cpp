#include "tests/manager/tournament_fixture.h"

#include <stdexcept>

namespace {

using enum TournamentType;

using Model = TournamentFixture;

TEST_F(Model, NewTournamentHoldsTheDefaults)
{
    const Tournament& t = m_tournament;
    EXPECT_EQ(t.get_event(), "Torvane Battles");
    EXPECT_EQ(t.get_site(), "?");
    EXPECT_EQ(t.get_level(), "sessions 40 0:10 0.1");
    EXPECT_EQ(t.get_type(), match);
    EXPECT_EQ(t.get_iterations(), 0);
    EXPECT_EQ(t.get_parallelgames(), 1);
    EXPECT_TRUE(t.get_randomorder());
    EXPECT_FALSE(t.get_bothcolors() || t.get_ignoretimeloss() || t.is_valid());
    EXPECT_TRUE(t.is_finished());
    EXPECT_EQ(t.next_game().get_number(), 0);
    EXPECT_EQ(t.next_game().get_result(), "*");
    EXPECT_EQ(t.next_game().get_white().get_rating(), 2600);
}

TEST_F(Model, GamesAreTakenAndScoredInListOrder)
{
    add_participants(2);
    for (const char* result : {"1-0", "*", " *", "**", "*"}) {
        TournamentGame game;
        game.set_number(m_tournament.get_games().size() + 1);
        game.set_result(result);
        m_tournament.add_game(game);
    }
    EXPECT_EQ(m_tournament.get_nbr_games(), 0) << "adding a game does not count it";
    EXPECT_EQ(m_tournament.next_game().get_number(), 2);
    m_tournament.set_result("0-1");
    EXPECT_EQ(m_tournament.next_game().get_number(), 5) << "\" *\" and \"**\" count as played";
    m_tournament.set_result("1/2-1/2");
    EXPECT_TRUE(m_tournament.is_finished());
    m_tournament.set_result("1-0");
    EXPECT_EQ(m_tournament.get_games()[4].get_result(), "1/2-1/2") << "a finished list stays as it is";
    m_tournament.reset_results();
    EXPECT_FALSE(m_tournament.is_finished());
    EXPECT_EQ(m_tournament.next_game().get_number(), 1);
}

TEST_F(Model, ParticipantsAreNumberedByPositionAndEqualByName)
{
    add_participants(2);
    TournamentParticipant seventh("Seventh");
    seventh.set_number(7);
    seventh.set_rating(1800);
    m_tournament.add_participant(seventh);
    EXPECT_EQ(m_tournament.get_participants()[2].get_number(), 3);
    EXPECT_EQ(m_tournament.get_participants()[2].get_rating(), 1800);
    EXPECT_EQ(m_tournament.get_participant_names(), (std::vector<std::string>{"E1", "E2", "Seventh"}));
    EXPECT_EQ(TournamentParticipant("Seventh"), seventh);
    EXPECT_NE(TournamentParticipant("seventh"), seventh);
}

TEST_F(Model, ResetAndClearKeepWhatTheyShould)
{
    add_participants(3);
    m_tournament.set_iterations(4);
    m_tournament.set_site("Here");
    m_tournament.set_level("fixed_depth 3");
    m_tournament.set_bothcolors(true);
    m_tournament.set_randomorder(false);
    m_tournament.set_ignoretimeloss(true);
    m_tournament.set_openingbook("suite.epd");
    m_tournament.set_type(gauntlet);
    m_tournament.new_games();
    m_tournament.clear();
    EXPECT_TRUE(m_tournament.get_games().empty() && m_tournament.get_participants().empty());
    EXPECT_EQ(m_tournament.get_nbr_games(), 8) << "clear keeps the game count";
    m_tournament.reset();
    EXPECT_EQ(m_tournament.get_nbr_games(), 0);
    EXPECT_EQ(m_tournament.get_event(), "?");
    EXPECT_EQ(m_tournament.get_type(), match);
    EXPECT_EQ(m_tournament.get_openingbook(), "");
    EXPECT_FALSE(m_tournament.get_bothcolors() || m_tournament.get_randomorder() || m_tournament.is_valid());
    EXPECT_TRUE(m_tournament.get_ignoretimeloss());
    EXPECT_EQ(m_tournament.get_iterations(), 4);
    EXPECT_EQ(m_tournament.get_site(), "Here");
    EXPECT_EQ(m_tournament.get_level(), "fixed_depth 3");
}

TEST_F(Model, RefusedLevelKeepsTheTimeControl)
{
    m_tournament.set_level("sessions 40 5 1.25");
    EXPECT_THROW(m_tournament.set_level("blitz 5 0"), std::logic_error);
    EXPECT_EQ(m_tournament.get_level(), "sessions 40 5 1.25");
}

TEST(EventName, OnlyNamesThatStayInTheTournamentsDirectoryPass)
{
    for (const char* good : {"Torvane Battles", "a", "x..y", "Spring Match 2.0", " lead"}) {
        EXPECT_TRUE(Tournament::is_valid_event_name(good)) << good;
        EXPECT_NO_THROW(Tournament::check_event_name(good));
    }
    for (auto [bad, shown] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {".", "."}, {"..", ".."}, {"../x", "../x"}, {".hidden", ".hidden"}, {"a/b", "a/b"},
             {"two\nlines", "two\\nlines"}, {"cr\r", "cr\\r"}, {std::string("n\0ul", 4), "n\\0ul"}}) {
        EXPECT_FALSE(Tournament::is_valid_event_name(bad)) << bad;
        try {
            Tournament::check_event_name(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + shown + "\""), std::string::npos) << e.what();
        }
    }
}

}
