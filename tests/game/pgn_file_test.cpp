#include "game/game_header.h"
#include "game/pgn_error.h"
#include "game/pgn_file.h"
#include "game/pgn_limits.h"
#include "tests/game/pgn_test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/resource.h>

namespace {

using pgn_test::read_file;
using pgn_test::write_temp_file;

std::string first_game_of(const std::string& bytes)
{
    PgnFile file;
    file.open(write_temp_file("game.pgn", bytes));
    return file.first_game();
}

struct ReadCase {
    std::string name;
    std::string file;
    std::string game;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadGameCases : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadGameCases, CutTheFirstGame)
{
    EXPECT_EQ(first_game_of(GetParam().file), GetParam().game);
}

INSTANTIATE_TEST_SUITE_P(
    Games, ReadGameCases,
    testing::Values(
        ReadCase{"TextBeforeFirstTag", "junk\n[Event \"a\"]\n\n1. e4 *\n", "[Event \"a\"]\n\n1. e4 *\n\n"},
        ReadCase{"EscapeLines", "[Event \"a\"]\n%skip [this]\n1. e4 {a\n%gone\nb} % e5 *",
                 "[Event \"a\"]\n1. e4 {a\nb} % e5 *\n\n"},
        ReadCase{"CrLf", "[Event \"a\"]\r\n[Site \"b\"]\r\n\r\n1. e4 e5 1-0\r\n",
                 "[Event \"a\"]\n[Site \"b\"]\n\n1. e4 e5 1-0\n\n"},
        ReadCase{"NoTermination", "[Event \"a\"]\n\n1. e4 e5\n", "[Event \"a\"]\n\n1. e4 e5\n"},
        ReadCase{"BlackWins", "[E \"a\"] 1. f3 e5 0-1 [E \"b\"] *", "[E \"a\"] 1. f3 e5 0-1\n\n"},
        ReadCase{"Draw", "[E \"a\"] 1. e4 1/2-1/2 [E \"b\"] *", "[E \"a\"] 1. e4 1/2-1/2\n\n"},
        ReadCase{"NoResults", "[E \"a\"] 1-1 1/2-0 0-0 0-0-0 *", "[E \"a\"] 1-1 1/2-0 0-0 0-0-0 *\n\n"},
        ReadCase{"StarInsideCommentAndTag", "[E \"*\"] {*} 1. e4 {1-0} *", "[E \"*\"] {*} 1. e4 {1-0} *\n\n"},
        ReadCase{"ResultRightAfterTags", "[E \"a\"]\n\n*\n[E \"b\"] *", "[E \"a\"]\n\n*\n\n"},
        ReadCase{"Utf8InCommentAndTag", "[White \"Jos\xC3\xA9\"] {\xC3\xA9t\xC3\xA9} e4 *",
                 "[White \"Jos\xC3\xA9\"] {\xC3\xA9t\xC3\xA9} e4 *\n\n"},
        ReadCase{"HighBytesBetweenTagsDropped", "[E \"a\"]\xC3\xA9\n[S \"b\"] *", "[E \"a\"]\n[S \"b\"] *\n\n"},
        // Annotated games carry long comments: any length within the game bound.
        ReadCase{"LongComment", "[E \"a\"] {" + std::string(500000, 'c') + "} *",
                 "[E \"a\"] {" + std::string(500000, 'c') + "} *\n\n"},
        ReadCase{"Tag4096", "[" + std::string(4095, 't') + "] *", "[" + std::string(4095, 't') + "] *\n\n"},
        ReadCase{"NoGame", "no tags here", ""}));

struct DamageCase {
    std::string name;
    std::string file;
    std::string marked;
    std::string reason;
};

void PrintTo(const DamageCase& c, std::ostream* out)
{
    *out << c.name;
}

class DamagedGames : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedGames, ThrowTheTextWithItsMarker)
{
    PgnFile file;
    file.open(write_temp_file("damaged.pgn", GetParam().file));
    try {
        file.read_game();
        FAIL() << "no error";
    } catch (const pgn_error& error) {
        EXPECT_EQ(error.text(), GetParam().marked);
        EXPECT_EQ(error.reason(), GetParam().reason);
    }
}

