#include "tests/manager/tournament_fixture.h"

#include "manager/tournament_lock.h"

#include <filesystem>
#include <stdexcept>

namespace {

using enum TournamentType;

using torvane_test::TempWorkingDir;
using Lines = std::vector<std::string>;

// The file of a two-game match with one result, as the tournament file
// format's worked example gives it.
const std::string spring_match = "version 1.15\n"
                                 "event Spring Match\n"
                                 "site  ?\n"
                                 "level fixed_depth 10\n"
                                 "type match\n"
                                 "iterations 2\n"
                                 "parallelgames 1\n"
                                 "openingbook openings.epd\n"
                                 "bothcolors false\n"
                                 "randomorder false\n"
                                 "ignoretimeloss false\n"
                                 "pgnsize 0\n"
                                 "participant Alpha 1.0\n"
                                 "participant Beta 2\n"
                                 "game       1   round=1   opening=1  pairing=2-1   result=1-0\n"
                                 "game       2   round=2   opening=2  pairing=1-2   result=*\n";

class TrnFile : public TournamentFixture {
protected:
    // Loads text as "t.trn" into the fixture's tournament; the error text, or
    // "" when it loaded.
    std::string load(const std::string& text)
    {
        TempWorkingDir::write_file(trn("t"), text);
        try {
            m_tournament.load("t");
        } catch (const std::logic_error& e) {
            return e.what();
        }
        return "";
    }
    // Saves the tournament under the event "saved" and returns the text.
    std::string saved_text(Tournament& t)
    {
        t.set_event("saved");
        t.save();
        return TempWorkingDir::read_file(trn("saved"));
    }
};

TEST_F(TrnFile, WorkedExampleIsWrittenAndReadBack)
{
    Tournament& t = m_tournament;
    t.set_event("Spring Match");
    t.set_level("fixed_depth 10");
    t.set_iterations(2);
    t.set_openingbook("openings.epd");
    t.set_randomorder(false);
    t.add_participant(TournamentParticipant("Alpha 1.0"));
    t.add_participant(TournamentParticipant("Beta 2"));
    t.new_games();
    t.set_result("1-0");
    t.save();
    EXPECT_EQ(TempWorkingDir::read_file(trn("Spring Match")), spring_match);

    Tournament reread;
    reread.load("Spring Match");
    EXPECT_EQ(reread.get_event(), "Spring Match");
    EXPECT_EQ(reread.get_path(), "./tournaments/Spring Match.trn");
    EXPECT_EQ(reread.get_nbr_games(), 2);
    EXPECT_EQ(reread.get_participants()[1].get_number(), 2);
    EXPECT_EQ(reread.get_participants()[1].get_rating(), 2600);
    EXPECT_EQ(reread.next_game().get_white().get_name(), "Alpha 1.0");
    EXPECT_EQ(saved_text(reread), saved_text(t));
}

// The last line holds the length of the event's PGN file in the working
// directory when the file was saved.
TEST_F(TrnFile, NewTournamentSavesElevenLines)
{
    TempWorkingDir::write_file("Torvane Battles.pgn", std::string(1234, '\n'));
    m_tournament.save();
    EXPECT_EQ(TempWorkingDir::read_file(trn("Torvane Battles")),
              "version 1.15\nevent Torvane Battles\nsite  ?\nlevel sessions 40 0:10 0.1\ntype match\niterations 0\n"
              "parallelgames 1\nbothcolors false\nrandomorder true\nignoretimeloss false\npgnsize 1234\n");
    EXPECT_EQ(load(TempWorkingDir::read_file(trn("Torvane Battles"))), "");
    EXPECT_EQ(m_tournament.get_event(), "Torvane Battles");
    EXPECT_TRUE(m_tournament.get_games().empty());
}

struct RoundTrip {
    const char* name;
    TournamentType type;
    int participants;
    int count;
    bool bothcolors;
    bool randomorder;
    int results;
};

void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.name; }

class TrnRoundTrip : public TrnFile, public ::testing::WithParamInterface<RoundTrip> {};

