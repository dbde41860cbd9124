#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/chess_game.h"
#include "game/pgn_limits.h"
#include "tests/game/random_games.h"
#include "tests/support/start_position.h"
#include "tests/game/default_tags.h"

namespace {

using torvane_test::start_fen;
using torvane_test::default_tags;

void add(ChessGame& game, const std::string& coordinates)
{
    game.add_move(game.position().convert_to_move(coordinates));
}

std::string fen_after(const std::vector<std::string>& coordinates, const std::string& fen = start_fen)
{
    ChessPosition position;
    position.set_fen(fen);
    for (const auto& text : coordinates)
        position.make_move(position.convert_to_move(text));
    return position.fen();
}

std::string fen_field_of(const std::string& fen, int field)
{
    std::istringstream words(fen);
    std::string word;
    for (int i = 0; i <= field; ++i)
        words >> word;
    return word;
}

TEST(GameRecord, FreshRecordWritesTheDefaultTagsAndNoMoves)
{
    ChessGame game;
    EXPECT_TRUE(game.is_empty());
    EXPECT_EQ(game.pgn(), default_tags + "\n *\n\n");
    EXPECT_EQ(game.position().fen(), start_fen);
}

TEST(GameRecord, RepeatedMoveReusesTheChildAndANewOneBranches)
{
    ChessGame game;
    add(game, "e2e4");
    add(game, "e7e5");
    EXPECT_EQ(game.current(), 2u);
    game.back();
    add(game, "e7e5");
    EXPECT_EQ(game.current(), 2u);
    game.back();
    add(game, "c7c5");
    EXPECT_EQ(game.current(), 3u);
    EXPECT_EQ(game.tree().entry(1).children(), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4", "c7c5"}));
    EXPECT_EQ(game.pgn(), default_tags + "\n1.e4 e5 ( 1... c5) *\n\n");
}

TEST(GameRecord, TheLineToTheCurrentEntryBecomesTheMainLine)
{
    ChessGame game;
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6"})
        add(game, move);
    game.back();
    game.back();
    add(game, "d2d4");
    add(game, "c7c5");
    game.back();
    add(game, "e5d4");
    game.make_main_line();
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4", "e7e5", "d2d4", "e5d4"}));
    std::string result = "0-1";
    game.set_result(result);
    EXPECT_EQ(game.pgn(), default_tags.substr(0, default_tags.find("[Result")) +
                              "[Result \"0-1\"]\n\n1.e4 e5 2.d4 ( 2.Nf3 Nc6) exd4 ( 2... c5) 0-1\n\n");
}

// A result ends the line it was reached on: play resumed from an earlier
// move leaves the game unfinished once its line is the game, while the moves
// of the game's own line played again keep the result.
TEST(GameRecord, TheResultStaysWithTheLineItEnds)
{
    const struct {
        const char* move;
        const char* result;
        const char* movetext;
    } rows[] = {
        {"f1c4", "*", "3.Bc4 ( 3.Bb5 a6) *"},
        {"f1b5", "1-0", "3.Bb5 a6 1-0"},
    };
    for (const auto& row : rows) {
        ChessGame game("[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n\n");
        game.goto_end();
        game.back();
        game.back();
        add(game, row.move);
        game.make_main_line();
        EXPECT_EQ(game.get_result(), row.result) << row.move;
        const std::string text = game.pgn();
        EXPECT_NE(text.find("1.e4 e5 2.Nf3 Nc6 " + std::string(row.movetext) + "\n"), std::string::npos) << text;
    }
}

struct ResultCase {
    const char* text;
    const char* bare;
    bool end_entry;
    const char* written;  // the end of the movetext
};

std::ostream& operator<<(std::ostream& out, const ResultCase& c) { return out << c.text; }

class GameResult : public testing::TestWithParam<ResultCase> {};

TEST_P(GameResult, BecomesTagAndEndEntry)
{
    ChessGame game;
    add(game, "f2f3");
    add(game, "e7e5");
    add(game, "g2g4");
    add(game, "d8h4");
    const std::string final_fen = game.position().fen();
    std::string text = GetParam().text;
    game.set_result(text);
    EXPECT_EQ(text, GetParam().bare);
    EXPECT_EQ(game.get_result(), GetParam().bare);
    if (!GetParam().end_entry) {
        EXPECT_EQ(game.current(), 4u);
        return;
    }
    EXPECT_EQ(game.current(), 5u);
    EXPECT_EQ(game.tree().entry(5).result(), GetParam().text);
    EXPECT_EQ(game.forward(), "");
    EXPECT_EQ(game.back(), final_fen);
    EXPECT_EQ(game.current(), 4u);
    EXPECT_EQ(game.forward(), "");
    EXPECT_EQ(game.goto_end(), "");
    const std::string pgn = game.pgn();
    EXPECT_TRUE(pgn.ends_with(std::string("Qh4# ") + GetParam().written + "\n\n")) << pgn;
    // The words with the result stand before it, so they are read back.
    EXPECT_EQ(ChessGame(pgn).pgn(), pgn);
}

INSTANTIATE_TEST_SUITE_P(Texts, GameResult, testing::Values(
    ResultCase{"0-1 {white resigns}", "0-1", true, "{white resigns} 0-1"},
    ResultCase{"1/2-1/2 {Draw by threefold repetition}", "1/2-1/2", true, "{Draw by threefold repetition} 1/2-1/2"},
    ResultCase{" {Black mates} 0-1", "0-1", true, "{Black mates} 0-1"},
    ResultCase{"1-0 then 0-1", "1-0", true, "{then 0-1} 1-0"},
    ResultCase{"*", "*", false, "*"},
    ResultCase{"adjourned", "*", false, "*"}));

// The result belongs to the game: one end entry, after the main line's last
// move, written once at the end; no move is recorded where the game has ended.
// Each case reads back to the same text with every move.
TEST(GameRecord, ResultIsWrittenOnceAtTheEndAndNothingFollowsIt)
{
    const auto text_after = [](const std::vector<std::string>& steps) {
        ChessGame game;
        for (const std::string& step : steps) {
            if (step == "back") {
                game.back();
            } else if (step.find_first_of("*-") != std::string::npos && step != "O-O") {
                std::string result = step;
                game.set_result(result);
            } else {
                game.add_san_move(step);
            }
        }
        return game.pgn().substr(default_tags.size() - 13);
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"e4", "e5", "Nf3", "Nc6", "Bb5", "back", "back", "back", "Nc3", "Nf6", "1-0 {White wins}"},
         "[Result \"1-0\"]\n\n1.e4 e5 2.Nf3 ( 2.Nc3 Nf6) Nc6 3.Bb5 {White wins} 1-0\n\n"},
        {{"e4", "1-0", "e5"}, "[Result \"1-0\"]\n\n1.e4 1-0\n\n"},
        {{"e4", "1-0", "back", "e5"}, "[Result \"1-0\"]\n\n1.e4 1-0\n\n"},
        {{"e4", "1-0", "back", "back", "d4"}, "[Result \"1-0\"]\n\n1.e4 ( 1.d4) 1-0\n\n"},
        {{"e4", "e5", "1-0", "0-1 {resigns}"}, "[Result \"0-1\"]\n\n1.e4 e5 {resigns} 0-1\n\n"},
        {{"e4", "e5", "1-0", "back", "*", "Nf3"}, "[Result \"*\"]\n\n1.e4 e5 2.Nf3 *\n\n"},
    };
    for (const auto& [steps, expected] : cases) {
        const std::string written = text_after(steps);
        EXPECT_EQ(written, expected);
        ChessGame read(default_tags.substr(0, default_tags.size() - 13) + written);
        EXPECT_EQ(read.pgn().substr(default_tags.size() - 13), written);
    }
    ChessGame game;
    game.add_san_move("e4");
    std::string result = "1-0";
    game.set_result(result);
    const uint64_t end = game.current();
    EXPECT_FALSE(game.add_san_move("e5"));
    EXPECT_EQ(game.current(), end);
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4"}));
}