// What the reader holds of a game that reaches the bound: all but the last
// sixteen bytes below it, kept for the termination marker.
std::string cut_at_bound(const std::string& game)
{
    return game.substr(0, max_game_bytes - 16);
}

const std::string moves_without_end = [] {
    std::string text = "[E \"a\"]\n";
    while (text.size() < max_game_bytes)
        text += "Nf3 Nf6 Ng1 Ng8\n";
    return text;
}();
const std::string endless_comment = "[E \"a\"] {" + std::string(max_game_bytes, 'c') + "} *";
const std::string too_large = "the game's text is over 4194304 bytes";

INSTANTIATE_TEST_SUITE_P(
    Games, DamagedGames,
    testing::Values(DamageCase{"Tag4097", "[" + std::string(4096, 't') + "] *",
                               "[" + std::string(4096, 't') + "ERROR] \n\n * \n\n",
                               "a tag pair is over 4096 bytes"},
                    DamageCase{"ByteBetweenMoves", "[E \"a\"] 1. e4 \xC3\xA9 e5 *", "[E \"a\"] 1. e4 ?????\n\n",
                               "a byte above 127 stands between the moves"},
                    DamageCase{"MovesWithoutEnd", moves_without_end, cut_at_bound(moves_without_end) + " ERROR *\n\n",
                               too_large},
                    DamageCase{"EndlessComment", endless_comment, cut_at_bound(endless_comment) + "ERROR} *\n\n",
                               too_large}));

const std::string three_games = "[Event \"1\"]\n\n1. e4 *\n\n"
                                "[Event \"2\"]\n\n1. d4 \xC3\xA9 *\n\n"
                                "[Event \"3\"]\n\n1. c4 *\n\n";

TEST(PgnFile, NextGameSkipsDamagedGamesAndSaysWhichAndWhy)
{
    PgnFile file;
    file.open(write_temp_file("three.pgn", three_games + "[Event \"4\"]\n\n1. b3 {" + std::string(1100, 'x') + "} *\n"));
    EXPECT_TRUE(file.is_open());
    EXPECT_EQ(file.next_game(), "[Event \"1\"]\n\n1. e4 *\n\n");
    EXPECT_EQ(file.game_number(), 1);
    EXPECT_TRUE(file.take_skipped_games().empty());
    EXPECT_EQ(file.next_game(), "[Event \"3\"]\n\n1. c4 *\n\n");
    EXPECT_EQ(file.game_number(), 3);
    const auto skipped = file.take_skipped_games();
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].number, 2);
    EXPECT_EQ(skipped[0].reason, "a byte above 127 stands between the moves");
    EXPECT_TRUE(file.take_skipped_games().empty());
    EXPECT_EQ(file.next_game(), "[Event \"4\"]\n\n1. b3 {" + std::string(1100, 'x') + "} *\n\n");
    EXPECT_EQ(file.next_game(), "");
    EXPECT_EQ(file.next_game(), "");
    EXPECT_EQ(file.first_game(), "[Event \"1\"]\n\n1. e4 *\n\n");
    EXPECT_EQ(file.game_number(), 1);
}

TEST(PgnFile, GameWithoutTerminationEndsAtTheNextTagLine)
{
    PgnFile file;
    file.open(write_temp_file("open.pgn", "[Event \"1\"]\r\n\r\n1. e4 e5 {see [Event]}\r\n\r\n"
                                          "[Event \"2\"]\n\n1. d4 *\n"));
    EXPECT_EQ(file.next_game(), "[Event \"1\"]\n\n1. e4 e5 {see [Event]}\n\n");
    EXPECT_EQ(file.next_game(), "[Event \"2\"]\n\n1. d4 *\n\n");
    EXPECT_EQ(file.next_game(), "");
}

TEST(PgnFile, GameCountsReadableGames)
{
    PgnFile file;
    file.open(write_temp_file("three.pgn", three_games));
    EXPECT_EQ(file.game(0), "[Event \"1\"]\n\n1. e4 *\n\n");
    EXPECT_EQ(file.game(2), "[Event \"3\"]\n\n1. c4 *\n\n");
    EXPECT_EQ(file.game(3), "");
}