// Every kind of tournament, with some results, reads back to the same games
// and writes the same file again.
TEST_P(TrnRoundTrip, LoadsWhatWasSaved)
{
    const RoundTrip& c = GetParam();
    Tournament& t = m_tournament;
    t.set_site("Club  room ");
    t.set_level("sessions 40 5 1.25");
    t.set_type(c.type);
    t.set_iterations(c.count);
    t.set_bothcolors(c.bothcolors);
    t.set_randomorder(c.randomorder);
    t.set_ignoretimeloss(c.randomorder);
    t.set_parallelgames(3);
    t.set_openingbook("suite.epd");
    TempWorkingDir::write_file("suite.epd", "4k3/8/8/8/8/8/8/4K3 w - -\n4k3/8/8/8/8/8/8/3QK3 w - -\n");
    add_participants(c.participants);
    t.add_participant(TournamentParticipant("Inner  blanks "));
    t.new_games();
    const char* results[] = {"1-0", "0-1", "1/2-1/2"};
    for (int i = 0; i < c.results; ++i) {
        t.set_result(results[i % 3]);
    }
    std::string text = saved_text(t);
    Lines games = summaries();

    Tournament reread;
    reread.load("saved");
    EXPECT_EQ(saved_text(reread), text);
    EXPECT_EQ(reread.get_nbr_openings(), 2u);
    m_tournament.load("saved");
    EXPECT_EQ(summaries(), games);
    EXPECT_EQ(m_tournament.get_nbr_games(), static_cast<int>(games.size()));
    EXPECT_EQ(m_tournament.next_game().get_number(), c.results + 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TrnRoundTrip,
                         ::testing::Values(RoundTrip{"match", match, 2, 6, true, false, 3},
                                           RoundTrip{"gauntlet", gauntlet, 4, 2, false, true, 5},
                                           RoundTrip{"roundrobin_odd", roundrobin, 4, 2, true, true, 11},
                                           RoundTrip{"roundrobin_even", roundrobin, 5, 1, false, false, 0}));

#define TWO "participant A\nparticipant B\n"
#define CURRENT "version 1.15\n" TWO

TEST_F(TrnFile, ReadsWhatItCanAndRefusesTheRest)
{
    const char* const load_error = "Tournament::load    error";
    const struct {
        const char* name;
        const char* text;
        const char* error;
        Lines games;
        int nbr_games;
    } cases[] = {
        {"older_form", TWO "game 1 1 1 - 2 *\ngame 2 2 2 x 1 1-0\n", "", {"1 1 1-2 o0 *", "2 2 2-1 o0 1-0"}, 2},
        {"older_form_short", TWO "game 1 1 1 - 2\n", load_error, {}, 0},
        {"no_result_counts_as_played", CURRENT "game 1 round=1 opening=3 pairing=1-2\n", "", {"1 1 1-2 o3 "}, 1},
        {"no_opening_gives_0", CURRENT "game 4 round=1.2 pairing=2-1 result=0-1\n", "", {"4 1.2 2-1 o0 0-1"}, 4},
        {"later_key_wins", CURRENT "game 1 round=1 x=y round=2.1 pairing=1-2 pairing=2-1 result=*\n", "",
         {"1 2.1 2-1 o0 *"}, 1},
        {"numbers_1_2_5", CURRENT "game 1 pairing=1-2\ngame 2 pairing=1-2\ngame 5 pairing=2-1\n", "",
         {"1 0 1-2 o0 ", "2 0 1-2 o0 ", "5 0 2-1 o0 "}, 5},
        {"no_final_line_end", CURRENT "game 1 round=1 pairing=1-2 result=*\ngame 2 round=2 pairing=2-1 result=*",
         load_error, {"1 1 1-2 o0 *"}, 1},
        {"older_form_no_final_line_end", TWO "game 1 1 1 - 2 1-0", load_error, {}, 0},
        {"no_final_line_end_after_a_game", CURRENT "game 1 round=1 pairing=1-2 result=*\nremark", "",
         {"1 1 1-2 o0 *"}, 1},
        {"no_pairing", CURRENT "game 1 round=1 pairing=1-2 result=*\ngame 2 round=2 result=*\n", load_error,
         {"1 1 1-2 o0 *"}, 1},
        {"half_pairing", CURRENT "game 1 round=1 pairing=1- result=*\n", load_error, {}, 0},
        {"game_number_not_a_number", CURRENT "game x round=1 pairing=1-2\n", load_error, {}, 0},
        {"game_number_too_large", CURRENT "game 99999999999 round=1 pairing=1-2\n", load_error, {}, 0},
        {"opening_not_a_number", CURRENT "game 1 opening=one pairing=1-2\n", load_error, {}, 0},
        {"iterations_x", CURRENT "iterations x\ngame 1 pairing=1-2\n", load_error, {}, 0},
        {"parallelgames_empty", "parallelgames\n", load_error, {}, 0},
        {"participant_not_listed", CURRENT "game 1 pairing=1-2 result=*\ngame 2 pairing=1-3 result=*\n",
         "Tournament::load    game 2 names participant 3, the file lists 2", {"1 0 1-2 o0 *"}, 1},
        {"refused_level", "level blitz 5\n", "Level::set(blitz)", {}, 0},
        {"event_leaving_the_directory", "event ../x\n",
         "Tournament: the event name \"../x\" can't name a file (empty, \"/\", a line end, a leading \".\" or "
         "more than 245 bytes)",
         {}, 0},
        {"unknown_keyword_is_skipped", "version 1\nremark game 9 pairing=5-5\n" TWO "game 1 pairing=2-1\n", "",
         {"1 0 2-1 o0 "}, 1},
        {"empty", "", "", {}, 0},
        {"crlf", "version 1.15\r\n" TWO "game 1 round=1.2.3 pairing=1-2 result=1-0\r\n", "", {"1 1.2.3 1-2 o0 1-0"}, 1},
        // Cut short: inside a keyword, after one participant, before the
        // last game that the iterations call for.
        {"cut_in_keyword", CURRENT "game 1 pairing=1-2\ngam", load_error, {"1 0 1-2 o0 "}, 1},
        {"one_participant", "participant A\n", load_error, {}, 0},
        {"fewer_games_than_scheduled", CURRENT "iterations 2\ngame 1 pairing=1-2\n", load_error, {"1 0 1-2 o0 "}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.text), c.error) << c.name;
        EXPECT_EQ(summaries(), c.games) << c.name;
        EXPECT_EQ(m_tournament.get_nbr_games(), c.nbr_games) << c.name;
    }
}