// A text that cannot be read leaves the record that was there.
TEST(GameRecord, FailedLoadKeepsTheRecord)
{
    // The text, and whether load_pgn (which does not set up the FEN) refuses it too.
    const std::pair<std::string, bool> cases[] = {
        {"[Event \"x\"]\n\n( e4 ) d4 *\n", true},
        {"[FEN \"8/8/8 w - - 0 1\"]\n\n1. e4 *\n", false},
        {"[Event \"x\"]\n\n1. e4 e5 99999999999. Nf3 *\n", true},
        {"[Event \"x\"]\n\n{" + std::string(max_game_bytes, 'c') + "} *\n", true},
    };
    for (const auto& [bad, load_fails] : cases) {
        ChessGame game("[Event \"kept\"]\n\n1. d4 d5 2. c4 {gambit} *\n");
        game.forward();
        const std::string pgn = game.pgn();
        const std::string fen = game.position().fen();
        EXPECT_THROW(game.set_pgn(bad), std::logic_error);
        if (load_fails) {
            EXPECT_THROW(game.load_pgn(bad), std::logic_error);
        }
        EXPECT_EQ(game.pgn(), pgn);
        EXPECT_EQ(game.position().fen(), fen);
        EXPECT_EQ(game.current(), 1u);
        EXPECT_EQ(game.forward(), fen_after({"d2d4", "d7d5"}));
    }
}