// The text of listed game n, or for a damaged game the text up to the damage
// and, after "|", why it is damaged.
std::string listed_text(PgnFile& file, int n)
{
    try {
        return file.listed_game(n);
    } catch (const pgn_error& damaged) {
        return damaged.text() + "|" + damaged.reason();
    }
}

TEST(PgnFile, ListedGameCountsLikeTheGameList)
{
    const std::string bytes = "\xEF\xBB\xBF[Event \"1\"]\n[White \"a\"]\n\n1. e4 *\n\n"
                              "[Event \"2\"]\n\n1. d4 \xC3\xA9 d5 *\n\n"
                              "[Event \"3\"]\n\n1. c4 *\n\n"
                              "[Event \"4\"]\n\n1. b3 *\n";
    PgnFile file;
    file.open(write_temp_file("listed.pgn", bytes));
    std::vector<std::string> events;
    for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file))
        events.push_back(header->front().second);
    ASSERT_EQ(events, (std::vector<std::string>{"1", "2", "3", "4"}));
    const std::string damaged = "[Event \"2\"]\n\n1. d4 ?????\n\n|a byte above 127 stands between the moves";
    EXPECT_EQ(listed_text(file, 1), "[Event \"1\"]\n[White \"a\"]\n\n1. e4 *\n\n");
    EXPECT_EQ(listed_text(file, 2), damaged);
    EXPECT_EQ(listed_text(file, 3), "[Event \"3\"]\n\n1. c4 *\n\n");
    EXPECT_EQ(listed_text(file, 4), "[Event \"4\"]\n\n1. b3 *\n\n");
    EXPECT_EQ(listed_text(file, 5), "");
    EXPECT_EQ(listed_text(file, 2), damaged);
    EXPECT_EQ(file.next_game(), "[Event \"3\"]\n\n1. c4 *\n\n");
    // The reader itself still skips the damaged game.
    EXPECT_EQ(file.game(3), "[Event \"4\"]\n\n1. b3 *\n\n");
}

// A game reads the same wherever the file's blocks of 64 KiB, read one at a
// time, cut it: each of its bytes in turn is put first in the second block.
TEST(PgnFile, GamesReadTheSameWhereverTheReadBlocksCutThem)
{
    const std::string games[] = {"[E \"a\"]\n\n1. e4 e5 1-0\n\n", "[E \"b\"]\n\n1. Re1{c} 11-0 1/2-1/2\n\n",
                                 "[E \"c\"]\r\n\r\n1. d4\r\n%esc\r\n{a\n%x\n} d5 *\r\n", "[W \"x]\\\"\"] {y} e4\n[E]",
                                 "[E \"e\"]\n\n1. e4 \xC3\xA9 *"};
    const std::size_t block = 1 << 16;
    for (const std::string& game : games) {
        PgnFile alone;
        alone.open(write_temp_file("alone.pgn", game));
        const std::string expected = listed_text(alone, 1);
        for (std::size_t shift = 0; shift < game.size(); ++shift) {
            const std::string opening = "[P \"\"] {";
            const std::string closing = "} *\n\n";
            const std::size_t filler = block - shift - opening.size() - closing.size();
            const std::string padding = opening + std::string(filler, 'p') + closing;
            PgnFile file;
            file.open(write_temp_file("cut.pgn", padding + game));
            EXPECT_EQ(listed_text(file, 2), expected) << pgn_test::printable(game) << " " << shift;
            std::size_t rows = 0;
            for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file))
                ++rows;
            // A tag that starts a line after the moves begins one game more.
            EXPECT_EQ(rows, game.find("\n[E]") == std::string::npos ? 2u : 3u) << pgn_test::printable(game) << shift;
        }
    }
}

TEST(PgnFile, EachGameIsMeasuredAfresh)
{
    PgnFile file;
    file.open(write_temp_file("cut.pgn", "[Event \"1\"]\n{" + std::string(1000, 'x')));
    EXPECT_EQ(file.next_game().size(), 13u + 1000u);
    file.open(write_temp_file("next.pgn", "[Event \"2\"] {" + std::string(100, 'y') + "} *"));
    EXPECT_EQ(file.next_game(), "[Event \"2\"] {" + std::string(100, 'y') + "} *\n\n");
}