TEST_F(TrnFile, SettingsLinesReadAsWritten)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(load("remark a b\n"), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "unknown command \"remark\"\n");
    EXPECT_EQ(load("event    Far\nsite   Old  hall \ntype Gauntlet\nrounds 3\nbothcolors yes\nrandomorder 1\n"
                   "ignoretimeloss true\nparticipant  Trailing  \nparticipant B\nparallelgames 4\nlevel sudden_death 0 2 16.3\n"
                   "game 1 1 1 - 2 *\ngame 2 2 2 - 1 *\ngame 3 3 1 - 2 *\n"),
              "");
    EXPECT_EQ(m_tournament.get_event(), "Far");
    EXPECT_EQ(m_tournament.get_site(), "Old  hall ");
    EXPECT_EQ(m_tournament.get_type(), match) << "the type word is case-sensitive";
    EXPECT_EQ(m_tournament.get_iterations(), 3);
    EXPECT_FALSE(m_tournament.get_bothcolors() || m_tournament.get_randomorder());
    EXPECT_TRUE(m_tournament.get_ignoretimeloss());
    EXPECT_EQ(m_tournament.get_participant_names(), (Lines{"Trailing  ", "B"}));
    EXPECT_EQ(m_tournament.get_parallelgames(), 4);
    EXPECT_EQ(m_tournament.get_level(), "sudden_death 0 2 16.3");
    EXPECT_EQ(load("type xroundrobinx\n"), "");
    EXPECT_EQ(m_tournament.get_type(), roundrobin);
    EXPECT_EQ(m_tournament.get_event(), "?");
}

// Each load reads the game lines by its own file's form: a "version" line
// seen in an earlier file does not make a later older-form file current.
TEST_F(TrnFile, EachLoadStartsWithoutVersionAndOpeningCount)
{
    ASSERT_EQ(load(CURRENT "openingbook suite.epd\ngame 1 pairing=1-2\n"), "");
    EXPECT_EQ(load(TWO "game 1 1 2 - 1 0-1\n"), "");
    EXPECT_EQ(summaries(), Lines{"1 1 2-1 o0 0-1"});
    EXPECT_EQ(m_tournament.get_nbr_openings(), 0u);
}

TEST_F(TrnFile, CrLfFileLoadsLikeItsLfCopy)
{
    std::string crlf;
    for (char c : spring_match) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    ASSERT_EQ(load(crlf), "");
    std::string lf = spring_match;
    EXPECT_EQ(saved_text(m_tournament), lf.replace(lf.find("Spring Match"), 12, "saved"));
}