TEST(GameRecord, FenTagStartsTheNumberingAndNewGameResetsIt)
{
    ChessGame game;
    const std::string fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 3 12";
    game.set_tag("FEN", fen);
    EXPECT_EQ(game.position().fen(), fen);
    add(game, "e8d7");
    add(game, "e2e4");
    EXPECT_EQ(game.tree().entry(1).number(), 12);
    EXPECT_EQ(game.tree().entry(1).colour(), 0);
    EXPECT_EQ(game.tree().entry(2).number(), 13);
    EXPECT_NE(game.pgn().find("\n12... Kd7 13.e4 *"), std::string::npos);
    game.new_game();
    add(game, "e2e4");
    EXPECT_EQ(game.tree().entry(1).number(), 1);
    EXPECT_EQ(game.tree().entry(1).colour(), 1);
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4"}));
}

TEST(GameRecord, Chess960CastlingIsWrittenReadAndReplayed)
{
    const std::string fen = "1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1";
    ChessGame game;
    game.set_tag("SetUp", "1");
    game.set_tag("FEN", fen);
    add(game, "e1g1");
    add(game, "e8b8");
    const std::string final_fen = game.position().fen();
    const std::string text = game.pgn();
    EXPECT_NE(text.find("\n1.O-O O-O-O *\n"), std::string::npos) << text;
    ChessGame read(text);
    EXPECT_EQ(read.position().fen(), fen_after({}, fen));
    EXPECT_EQ(read.goto_end(), final_fen);
    EXPECT_EQ(fen_field_of(final_fen, 0), "2kr2r1/pppppppp/8/8/8/8/PPPPPPPP/1R3RK1");
}

TEST(GameRecord, InvalidFenTagChangesNothing)
{
    ChessGame game;
    add(game, "e2e4");
    const std::string fen = game.position().fen();
    EXPECT_THROW(game.set_tag("FEN", "not a position"), std::logic_error);
    EXPECT_FALSE(game.get_tag("FEN").size());
    EXPECT_EQ(game.position().fen(), fen);
    EXPECT_EQ(game.pgn(), default_tags + "\n1.e4 *\n\n");
}

TEST(GameRecord, LoadLeavesTheStandardPositionAndSetPgnUsesTheFenTag)
{
    const std::string fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 40";
    const std::string text = "[White \"A\"]\n[FEN \"" + fen + "\"]\n\n40. e4 Kd7 *\n";
    ChessGame game;
    game.load_pgn(text);
    EXPECT_EQ(game.current(), 0u);
    EXPECT_EQ(game.position().fen(), start_fen);
    game.set_pgn(text);
    EXPECT_EQ(game.position().fen(), fen);
    EXPECT_EQ(game.title(), "A ?");
    EXPECT_EQ(game.goto_end(), fen_after({"e2e4", "e8d7"}, fen));
    EXPECT_EQ(game.goto_end(), "");
    EXPECT_EQ(game.goto_start(), fen);
}

