#include "app/plain_fault_text.h"
#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>

namespace {

// Faults as the program's own code words them, and what a player reads.
struct Worded {
    const char* fault;
    const char* plain;
};

TEST(PlainFaultText, LeavesOutTheCodeThatPassedTheFaultOn)
{
    const Worded cases[] = {
        {"Interface::set_position_from_line()   not a FEN or EPD line: 8/8 w", "Not a FEN or EPD line: 8/8 w."},
        {"Interface::follow_record()   the game record stops at a move: SanMove operator=(string \"Ke3\"): no "
         "moving piece found(2) \nfen   4k3/8/8/8/8/8/8/4K3 w - - 0 2\n",
         "The game record stops at a move: SanMove operator=(string \"Ke3\"): no moving piece found(2)."},
        {"move e2e5 is not legal", "Move e2e5 is not legal."},
        {"ChessPosition::fen(string)   error castle field", "Error castle field."},
        {"Interface::set_position_from_line()   ChessPosition::fen(8/8 w - -)   error number of kings",
         "Error number of kings."},
        {"Interface::x()   ", "Something went wrong inside the program."},
    };
    for (const Worded& c : cases)
        EXPECT_EQ(plain_fault_text(c.fault), c.plain) << c.fault;
}

// Turkish case rules keep 'i' small: the English texts follow ASCII's.
TEST(PlainFaultText, UpperCasesTheFirstLetterAsEnglishDoesInEveryLocale)
{
    torvane_test::ScopedLocale turkish("tr_TR.UTF-8");
    ASSERT_TRUE(turkish.active()) << "tr_TR.UTF-8 is missing: scripts/setup generates it";
    EXPECT_EQ(plain_fault_text("illegal move e2e5"), "Illegal move e2e5.");
}

TEST(PlainFaultText, NamesTheMoveAGameCannotBeReadAt)
{
    const Worded cases[] = {
        {"SanMove operator=(string \"Ke3\"): no moving piece found(2) \nfen   "
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2\n",
         "2. Ke3 is not a legal move."},
        {"SanMove operator=(string): illegal move \"Nf6\"\nfen()=rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b "
         "KQkq - 1 2",
         "2... Nf6 is not a legal move."},
        {"PgnFile: unexpected token", "PgnFile: unexpected token."},
    };
    for (const Worded& c : cases)
        EXPECT_EQ(unreadable_game_reason(c.fault), c.plain) << c.fault;
}

}