TEST(PgnFile, MissingFileGivesNoGames)
{
    PgnFile file;
    file.open("/nonexistent/torvane.pgn");
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(file.next_game(), "");
    EXPECT_EQ(file.first_game(), "");
    EXPECT_EQ(file.game(2), "");
    EXPECT_EQ(file.listed_game(1), "");
}

TEST(PgnFile, FailedOpenKeepsTheRememberedFile)
{
    PgnFile file;
    file.open(write_temp_file("one.pgn", "[Event \"1\"] *"));
    EXPECT_TRUE(file.is_open());
    file.open("/nonexistent/torvane.pgn");
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(file.next_game(), "");
    EXPECT_EQ(file.first_game(), "[Event \"1\"] *\n\n");
}

TEST(PgnFile, AppendAddsToWhatWasThere)
{
    const std::string path = write_temp_file("saved.pgn", "[Event \"old\"]\n\n*\n\n");
    PgnFile file;
    ASSERT_TRUE(file.open_append(path));
    ASSERT_TRUE(file.write("[Event \"new\"]\n\n1. e4 *\n\n"));
    ASSERT_TRUE(file.close_append());
    EXPECT_EQ(read_file(path), "[Event \"old\"]\n\n*\n\n[Event \"new\"]\n\n1. e4 *\n\n");
}

TEST(PgnFile, AppendCreatesAMissingFile)
{
    const std::string path = write_temp_file("first.pgn", "") + ".new";
    PgnFile file;
    const mode_t previous_umask = umask(002);
    ASSERT_TRUE(file.open_append(path));
    umask(previous_umask);
    ASSERT_TRUE(file.write("*\n\n"));
    ASSERT_TRUE(file.close_append());
    EXPECT_EQ(read_file(path), "*\n\n");
    // What the user's umask leaves of 0666, as for a file of any other program.
    EXPECT_EQ(std::filesystem::status(path).permissions(), static_cast<std::filesystem::perms>(0664));
}

TEST(PgnFile, AppendFailuresAreReported)
{
    PgnFile full;
    ASSERT_TRUE(full.open_append("/dev/full"));
    EXPECT_FALSE(full.write("[Event \"x\"]\n"));
    EXPECT_FALSE(full.write("*\n"));
    EXPECT_FALSE(full.close_append());

    PgnFile directory;
    EXPECT_FALSE(directory.open_append("/tmp"));
    EXPECT_FALSE(directory.write("*\n"));
    EXPECT_FALSE(directory.close_append());
}

// A file that was there keeps what it had; one that the append made is gone.
TEST(PgnFile, FailedAppendLeavesTheFileAsItWas)
{
    const std::string old = "[Event \"old\"]\n\n1. e4 *\n\n";
    const std::string kept = write_temp_file("limited.pgn", old);
    const std::string made = write_temp_file("made.pgn", "") + ".new";
    for (const std::string& path : {kept, made}) {
        PgnFile file;
        ASSERT_TRUE(file.open_append(path));
        // A file size limit makes the write stop part-way, as a full disk would.
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = old.size() + 10;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const bool written = file.write(std::string(1000, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous_handler);
        EXPECT_FALSE(written);
        EXPECT_FALSE(file.close_append());
        EXPECT_EQ(std::filesystem::exists(path), path == kept) << path;
    }
    EXPECT_EQ(read_file(kept), old);
}

std::string list_of(const std::string& bytes)
{
    PgnFile file;
    file.open(write_temp_file("list.pgn", bytes));
    std::string out;
    for (auto header = read_first_pgn_headers(file); header; header = read_next_pgn_headers(file)) {
        for (const auto& [key, value] : *header)
            out += key + "=" + value + ";";
        out += "\n";
    }
    return out;
}

struct HeaderCase {
    std::string name;
    std::string file;
    std::string list;
};

void PrintTo(const HeaderCase& c, std::ostream* out)
{
    *out << c.name;
}

class HeaderCases : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderCases, ListTheRosterTags)
{
    EXPECT_EQ(list_of(GetParam().file), GetParam().list);
}