TEST(GameRecord, BadFenTagInTheTextReachesTheCaller)
{
    ChessGame game;
    EXPECT_THROW(game.set_pgn("[FEN \"8/8/8 w - - 0 1\"]\n\n1. e4 *\n"), std::logic_error);
    EXPECT_THROW(ChessGame("[FEN \"rnbqkbnr w\"]\n\n*\n"), std::logic_error);
}

TEST(GameRecord, ForwardOverAnIllegalMoveKeepsEntryAndPositionInStep)
{
    ChessGame game("[Event \"x\"]\n\n1. e4 e5 2. Ke3 Nc6 *\n");
    game.forward();
    game.forward();
    const std::string fen = game.position().fen();
    EXPECT_THROW(game.forward(), std::logic_error);
    EXPECT_EQ(game.current(), 2u);
    EXPECT_EQ(game.position().fen(), fen);
    EXPECT_THROW(game.forward(), std::logic_error);
    EXPECT_EQ(game.back(), fen_after({"e2e4"}));
    EXPECT_EQ(game.current(), 1u);
}

TEST(GameRecord, UnreadableSanInForwardKeepsEntryAndPosition)
{
    ChessGame game("1. e4 Zz9 *\n");
    game.forward();
    EXPECT_THROW(game.forward(), std::logic_error);
    EXPECT_EQ(game.current(), 1u);
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4"}));
}

TEST(GameRecord, AddSanMoveRefusesIllegalText)
{
    ChessGame game;
    game.add_san_move("Nf3");
    EXPECT_THROW(game.add_san_move("Ke2"), std::logic_error);
    EXPECT_THROW(game.add_san_move("e4e5"), std::logic_error);
    EXPECT_EQ(game.current(), 1u);
    game.add_san_move("d5");
    EXPECT_EQ(game.pgn(), default_tags + "\n1.Nf3 d5 *\n\n");
}

TEST(GameRecord, RemoveLastMoveLeavesAUsableRecord)
{
    ChessGame game;
    add(game, "e2e4");
    add(game, "e7e5");
    add(game, "g1f3");
    game.back();
    game.back();
    game.remove_last_move();
    EXPECT_EQ(game.current(), 2u);
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4", "e7e5"}));
    add(game, "b1c3");
    EXPECT_EQ(game.pgn(), default_tags + "\n1.e4 e5 2.Nc3 *\n\n");
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4", "e7e5", "b1c3"}));
}

TEST(GameRecord, RemoveLastMoveOfAFinishedGameRemovesTheResultFirst)
{
    ChessGame game;
    add(game, "e2e4");
    std::string result = "1-0 {time}";
    game.set_result(result);
    game.remove_last_move();
    EXPECT_EQ(game.current(), 1u);
    EXPECT_EQ(game.position().fen(), fen_after({"e2e4"}));
    game.remove_last_move();
    EXPECT_EQ(game.current(), 0u);
    EXPECT_EQ(game.position().fen(), start_fen);
    game.remove_last_move();
    EXPECT_EQ(game.current(), 0u);
    add(game, "d2d4");
    // the new first move has a fresh id but still opens the movetext without a blank
    EXPECT_EQ(game.pgn(), default_tags.substr(0, default_tags.size() - 13) + "[Result \"1-0\"]\n\n1.d4 *\n\n");
}

TEST(GameRecord, CommentsAndNextMoves)
{
    ChessGame game("1. e4 (1. d4 d5) (1. c4) e5 *\n");
    game.set_root_comment("start");
    std::vector<std::string> texts;
    for (const auto& move : game.next_moves())
        texts.push_back(move.san());
    EXPECT_EQ(texts, (std::vector<std::string>{"e4", "d4", "c4"}));
    game.forward();
    game.set_comment("best}");
    EXPECT_EQ(game.get_comment(), "best)");
    game.set_comment("best");
    game.append_comment(" by test");
    EXPECT_EQ(game.get_comment(), "best by test");
    const std::string pgn = game.pgn();
    EXPECT_NE(pgn.find("{start} \n1.e4 {best by test} ( 1.d4 d5) ( 1.c4) 1...e5 *"), std::string::npos) << pgn;
}

