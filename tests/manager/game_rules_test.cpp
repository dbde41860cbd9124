// The referee's rules on worked positions, and the clock rules of engine
// games on a stubbed clock.
#include "manager/game_result.h"
#include "manager/time_verdicts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

ChessPosition position_of(const std::string& fen, std::initializer_list<const char*> moves = {})
{
    ChessPosition position;
    position.set_fen(fen);
    for (const char* move : moves) {
        position.make_move(position.convert_to_move(move));
    }
    return position;
}

TEST(GameRules, ResultsOfWorkedPositions)
{
    const struct {
        std::string fen;
        std::initializer_list<const char*> moves;
        std::string result;
        bool adjudicated;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {}, "*", false},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"}, "1/2-1/2 {Draw by threefold repetition}", false},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
         {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"}, "*", false},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", {}, "1/2-1/2 {Stalemate}", false},
        // Stalemate on the hundredth quiet ply: the last test wins.
        {"7k/8/6K1/8/8/8/5Q2/8 w - - 99 80", {"f2f7"}, "1/2-1/2 {Stalemate}", false},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 98 80", {"a1a2"}, "*", false},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 99 80", {"a1a2"}, "1/2-1/2 {Draw by fifty move rule}", false},
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", {"a1a8"}, "1-0 {White mates}", false},
        {"r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", {"a8a1"}, "0-1 {Black mates}", false},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", {}, "1/2-1/2 {Draw by insufficient material}", false},
        {"4k3/8/8/8/8/8/8/3NK3 w - - 0 1", {}, "1/2-1/2 {Draw by insufficient material}", false},
        {"4k3/8/8/8/8/8/8/2NNK3 w - - 0 1", {}, "*", false},
        // Bishops on squares of the same colour (c1 and f8 are dark) cannot mate; of different colours they can.
        {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", {}, "1/2-1/2 {Draw by insufficient material}", false},
        {"4k1b1/8/8/8/8/8/8/2B1K3 w - - 0 1", {}, "*", false},
        {"4kn2/8/8/8/8/8/8/2B1K3 w - - 0 1", {}, "1/2-1/2 {Draw by insufficient material}", false},
        // King and knight each: a draw by the rules at once, adjudicated later.
        {"4kn2/8/8/8/8/8/8/3NK3 w - - 5 40", {}, "1/2-1/2 {Draw by insufficient material}", false},
        {"4kn2/8/8/8/8/8/8/3NK3 w - - 6 40", {}, "1/2-1/2 {Draw by insufficient material}", true},
        {"r3k3/8/8/8/8/8/8/R3K3 w - - 5 40", {}, "*", false},
        {"r3k3/8/8/8/8/8/8/R3K3 w - - 6 40", {}, "*", true},
        {"r3k3/8/8/8/8/8/8/R2QK3 w - - 6 40", {}, "*", false},
        // A mate with a queen each and a long quiet run is still a mate.
        {"7Q/2q5/8/8/8/1k6/8/K7 b - - 5 40", {"c7c1"}, "0-1 {Black mates}", true},
    };
    MoveGenerator generator;
    for (const auto& test : cases) {
        const ChessPosition position = position_of(test.fen, test.moves);
        EXPECT_EQ(game_result(position, generator), test.result) << test.fen;
        EXPECT_EQ(adjudicated_material_draw(position), test.adjudicated) << test.fen;
    }
}

class StubClock : public EngineClock {
public:
    StubClock(std::int64_t time_left, bool white, bool crashed, const std::string& level = "sessions 40 0:10 0.1",
              std::optional<std::int64_t> thinking = std::nullopt, bool unanswered = false)
        : m_time_left(time_left), m_white(white), m_crashed(crashed), m_level(level), m_thinking(thinking),
          m_unanswered(unanswered)
    {
    }
    std::int64_t time_left() const override { return m_time_left; }
    bool is_white() const override { return m_white; }
    bool crashed() const override { return m_crashed; }
    Level level() const override { return m_level; }
    std::optional<std::int64_t> thinking_time() const override { return m_thinking; }
    bool search_unanswered(std::chrono::milliseconds grace) override
    {
        EXPECT_EQ(grace, std::chrono::seconds(20));
        return m_unanswered;
    }

private:
    std::int64_t m_time_left;
    bool m_white;
    bool m_crashed;
    Level m_level;
    std::optional<std::int64_t> m_thinking;
    bool m_unanswered;
};

TEST(GameRules, TimeLossBoundaries)
{
    const std::optional<std::string> none;
    const struct {
        std::int64_t time_left;
        bool white;
        bool crashed;
        bool ignore_time_loss;
        std::optional<std::string> after_move;
        std::optional<std::string> verdict;
    } cases[] = {
        {0, true, false, false, none, none},
        {-500, true, false, false, none, none},
        {-501, true, false, false, "0-1 {time}", none},
        {-501, false, false, false, "1-0 {time}", none},
        {-501, true, false, true, none, none},
        {-20000, false, false, true, none, none},
        // The silent-engine test does not care whether time losses count.
        {-20001, false, false, true, none, "1-0 {time}"},
        {-20001, true, false, false, "0-1 {time}", "0-1 {time}"},
        // A crashed engine loses at once, whatever its clock shows.
        {1073741824, true, true, false, none, "0-1 {engine failure}"},
        {-20001, false, true, true, none, "1-0 {engine failure}"},
    };
    for (const auto& test : cases) {
        StubClock clock(test.time_left, test.white, test.crashed);
        EXPECT_EQ(time_loss_after_move(clock, test.ignore_time_loss), test.after_move) << test.time_left;
        EXPECT_EQ(engine_verdict(clock), test.verdict) << test.time_left;
    }
}

// The silent-engine test at each level: 20 s past the clock, 20 s past the
// move time while thinking, and at a depth or node count whatever the
// driver's watch of the search says; a clock is not looked at elsewhere.
TEST(GameRules, ASilentEngineLosesAtEveryLevel)
{
    const std::optional<std::string> none;
    const std::optional<std::int64_t> idle;
    const struct {
        std::string level;
        std::int64_t time_left;
        std::optional<std::int64_t> thinking;
        bool unanswered;
        std::optional<std::string> verdict;
    } cases[] = {
        {"fixed_movetime 100", 1073741824, 20100, false, none},
        {"fixed_movetime 100", 1073741824, 20101, false, "0-1 {time}"},
        {"fixed_movetime 100", 1073741824, idle, false, none},
        {"fixed_depth 5", 1073741824, 3600000, false, none},
        {"fixed_depth 5", 1073741824, 20000, true, "0-1 {engine failure}"},
        {"fixed_nodes 1000", 1073741824, 20000, true, "0-1 {engine failure}"},
        {"sudden_death 0 0:10 0", -20001, 30001, true, "0-1 {time}"},
        {"sudden_death 0 0:10 0", -19999, 29999, true, none},
    };
    for (const auto& test : cases) {
        StubClock clock(test.time_left, true, false, test.level, test.thinking, test.unanswered);
        EXPECT_EQ(silence_verdict(clock), test.verdict) << test.level << " " << test.thinking.value_or(-1);
    }
}

}
