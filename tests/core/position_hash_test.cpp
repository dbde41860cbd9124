#include "core/position_hash.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/polyglot_random.h"
#include "tests/support/start_position.h"

namespace {

using torvane_test::start_fen;

// A board with the state the key reads beside it, moved by coordinate text.
// The castling and en passant bookkeeping follows the rules of the game: a king
// move drops its side's rights, a move from or to a corner drops that rook's
// right, and a double pawn step leaves an en passant square only when an enemy
// pawn stands beside it.
struct KeyedBoard {
    BoardPosition board;
    PositionHash hash;
    std::uint16_t flags = 0x8181;
    Square ep_square;

    explicit KeyedBoard(const std::string& fen = start_fen)
    {
        board.fen(fen);
        hash.recompute(board);
    }

    std::uint64_t key() const { return hash.key(flags, ep_square, board.side_to_move()); }

    Move move_from_text(const std::string& text) const
    {
        const Square from(text.substr(0, 2));
        Square to(text.substr(2, 2));
        const int moving = static_cast<int>(board.piece_at(from));
        int captured = static_cast<int>(board.piece_at(to));
        int kind = normal_move;
        const int file_step = to.file() - from.file();
        if ((moving & 7) == 6 && std::abs(file_step) == 2) {
            kind = castling;
            to = Square(static_cast<int>(from.value()) - from.file() + (file_step > 0 ? 7 : 0));
        } else if ((moving & 7) == 1 && file_step != 0 && captured == 0) {
            kind = en_passant;
            captured = moving ^ 8;
        } else if (text.size() == 5) {
            kind = promo_queen + static_cast<int>(std::string("qrbn").find(text[4]));
        }
        return Move(from, to, kind, moving, captured);
    }

    Move play(const std::string& text)
    {
        const Move move = move_from_text(text);
        const int moving = move.moving_piece_code();
        if (moving == 6)
            flags &= 0xFF00;
        if (moving == 14)
            flags &= 0x00FF;
        for (const Square& square : {move.from(), move.to()}) {
            if (square.rank() == 0)
                flags &= static_cast<std::uint16_t>(~(1u << square.file()));
            if (square.rank() == 7)
                flags &= static_cast<std::uint16_t>(~(1u << (8 + square.file())));
        }
        ep_square = Square();
        if ((moving & 7) == 1 && std::abs(move.to() - move.from()) == 16) {
            const int enemy_pawn = moving ^ 8;
            const Square to = move.to();
            const bool beside = (to.file() > 0 && board.piece_at(to - 1) == static_cast<std::uint32_t>(enemy_pawn))
                                || (to.file() < 7 && board.piece_at(to + 1) == static_cast<std::uint32_t>(enemy_pawn));
            if (beside)
                ep_square = Square((static_cast<int>(move.from().value()) + static_cast<int>(to.value())) / 2);
        }
        board.make_move(move);
        hash.update(move);
        return move;
    }
};

struct GameCase {
    const char* name;
    std::vector<const char*> moves;
    std::vector<std::uint64_t> keys;
};

// The Polyglot format's published test games (checked with pgn-extract).
TEST(PositionHash, PublishedTestKeys)
{
    const std::vector<GameCase> games = {
        {"e4 d5 e5 f5 Ke2 Kf7",
         {"e2e4", "d7d5", "e4e5", "f7f5", "e1e2", "e8f7"},
         {0x823C9B50FD114196ULL, 0x0756B94461C50FB0ULL, 0x662FAFB965DB29D4ULL, 0x22A48B5A8E47FF78ULL,
          0x652A607CA3F242C1ULL, 0x00FDD303C946BDD9ULL}},
        {"a4 b5 h4 b4 c4 bxc3 Ra3",
         {"a2a4", "b7b5", "h2h4", "b5b4", "c2c4", "b4c3", "a1a3"},
         {0x2DF2E8F47B022952ULL, 0x4DF682E1E0AF946FULL, 0xD1551EC84B90ED11ULL, 0xB0982F168A89B452ULL,
          0x3C8123EA7B067637ULL, 0x93D32682782EDFAEULL, 0x5C3F9B829B279560ULL}},
    };
    for (const GameCase& game : games) {
        KeyedBoard position;
        EXPECT_EQ(position.key(), 0x463B96181691FC9CULL);
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            position.play(game.moves[i]);
            EXPECT_EQ(position.key(), game.keys[i]) << game.name << " after " << game.moves[i];
        }
    }
}