TEST(GameRecord, CommentCommandsAreRemovedFromEveryEntry)
{
    ChessGame game("{[%evp 0,1] opening} 1. e4 {[%eval 0.25] [%emt 0:00:02]} e5 {good [%eval 0.1]} *\n");
    game.remove_comment_commands();
    EXPECT_EQ(game.tree().entry(0).comment(), " opening");
    EXPECT_EQ(game.tree().entry(1).comment(), "");
    EXPECT_EQ(game.tree().entry(2).comment(), "good");
}

TEST(GameRecord, TextOffsetsPickTheMoveUnderTheClick)
{
    ChessGame game("[Event \"x\"]\n\n1. e4 e5 2. Nf3 (2. Bc4 Nf6 3. d3 Bc5) Nc6 3. Bb5 1-0\n");
    const std::string pgn = game.pgn();
    const std::string fen = game.position().fen();
    EXPECT_EQ(game.goto_text_offset(3), fen);
    EXPECT_EQ(game.goto_text_offset(pgn.find("\n\n") + 1), fen);
    EXPECT_EQ(game.current(), 0u);

    const auto d3 = pgn.find("d3");
    EXPECT_EQ(game.goto_text_offset(d3 + 1), fen_after({"e2e4", "e7e5", "f1c4", "g8f6", "d2d3"}));
    EXPECT_EQ(game.current_move_range(), std::make_pair(uint64_t(d3), uint64_t(d3 + 2)));

    const auto bb5 = pgn.find("Bb5");
    EXPECT_EQ(game.goto_text_offset(bb5), fen_after({"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"}));
    EXPECT_EQ(game.current_move_range(), std::make_pair(uint64_t(bb5), uint64_t(bb5 + 3)));

    // a move number or the blank between moves does nothing
    EXPECT_EQ(game.goto_text_offset(pgn.find("2.")), game.position().fen());
    EXPECT_EQ(game.goto_text_offset(bb5 - 1), game.position().fen());

    // the result selects the end entry behind the last move
    const auto result = pgn.find("1-0\n");
    EXPECT_EQ(game.goto_text_offset(result + 1), fen_after({"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"}));
    EXPECT_EQ(game.tree().entry(game.current()).result(), "1-0");
    EXPECT_EQ(game.back(), fen_after({"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"}));
}

TEST(GameRecord, GotoEntryReplaysToAnyEntryOfTheTree)
{
    ChessGame game("1. e4 e5 2. Nf3 (2. Bc4 Nf6 (2... Qh4)) Nc6 (2... d6 3. d7) 1-0\n");
    const std::map<std::string, std::vector<std::string>> paths = {
        {"e4", {"e2e4"}}, {"e5", {"e2e4", "e7e5"}}, {"Nf3", {"e2e4", "e7e5", "g1f3"}},
        {"Bc4", {"e2e4", "e7e5", "f1c4"}}, {"Nf6", {"e2e4", "e7e5", "f1c4", "g8f6"}},
        {"Qh4", {"e2e4", "e7e5", "f1c4", "d8h4"}}, {"Nc6", {"e2e4", "e7e5", "g1f3", "b8c6"}},
        {"", {"e2e4", "e7e5", "g1f3", "b8c6"}}, {"d6", {"e2e4", "e7e5", "g1f3", "d7d6"}}};
    std::size_t visited = 0;
    for (std::uint64_t id = 1; id < game.tree().next_id(); ++id) {
        if (!game.tree().contains(id))
            continue;  // ids of brackets are not entries
        ++visited;
        const std::string san = game.tree().entry(id).san();
        if (san == "d7") {  // not a legal move: the record stops before it
            EXPECT_THROW(game.goto_entry(id), std::logic_error);
            EXPECT_EQ(game.tree().entry(game.current()).san(), "d6");
            continue;
        }
        EXPECT_EQ(game.goto_entry(id), fen_after(paths.at(san))) << san;
        EXPECT_EQ(game.current(), id);
        EXPECT_EQ(game.game_ended_here(), san == "Nc6" || san.empty()) << san;
    }
    EXPECT_EQ(visited, paths.size() + 1);
    EXPECT_THROW(game.goto_entry(game.tree().next_id()), std::logic_error);
}