const std::string roster_game = "[Event \"E\"]\n[Site \"S\"]\n[Date \"2020.01.02\"]\n[Round \"3\"]\n"
                                "[White \"W\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n1. e4 1-0\n\n";
const std::string roster_list = "Event=E;Site=S;Date=2020.01.02;Round=3;White=W;Black=B;Result=1-0;\n";

INSTANTIATE_TEST_SUITE_P(
    Headers, HeaderCases,
    testing::Values(
        HeaderCase{"TwoGames", roster_game + roster_game, roster_list + roster_list},
        HeaderCase{"ByteOrderMark", "\xEF\xBB\xBF" + roster_game, roster_list},
        HeaderCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF\n\n" + roster_game, roster_list},
        HeaderCase{"CrLf", "[Event \"E\"]\r\n[White \"W\"]\r\r\n\r\n1. e4 *\r\n", "Event=E;White=W;\n"},
        HeaderCase{"OtherTagsDropped",
                   "[Event \"E\"]\n[Site \"S\"]\n[Date \"D\"]\n[Round \"R\"]\n[White \"W\"]\n[Black \"B\"]\n"
                   "[ECO \"C20\"]\n[WhiteElo \"2000\"]\n[Result \"*\"]\n[TimeControl \"40/600\"]\n\n*\n",
                   "Event=E;Site=S;Date=D;Round=R;White=W;Black=B;Result=*;\n"},
        HeaderCase{"ThreeTags", "[Event \"E\"]\n[White \"W\"]\n[Black \"B\"]\n\n*\n", "Event=E;White=W;Black=B;\n"},
        HeaderCase{"NoBracket", "1. e4 e5 *\n", ""},
        HeaderCase{"TabKept", "[White \"Anna\t\"]\n", "White=Anna\t;\n"},
        HeaderCase{"KeyOnly", "[Event]\n[]\n[Site \"S\"]\n", "Event=;Site=S;\n"},
        HeaderCase{"TwoTagsOnALine", "[White \"A\"] [Black \"B\"]\n", "White=A Black B;\n"},
        HeaderCase{"EscapedQuotes", "[White \"The \\\"Best\\\"\"]\n", "White=The 'Best';\n"},
        HeaderCase{"CaseCounts", "[event \"e\"]\n[Event \"E\"]\n", "Event=E;\n"},
        HeaderCase{"GameWithoutEvent", roster_game + "[Site \"x\"]\n\n*\n\n" + roster_game,
                   roster_list + "Site=x;\n" + roster_list},
        HeaderCase{"WhiteFirst", "[Event \"1\"]\n\n*\n\n[White \"W\"]\n[Black \"B\"]\n[Event \"E\"]\n\n*\n",
                   "Event=1;\nWhite=W;Black=B;Event=E;\n"},
        HeaderCase{"NoEventTags", "{[intro]}\n[ECO \"A00\"]\n\n1. b4 *\n\n[ECO \"A01\"]\n[White \"W\"]\n\n1. b3 *\n",
                   "\nWhite=W;\n"},
        HeaderCase{"DamagedGameKeepsItsRow", "[Event \"1\"]\n\n1. e4 \xC3\xA9 e5 *\n\n[White \"2\"]\n\n*\n",
                   "Event=1;\nWhite=2;\n"},
        HeaderCase{"LastLineWithoutLineFeed", roster_game + "[Event \"cut\"]", roster_list + "Event=cut;\n"}));

TEST(GameHeader, NothingMoreAfterTheLastGame)
{
    PgnFile file;
    file.open(write_temp_file("list.pgn", roster_game));
    EXPECT_EQ(read_first_pgn_headers(file)->size(), 7u);
    EXPECT_FALSE(read_next_pgn_headers(file));
    EXPECT_FALSE(read_next_pgn_headers(file));
    // The end-of-file flag stays until cleared: the list is not read again.
    EXPECT_FALSE(read_first_pgn_headers(file));
    file.input().clear();
    EXPECT_EQ(read_first_pgn_headers(file)->size(), 7u);
}

}
