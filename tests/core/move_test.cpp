#include "core/move.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

Move make(const char* from, const char* to, MoveKind kind, int moving, int captured = 0)
{
    return Move(Square(from), Square(to), kind, Piece(static_cast<std::uint32_t>(moving)),
                Piece(static_cast<std::uint32_t>(captured)));
}

TEST(MoveTest, FieldsArePackedWhereTheyBelong)
{
    const Move move = make("e7", "d8", promo_knight, 1, 13);
    EXPECT_EQ(move.code(), 0x0E000000u | (1u << 20) | (13u << 16) | (5u << 12) | (52u << 6) | 59u);
    EXPECT_EQ(move.from(), Square("e7"));
    EXPECT_EQ(move.to(), Square("d8"));
    EXPECT_EQ(move.kind(), promo_knight);
    EXPECT_EQ(move.moving_piece_code(), 1);
    EXPECT_EQ(move.captured_piece_code(), 13);
    EXPECT_EQ(move.captured_piece(), Piece(13));
    EXPECT_EQ(move.xkind(), xnormal_move);
    EXPECT_FALSE(move.gives_check());
    EXPECT_EQ(move.score(), 0);
}

TEST(MoveTest, SettersChangeOnlyTheirField)
{
    Move move = make("g1", "f3", normal_move, 2);
    const std::uint32_t before = move.code();
    move.set_gives_check(true);
    EXPECT_EQ(move.code(), before | 0x8000u);
    move.set_gives_check(false);
    move.set_xkind(killer);
    EXPECT_EQ(move.code(), (before & 0xFFFFFF) | (7u << 24));
    move.set_from(Square("b1"));
    move.set_to(Square("c3"));
    move.set_kind(en_passant);
    move.set_moving_piece_code(9);
    move.set_captured_code(1);
    EXPECT_EQ(move.from(), Square("b1"));
    EXPECT_EQ(move.to(), Square("c3"));
    EXPECT_EQ(move.kind(), en_passant);
    EXPECT_EQ(move.moving_piece(), Piece(9));
    EXPECT_EQ(move.captured_piece(), Piece(1));
    EXPECT_EQ(move.xkind(), killer);
    move.set_moving_piece(Piece(6));
    move.set_captured_piece(Piece());
    EXPECT_EQ(move.moving_piece_code(), 6);
    EXPECT_EQ(move.captured_piece_code(), 0);
    move.set_score(40);
    move.add_score(-50);
    EXPECT_EQ(move.score(), -10);
}

TEST(MoveTest, CoordinateText)
{
    struct Case {
        Move move;
        const char* text;
        const char* king_takes_rook_text;
    };
    const Case cases[] = {
        {Move(), "0000", "0000"},
        {make("e2", "e4", normal_move, 1), "e2e4", "e2e4"},
        {make("e7", "e8", promo_queen, 1), "e7e8q", "e7e8q"},
        {make("a2", "b1", promo_rook, 9, 2), "a2b1r", "a2b1r"},
        {make("c7", "c8", promo_bishop, 1), "c7c8b", "c7c8b"},
        {make("h2", "h1", promo_knight, 9), "h2h1n", "h2h1n"},
        {make("e5", "d6", en_passant, 1, 9), "e5d6", "e5d6"},
        {make("e1", "h1", castling, 6), "e1g1", "e1h1"},
        {make("e1", "a1", castling, 6), "e1c1", "e1a1"},
        {make("e8", "h8", castling, 14), "e8g8", "e8h8"},
        {make("e8", "a8", castling, 14), "e8c8", "e8a8"},
        {make("b1", "a1", castling, 6), "b1a1", "b1a1"},
        {make("f8", "g8", castling, 14), "f8g8", "f8g8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.move.to_string(false), c.text);
        EXPECT_EQ(c.move.to_string(true), c.king_takes_rook_text);
        std::ostringstream stream;
        stream << c.move;
        EXPECT_EQ(stream.str(), c.text);
    }
}

TEST(MoveTest, NullMoveHasNoSquares)
{
    Move move = make("e2", "e4", normal_move, 1);
    move.set_score(7);
    move.clear();
    EXPECT_EQ(move.code(), 0u);
    EXPECT_EQ(move.score(), 0);
    EXPECT_EQ(move.from(), Square(64));
    EXPECT_EQ(move.to(), Square(64));
    EXPECT_EQ(move.dump().rfind("from:no_square  to:no_square  code:nullmove  ", 0), 0u);
}

TEST(MoveTest, EqualityIgnoresOrderingClassAndScore)
{
    const Move base = make("d1", "h5", normal_move, 5, 10);
    Move other = base;
    other.set_score(99);
    other.set_xkind(hashtable_move);
    EXPECT_EQ(base, other);
    EXPECT_TRUE(base == other.code());
    Move checking = base;
    checking.set_gives_check(true);
    EXPECT_NE(base, checking);
    Move different_capture = base;
    different_capture.set_captured_code(11);
    EXPECT_NE(base, different_capture);
}

TEST(MoveTest, OrderingClassBeatsScore)
{
    Move first = make("a2", "a3", normal_move, 1);
    Move second = make("b2", "b3", normal_move, 1);
    first.set_xkind(hashtable_move);
    first.set_score(-1000);
    second.set_score(1000);
    EXPECT_TRUE(second < first);
    EXPECT_FALSE(first < second);
    second.set_xkind(hashtable_move);
    EXPECT_TRUE(first < second);
}

TEST(MoveTest, DumpListsEveryField)
{
    EXPECT_EQ(make("e2", "e4", normal_move, 1).dump(),
              "from:e2  to:e4  code:normal_move  piece:white pawn  capture:no piece  check:false   xcode:xnormal_move");
    Move move = make("g7", "h8", promo_queen, 9, 4);
    move.set_gives_check(true);
    move.set_xkind(checking_move);
    EXPECT_EQ(move.dump(),
              "from:g7  to:h8  code:promo_queen  piece:black pawn  capture:white rook  check:true   xcode:checking move");
    move.set_xkind(static_cast<xmove_t>(16));
    EXPECT_EQ(move.xkind_name(), "");
    EXPECT_EQ(move.dump().substr(move.dump().size() - 6), "xcode:");
    Move broken = make("e2", "e4", normal_move, 7);
    EXPECT_THROW((void)broken.dump(), std::logic_error);
}

}
