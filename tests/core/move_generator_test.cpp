#include "core/move_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/core/perft_cases.h"
#include "tests/core/square_names.h"

namespace {

using square_names::sq;

std::vector<std::string> texts(const MoveList& list, bool king_takes_rook = false)
{
    std::vector<std::string> result;
    for (const Move& move : list)
        result.push_back(move.to_string(king_takes_rook));
    return result;
}

MoveList generated(const std::string& fen)
{
    ChessPosition position;
    position.set_fen(fen);
    MoveList list;
    MoveGenerator generator;
    generator.generate(position, list);
    return list;
}

bool contains(const MoveList& list, const std::string& text, bool king_takes_rook = false)
{
    const std::vector<std::string> all = texts(list, king_takes_rook);
    return std::find(all.begin(), all.end(), text) != all.end();
}

TEST(MoveGenerator, StartPositionOrder)
{
    const MoveList list = generated(perft_fens::start);
    EXPECT_EQ(print_move_list(list), "b1a3 b1c3 g1f3 g1h3 a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 "
                                     "f2f3 f2f4 g2g3 g2g4 h2h3 h2h4 ");
    EXPECT_TRUE(list.generated());
    EXPECT_EQ(print_move_list_with_scores(list).substr(0, 11), "b1a3(14,0) ");
}

// Captures by falling victim value, equal victims in pawn, knight, bishop, rook,
// queen, king order; then promotions without capture; then quiet moves by kind.
TEST(MoveGenerator, CapturesComeFirstByVictimValue)
{
    const MoveList list = generated("2r1k3/1P6/8/3q1n2/2P1P1p1/1N3B2/8/R3K2b w - - 0 1");
    EXPECT_EQ(print_move_list(list).substr(0, 93),
              "c4d5 e4d5 b7c8q b7c8r b7c8b b7c8n e4f5 f3h1 f3g4 b7b8q b7b8r b7b8b b7b8n a1b1 a1c1 a1d1 a1a2 ");
}

TEST(MoveGenerator, GenerateTwoIsTheCaptureBlock)
{
    for (const char* fen : {perft_fens::kiwipete, perft_fens::position4, perft_fens::position5}) {
        ChessPosition position;
        position.set_fen(fen);
        MoveGenerator generator;
        MoveList all;
        MoveList captures;
        generator.generate(position, all);
        generator.generate2(position, captures);
        ASSERT_LE(captures.size(), all.size());
        for (std::size_t i = 0; i < captures.size(); ++i) {
            EXPECT_EQ(captures.at(static_cast<int>(i)).code(), all.at(static_cast<int>(i)).code()) << fen;
            const Move& move = captures.at(static_cast<int>(i));
            EXPECT_TRUE(move.captured_piece_code() != 0 || (move.kind() >= promo_queen && move.kind() <= promo_knight));
        }
        for (std::size_t i = captures.size(); i < all.size(); ++i)
            EXPECT_EQ(all.at(static_cast<int>(i)).captured_piece_code(), 0) << fen;
    }
}

struct PresenceCase {
    const char* name;
    const char* fen;
    const char* move;
    bool present;
};

TEST(MoveGenerator, SpecialMovesAllowedAndRefused)
{
    const std::vector<PresenceCase> cases = {
        {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", true},
        {"en passant opening the rank", "8/8/8/K2pP2r/8/8/8/7k w - d6 0 1", "e5d6", false},
        {"en passant removing the checker", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1", "e4d3", true},
        {"castling", "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", true},
        {"castling out of check", "4k3/8/8/8/4r3/8/8/R3K2R w KQ - 0 1", "e1g1", false},
        {"castling through an attacked square", "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "e1g1", false},
        {"castling beside the attacked square", "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "e1c1", true},
        {"castling into check", "4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", "e1g1", false},
        {"castling with the rook attacked", "4k3/8/8/8/8/8/r7/R3K2R w KQ - 0 1", "e1c1", true},
        {"castling past a blocked rook", "4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", "e1c1", false},
        {"black castling", "r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", "e8c8", true},
    };
    for (const PresenceCase& c : cases)
        EXPECT_EQ(contains(generated(c.fen), c.move), c.present) << c.name;
}

TEST(MoveGenerator, Chess960Castling)
{
    // King already on its target square c1: castling moves only the rook to d1.
    const MoveList king_in_place = generated("1k6/8/8/8/8/8/8/nRK5 w B - 0 1");
    ASSERT_TRUE(contains(king_in_place, "c1b1", true));
    for (const Move& move : king_in_place) {
        if (move.to_string(true) == "c1b1") {
            EXPECT_EQ(move.kind(), castling);
        }
    }
    // The rook on b1 shields c1 from the rook on a1; once it leaves, the king would stand in check.
    EXPECT_FALSE(contains(generated("1k6/8/8/8/8/8/8/rRK5 w B - 0 1"), "c1b1", true));
    // The same x-ray on the king's side.
    EXPECT_FALSE(contains(generated("1k6/8/8/8/8/8/8/4K1Rq w G - 0 1"), "e1g1", true));
    EXPECT_TRUE(contains(generated("1k6/8/8/8/8/8/8/4K1Rn w G - 0 1"), "e1g1", true));
}

// Rights that name a file without an own rook (set by hand, as a position editor
// may) give no castling move: the board could not carry it out.
TEST(MoveGenerator, CastlingRightsWithoutTheirRookGiveNoMove)
{
    ChessPosition position;
    position.set_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    position.set_castling_flags(0x8181);
    MoveList list;
    MoveGenerator generator;
    generator.generate(position, list);
    for (const Move& move : list)
        EXPECT_NE(move.kind(), castling) << move.to_string(true);
    EXPECT_EQ(list.size(), 5u);
}

// A position editor can put a pawn on its last rank, which no FEN allows.
TEST(MoveGenerator, PawnsOnTheirLastRankHaveNoMoves)
{
    ChessPosition position;
    position.set_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    position.put_piece(sq("a8"), Piece(1));
    position.put_piece(sq("h1"), Piece(9));
    position.compute_attack_info();
    for (int side = 0; side < 2; ++side) {
        MoveList list;
        MoveGenerator generator;
        generator.generate(position, list);
        for (const Move& move : list)
            EXPECT_TRUE(move.moving_piece().is_king()) << move.to_string(true);
        position.toggle_side_to_move();
        position.compute_attack_info();
    }
}

// Removing a king by hand leaves the pins of the last set-up in its record.
TEST(MoveGenerator, PositionWithoutItsKing)
{
    ChessPosition position;
    position.set_fen("4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1");
    position.remove_piece(sq("e1"), Piece(6));
    position.compute_attack_info();
    MoveList list;
    MoveGenerator generator;
    generator.generate(position, list);
    EXPECT_EQ(list.size(), 13u);
}

TEST(MoveGenerator, DoubleCheckAllowsOnlyKingMovesOffTheLine)
{
    const MoveList list = generated("4k2R/8/8/8/8/3n4/8/r3K3 w - - 0 1");
    std::vector<std::string> moves = texts(list);
    std::sort(moves.begin(), moves.end());
    EXPECT_EQ(moves, (std::vector<std::string>{"e1d2", "e1e2"}));
}

TEST(MoveGenerator, MateAndStalemateGiveEmptyGeneratedLists)
{
    for (const char* fen : {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
                            "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"}) {
        const MoveList list = generated(fen);
        EXPECT_EQ(list.size(), 0u) << fen;
        EXPECT_TRUE(list.generated()) << fen;
    }
}

TEST(MoveGenerator, MarkedListIsNotGeneratedAgain)
{
    ChessPosition start;
    start.set_start_position();
    ChessPosition other;
    other.set_fen(perft_fens::kiwipete);
    MoveGenerator generator;
    MoveList list;
    generator.generate(start, list);
    generator.generate(other, list);
    EXPECT_EQ(list.size(), 20u);
    list.clear();
    generator.generate(other, list);
    EXPECT_EQ(list.size(), 48u);
}

// A rim of 26 queens (276 legal moves) is no position of a game and is refused
// when read; the most moves a position of a game has, 218, fit the list whole.
TEST(MoveGenerator, EveryPositionThatCanBeReadFitsTheList)
{
    EXPECT_THROW(generated("QQQQQQQk/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/KQQQQQQQ w - - 0 1"), std::logic_error);
    const MoveList list = generated("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1");
    EXPECT_EQ(list.size(), 218u);
    const std::vector<std::string> moves = texts(list);
    EXPECT_EQ(std::set<std::string>(moves.begin(), moves.end()).size(), 218u);
}

// Along random games, every generated move is legal and its check mark is what
// making it shows: the mover's king is safe and the other king is in check
// exactly when the mark is set.
TEST(MoveGenerator, CheckMarksAndLegalityAgreeWithMakingTheMove)
{
    std::mt19937 random(2024);
    MoveGenerator generator;
    const std::vector<const char*> starts = {
        perft_fens::start, perft_fens::kiwipete, perft_fens::position3, perft_fens::position4,
        perft_fens::position5, perft_fens::chess960_a, perft_fens::chess960_b, perft_fens::chess960_c,
        "5k2/8/8/8/8/8/8/4K2R w K - 0 1", "3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1",
        "4k3/1P6/8/8/8/8/K7/8 w - - 0 1", "8/8/1P2K3/8/2n5/1q6/8/5k2 b - - 0 1"};
    int checked = 0;
    for (const char* fen : starts) {
        for (int game = 0; game < 20; ++game) {
            ChessPosition position;
            position.set_fen(fen);
            for (int ply = 0; ply < 60; ++ply) {
                MoveList list;
                generator.generate(position, list);
                if (list.size() == 0)
                    break;
                for (const Move& move : list) {
                    const std::uint32_t mover = position.board().side_to_move();
                    position.make_move(move);
                    const Bitboard& mover_king = mover == 1 ? position.board().white_king() : position.board().black_king();
                    const Bitboard& attacked = mover == 1 ? position.black_attacked() : position.white_attacked();
                    EXPECT_FALSE(mover_king & attacked) << fen << " " << move.to_string(true);
                    EXPECT_EQ(position.in_check(), move.gives_check()) << position.fen() << " after " << move.to_string(true);
                    EXPECT_EQ(move.xkind(), xnormal_move);
                    position.take_back();
                    ++checked;
                }
                position.make_move(list.at(static_cast<int>(random() % list.size())));
            }
        }
    }
    EXPECT_GT(checked, 100000);
}

}