TEST(GameRecord, ReadWriteReadKeepsTheGame)
{
    const std::string text =
        "[Event \"Round trip\"]\n[White \"Deep \\\"Thought\\\"\"]\n[Black \"b\\\\c\"]\n[Annotator \"x\"]\n\n"
        "{opening [%evp 0,1]} 1. e4 $1 {[%eval 0.25] [%depth 20]} e5 (1... c5 2. Nf3 (2. c3 d5 (2... Nf6) 3. exd5) d6) "
        "2. Nf3 Nc6 {a long comment that goes on and on so that the line has to be wrapped somewhere in here} "
        "3. Bb5 a6 $2 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 Nb8 10. d4 Nbd7 1/2-1/2\n";
    ChessGame first(text);
    const std::string written = first.pgn();
    ChessGame second(written);
    EXPECT_EQ(second.pgn(), written);
    EXPECT_EQ(second.dump(), first.dump());
    second.goto_end();
    EXPECT_EQ(second.position().fen(),
              "r1bq1rk1/2pnbppp/p2p1n2/1p2p3/3PP3/1BP2N1P/PP3PP1/RNBQR1K1 w - - 1 11");
}

void expect_same_tree(ChessGame& a, ChessGame& b)
{
    ASSERT_EQ(a.tree().next_id(), b.tree().next_id());
    for (uint64_t id = 0; id < a.tree().next_id(); ++id) {
        ASSERT_EQ(a.tree().contains(id), b.tree().contains(id)) << id;
        if (!a.tree().contains(id))
            continue;
        const auto& x = a.tree().entry(id);
        const auto& y = b.tree().entry(id);
        EXPECT_EQ(x.type(), y.type()) << id;
        EXPECT_EQ(x.pid(), y.pid()) << id;
        EXPECT_EQ(x.number(), y.number()) << id;
        EXPECT_EQ(x.colour(), y.colour()) << id;
        EXPECT_EQ(x.san(), y.san()) << id;
        EXPECT_EQ(x.nag(), y.nag()) << id;
        EXPECT_EQ(x.result(), y.result()) << id;
        EXPECT_EQ(x.children(), y.children()) << id;
        EXPECT_EQ(x.comment(), y.comment()) << id;
    }
}

TEST(GameRecord, RandomGamesWithVariationsSurviveReadWriteRead)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 40; ++round) {
        torvane_test::RandomGameShape shape;
        shape.max_plies = 60;
        shape.variations = 4;
        shape.annotations = true;
        ChessGame game = torvane_test::random_game(random, shape);
        ChessGame first(game.pgn());
        const std::string written = first.pgn();
        ChessGame read(written);
        expect_same_tree(first, read);
        ASSERT_EQ(read.pgn(), written);
        EXPECT_EQ(read.pgn_tags(), game.pgn_tags());
        game.goto_start();
        read.goto_start();
        for (std::string fen = game.forward(); !fen.empty(); fen = game.forward())
            ASSERT_EQ(read.forward(), fen) << written;
        ASSERT_EQ(read.forward(), "");
    }
}

TEST(GameRecord, RandomGamesWithoutCommandsSurviveReadWriteReadByteForByte)
{
    std::mt19937 random(1960);
    for (int round = 0; round < 40; ++round) {
        torvane_test::RandomGameShape shape;
        shape.max_plies = 80;
        shape.variations = 5;
        ChessGame game = torvane_test::random_game(random, shape);
        game.goto_start();
        game.set_root_comment("a game of {random} moves");
        const std::string written = game.pgn();
        ChessGame read(written);
        ASSERT_EQ(read.pgn(), written);
        ChessGame again(read.pgn());
        expect_same_tree(read, again);
    }
}

}