TEST(PositionHash, EmptyBoardKeysAreTheSideEntryOrZero)
{
    KeyedBoard empty("8/8/8/8/8/8/8/8 w - - 0 1");
    empty.flags = 0;
    EXPECT_EQ(empty.key(), polyglot_random64[780]);
    empty.board.set_black_to_move();
    EXPECT_EQ(empty.key(), 0u);
}

TEST(PositionHash, CastlingFlagsPartOfTheKey)
{
    EXPECT_EQ(PositionHash::castling_key(0), 0u);
    EXPECT_EQ(PositionHash::castling_key(0x0081), polyglot_random64[769] ^ polyglot_random64[768]);
    EXPECT_EQ(PositionHash::castling_key(0x8100), polyglot_random64[771] ^ polyglot_random64[770]);
    // A white rook on b1 (Chess960) has no table entry: the flag word itself is mixed in.
    EXPECT_EQ(PositionHash::castling_key(0x0002), 2u);
    EXPECT_EQ(PositionHash::castling_key(0x0003), polyglot_random64[769] ^ 3u);
}

// Every kind of move: update then pop restores both tops, and recompute of the
// resulting board agrees with the incremental keys.
TEST(PositionHash, IncrementalKeysAgreeWithRecompute)
{
    struct Case {
        const char* fen;
        std::vector<const char*> moves;
    };
    const std::vector<Case> cases = {
        {start_fen.c_str(), {"g1f3", "b8c6", "e2e4", "d7d5", "e4d5", "c6b4", "f1c4", "c8f5", "e1g1", "d8d6"}},
        {"r3k2r/1P6/8/3pP3/8/8/6p1/R3K2R w KQkq d6 0 1",
         {"e5d6", "g2h1q", "b7b8n", "e8g8", "e1c1", "h1h2"}},
        {"1k6/8/8/8/4p3/8/3P4/1K6 w - - 0 1", {"d2d4", "e4d3", "b1c1", "d3d2", "c1d1", "d2d1r"}},
    };
    for (const Case& c : cases) {
        KeyedBoard position(c.fen);
        std::vector<std::uint64_t> full{position.hash.placement_key()};
        std::vector<std::uint64_t> pawns{position.hash.top()};
        std::vector<Move> played;
        for (const char* text : c.moves) {
            played.push_back(position.play(text));
            PositionHash fresh;
            fresh.recompute(position.board);
            EXPECT_EQ(position.hash.placement_key(), fresh.placement_key()) << c.fen << " " << text;
            EXPECT_EQ(position.hash.top(), fresh.top()) << c.fen << " " << text;
            full.push_back(position.hash.placement_key());
            pawns.push_back(position.hash.top());
        }
        while (!played.empty()) {
            position.board.unmake_move(played.back());
            played.pop_back();
            position.hash.pop();
            full.pop_back();
            pawns.pop_back();
            EXPECT_EQ(position.hash.placement_key(), full.back());
            EXPECT_EQ(position.hash.top(), pawns.back());
        }
    }
}

TEST(PositionHash, PawnKeyFollowsPawnsOnly)
{
    KeyedBoard position("r3k2r/pppppppp/2n5/8/8/5N2/PPPPPPPP/R3K2R w KQkq - 0 1");
    const std::uint64_t start_pawns = position.hash.top();
    for (const char* text : {"f3g5", "c6d4", "e1g1", "e8c8"}) {
        position.play(text);
        EXPECT_EQ(position.hash.top(), start_pawns) << text;
    }
    position.play("d2d3");
    EXPECT_NE(position.hash.top(), start_pawns);
}

}