// A file cut anywhere is refused with a logic_error, or loads whole, or,
// cut before its first participant, loads as a tournament with neither
// participants nor games, which has nothing to play: no cut loads as a
// smaller tournament. Cut inside a game line or its keyword, it is refused
// as a load error, and only the games of whole lines are read, none of them
// counted as played unless its line said so.
TEST_F(TrnFile, TruncatedFilesLoadOrFailCleanly)
{
    const Lines whole_games = {"1 1 2-1 o1 1-0", "2 2 1-2 o2 *"};
    const std::size_t games_start = spring_match.find("\ngame") + 1;
    for (std::size_t length = 0; length <= spring_match.size(); ++length) {
        std::string text = spring_match.substr(0, length);
        std::string error = load(text);
        if (error.empty()) {
            const bool nothing = m_tournament.get_participants().empty() && m_tournament.get_games().empty();
            EXPECT_TRUE(length == spring_match.size() ? summaries() == whole_games : nothing) << text;
        }
        if (length > games_start && length < spring_match.size()) {
            EXPECT_EQ(error, "Tournament::load    error") << text;
        }
        std::size_t whole = 0;
        for (std::size_t at = text.find("\ngame"); at != std::string::npos; at = text.find("\ngame", at + 1)) {
            whole += text.find('\n', at + 1) != std::string::npos;
        }
        EXPECT_EQ(summaries(), Lines(whole_games.begin(), whole_games.begin() + whole)) << text;
    }
}

TEST_F(TrnFile, MissingFileIsNamedAndLeavesTheResetTournament)
{
    ASSERT_EQ(load(""), "");
    add_participants(2);
    m_tournament.set_event("Kept");
    try {
        m_tournament.load("nobody");
        ADD_FAILURE() << "loaded a missing file";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "./tournaments/nobody.trn doesn't exist!");
    }
    EXPECT_EQ(m_tournament.get_event(), "?");
    EXPECT_TRUE(m_tournament.get_participants().empty());
    EXPECT_EQ(m_tournament.get_path(), "./tournaments/t.trn");
}

TEST_F(TrnFile, RenamedEventSavesASecondFileAndRefusedNamesWriteNothing)
{
    m_tournament.save();
    std::string first = TempWorkingDir::read_file(trn("Torvane Battles"));
    m_tournament.set_event("Renamed");
    m_tournament.save();
    EXPECT_EQ(TempWorkingDir::read_file(trn("Torvane Battles")), first);
    // The longest event whose lock file can be made: its name is 255 bytes.
    m_tournament.set_event(std::string(245, 'x'));
    m_tournament.save();
    TournamentLock lock;
    EXPECT_EQ(lock.claim(m_tournament.save_path()), TournamentLock::Claim::held);
    lock.release();
    std::filesystem::remove(TournamentLock::lock_path(m_tournament.save_path()));
    std::filesystem::remove(m_tournament.save_path());
    for (const std::string& bad : std::vector<std::string>{"", "../escaped", ".hidden", "sub/dir", std::string(246, 'x')}) {
        m_tournament.set_event(bad);
        EXPECT_THROW(m_tournament.save(), std::logic_error) << bad;
    }
    m_tournament.set_event("ok");
    m_tournament.set_site("two\nlines");
    EXPECT_THROW(m_tournament.save(), std::logic_error);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
        files += entry.is_regular_file();
    }
    EXPECT_EQ(files, 2u) << "a refused save writes nothing";
}

TEST(TournamentGameText, NumberRoundAndPairingAsTheFileHasThem)
{
    struct Case {
        int number, cycle, round, subround;
        const char* round_text;
        const char* line;
    };
    for (const Case& c : {Case{1, 0, 3, 0, "3", "      1   round=3   opening=0  pairing=0-0   result=*"},
                          Case{1234567, 0, 2, 4, "2.4", "1234567   round=2.4   opening=0  pairing=0-0   result=*"},
                          Case{12345678, 1, 5, 2, "1.5.2", "12345678   round=1.5.2   opening=0  pairing=0-0   result=*"}}) {
        TournamentGame game;
        game.set_number(c.number);
        game.set_cycle(c.cycle);
        game.set_round(c.round);
        game.set_subround(c.subround);
        EXPECT_EQ(game.round_str(), c.round_text);
        EXPECT_EQ(game.str(), c.line);
        TournamentGame reread;
        reread.set_round_str(c.round_text);
        EXPECT_EQ(reread.get_cycle() * 10000 + reread.get_round() * 100 + reread.get_subround(),
                  c.cycle * 10000 + c.round * 100 + c.subround);
    }
    for (auto [text, cycle, round, subround] : {std::tuple{"7", 0, 7, 0}, {"1.2.3.4", 0, 1, 0}, {"x.2", 0, 0, 0},
                                                {"", 0, 0, 0}, {"3.x.1", 3, 0, 0}}) {
        TournamentGame game;
        game.set_cycle(9);
        game.set_subround(9);
        game.set_round_str(text);
        EXPECT_EQ(std::tuple(game.get_cycle(), game.get_round(), game.get_subround()), std::tuple(cycle, round, subround))
            << text;
    }
}

}
