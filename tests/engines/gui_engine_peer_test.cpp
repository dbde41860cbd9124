#include "engines/gui_engine.h"

#include "core/move_generator.h"
#include "core/move_list.h"
#include "engines/legal_move.h"
#include "engines/protocol_detection.h"
#include "tests/engines/engine_receiver.h"
#include "tests/engines/position_helpers.h"
#include "tests/support/peer_programs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <ostream>
#include <string>
#include <tuple>

namespace {

using namespace std::chrono_literals;
using torvane_test::EngineReceiver;
using torvane_test::eventually;

const std::string wrapper_dir = PEER_WRAPPER_DIR;
constexpr std::uint64_t token = 77;
constexpr std::uint32_t movetime_ms = 100;

struct PeerEngine {
    const char* name;
    std::string program;
    int protocol;
    int detected;
};

void PrintTo(const PeerEngine& engine, std::ostream* out) { *out << engine.name; }

std::string path_of(const PeerEngine& engine)
{
    return engine.program.front() == '/' ? engine.program : torvane_test::peer_program(engine.program);
}

bool has_legal_move(const ChessPosition& position)
{
    MoveList moves;
    MoveGenerator().generate(position, moves);
    return moves.size() > 0;
}

// The manager's side of one engine: asks for moves and reads the answers.
class EngineGame {
public:
    explicit EngineGame(const PeerEngine& engine)
    {
        m_owner.load(1, path_of(engine), engine.protocol, m_manager.trio());
        m_owner.set_token(token);
        Level level;
        level.set_fixed_movetime(movetime_ms);
        m_owner.set_level(level);
        m_owner.new_game();
    }
    ~EngineGame() { m_owner.unload_engine(); }

    GuiEngine& owner() { return m_owner; }

    // The engine's best move in the position (text after "bestmove"), or
    // nothing when it does not answer in time or resigns.
    std::optional<std::string> best_move(const ChessPosition& position, std::string* ponder = nullptr)
    {
        m_owner.set_white(position.board().side_to_move() == 1);
        m_owner.set_position(position);
        m_owner.go();
        const std::string own = "1 " + std::to_string(token) + " ";
        for (;;) {
            std::optional<std::string> line = m_manager.next_line(20s);
            if (!line) {
                return std::nullopt;
            }
            if (line->compare(0, own.size(), own) != 0) {
                continue;
            }
            std::istringstream words(line->substr(own.size()));
            std::string command, move, word;
            words >> command >> move;
            if (command == "resign") {
                return std::nullopt;
            }
            if (command != "bestmove") {
                continue;
            }
            if (ponder && words >> word && word == "ponder") {
                words >> *ponder;
            }
            return move;
        }
    }

    // Plays plies moves of the engine against itself, each checked legal; a
    // search cut short by a loaded machine can mate or stalemate sooner, and
    // the game ends there.
    void play(ChessPosition position, int plies)
    {
        for (int ply = 0; ply < plies && has_legal_move(position); ++ply) {
            std::optional<std::string> move = best_move(position);
            ASSERT_TRUE(move) << "no answer at ply " << ply << " in " << position.fen();
            std::optional<Move> legal = find_legal_move(position, *move);
            ASSERT_TRUE(legal) << *move << " is not legal in " << position.fen();
            position.make_move(*legal);
        }
    }

private:
    EngineReceiver m_manager;
    GuiEngine m_owner;
};

class PeerGames : public testing::TestWithParam<PeerEngine> {};

TEST_P(PeerGames, TwentyPliesFromTheStart)
{
    EngineGame game(GetParam());
    ASSERT_TRUE(game.owner().engine_running());
    EXPECT_EQ(game.owner().copy_enginevariables().get_protocol(), GetParam().detected);
    EXPECT_EQ(game.owner().is_uci(), GetParam().detected == protocol_uci);
    ChessPosition start;
    start.set_start_position();
    game.play(start, 20);
    EXPECT_FALSE(game.owner().engine_crashed());
}

TEST_P(PeerGames, TwentyPliesFromAFen)
{
    EngineGame game(GetParam());
    ASSERT_TRUE(game.owner().engine_running());
    ChessPosition position;
    position.set_fen("r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R b KQkq - 0 5");
    game.play(position, 20);
    EXPECT_FALSE(game.owner().engine_crashed());
}

// Every xboard engine installed: fairymax has no "setboard", so it reaches
// its positions by a replay from "new" or in edit mode; the others by
// "setboard".
const PeerEngine xboard_engines[] = {
    {"fairymax", "fairymax", protocol_autodetect, protocol_xboard_v2},
    {"sjeng", "sjeng", protocol_autodetect, protocol_xboard_v2},
    {"phalanx", "phalanx", protocol_autodetect, protocol_xboard_v2},
    {"hoichess", "hoichess", protocol_autodetect, protocol_xboard_v2},
    {"gnuchess", wrapper_dir + "/gnuchess-xboard", protocol_autodetect, protocol_xboard_v2},
};

INSTANTIATE_TEST_SUITE_P(
    Engines, PeerGames,
    testing::Values(PeerEngine{"stockfish", "stockfish", protocol_autodetect, protocol_uci}, xboard_engines[0],
                    xboard_engines[1], xboard_engines[2], xboard_engines[3], xboard_engines[4],
                    PeerEngine{"polyglot", wrapper_dir + "/polyglot-stockfish", protocol_xboard_v2,
                               protocol_xboard_v2},
                    PeerEngine{"polyglot_uci", wrapper_dir + "/polyglot-stockfish", protocol_autodetect,
                               protocol_uci}),
    [](const testing::TestParamInfo<PeerEngine>& info) { return std::string(info.param.name); });

// A position the manager gives the engine right after the engine's own move
// as White in the game from start_fen; a move list of "+" plays on from that
// move with Black's first legal reply.
struct PositionChange {
    const char* name;
    std::string fen;
    std::string moves;
};

void PrintTo(const PositionChange& change, std::ostream* out) { *out << change.name; }

const std::string game_moves = "e2e4 e7e5 g1f3 b8c6";

using ChangeAfterOwnMove = std::tuple<PeerEngine, PositionChange>;

class PositionChanges : public testing::TestWithParam<ChangeAfterOwnMove> {};

TEST_P(PositionChanges, TheEngineAnswersForTheSideToMove)
{
    const auto& [engine, change] = GetParam();
    EngineGame game(engine);
    ChessPosition position = torvane_test::position_after(torvane_test::start_fen, game_moves);
    const std::optional<std::string> own = game.best_move(position);
    ASSERT_TRUE(own);
    std::optional<Move> legal = find_legal_move(position, *own);
    ASSERT_TRUE(legal) << *own;
    position.make_move(*legal);
    if (change.moves == "+") {
        MoveList replies;
        MoveGenerator().generate(position, replies);
        position.make_move(replies.at(0));
    } else {
        position = torvane_test::position_after(change.fen, change.moves);
    }
    const std::optional<std::string> answer = game.best_move(position);
    ASSERT_TRUE(answer) << "no answer in " << position.fen();
    EXPECT_TRUE(find_legal_move(position, *answer)) << *answer << " is not legal in " << position.fen();
}

const PositionChange position_changes[] = {
    {"one_move_on", "", "+"},
    {"take_back", torvane_test::start_fen, "e2e4 e7e5 g1f3"},
    {"white_to_move", "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", ""},
    {"black_to_move", "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 3 3", ""},
};

std::string change_name(const testing::TestParamInfo<ChangeAfterOwnMove>& info)
{
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Xboard, PositionChanges,
                         testing::Combine(testing::ValuesIn(xboard_engines), testing::ValuesIn(position_changes)),
                         change_name);

// Engines without "setboard" that take moves only in the form they announced,
// as "usermove e2e4" or in SAN, and refuse any other.
const PeerEngine strict_fake_engines[] = {
    {"fake_usermove", FAKE_ENGINE_DIR "/fake_engine_usermove", protocol_xboard_v2, protocol_xboard_v2},
    {"fake_san", FAKE_ENGINE_DIR "/fake_engine_san", protocol_xboard_v2, protocol_xboard_v2},
};

INSTANTIATE_TEST_SUITE_P(FakeXboard, PositionChanges,
                         testing::Combine(testing::ValuesIn(strict_fake_engines), testing::ValuesIn(position_changes)),
                         change_name);

// Started late, gnuchess finds every probe line piled up in its input;
// hoichess exits on "uci". Started at once or seconds late, each is found to
// speak xboard version 2 and named, by autodetection and by its chosen
// protocol. (gnuchess's wrappers take away the start race that makes it
// answer "protover" only once a later line has come; the fake engine's rows
// in the protocol detection tests stand for that answer.)
struct SlowStart {
    const char* name;
    const char* wrapper;
    int protocol;
    const char* idname;
};

void PrintTo(const SlowStart& start, std::ostream* out) { *out << start.name; }

class PeerLoading : public testing::TestWithParam<SlowStart> {};

TEST_P(PeerLoading, IsNamedAsXboardVersionTwo)
{
    EngineReceiver manager;
    GuiEngine owner;
    owner.load(1, wrapper_dir + "/" + GetParam().wrapper, GetParam().protocol, manager.trio());
    EXPECT_TRUE(owner.engine_running()) << owner.load_failure();
    EXPECT_EQ(owner.copy_enginevariables().get_protocol(), protocol_xboard_v2);
    EXPECT_EQ(owner.get_idname().rfind(GetParam().idname, 0), 0u) << owner.get_idname();
    owner.unload_engine();
    EXPECT_FALSE(owner.engine_running());
    EXPECT_FALSE(owner.engine_crashed());
}

INSTANTIATE_TEST_SUITE_P(
    Wrappers, PeerLoading,
    testing::Values(SlowStart{"gnuchess", "gnuchess-xboard", protocol_autodetect, "GNU Chess"},
                    SlowStart{"gnuchess_late", "gnuchess-late", protocol_autodetect, "GNU Chess"},
                    SlowStart{"gnuchess_late_chosen", "gnuchess-late", protocol_xboard_v2, "GNU Chess"},
                    SlowStart{"hoichess_late", "hoichess-late", protocol_autodetect, "HoiChess"},
                    SlowStart{"hoichess_late_chosen", "hoichess-late", protocol_xboard_v2, "HoiChess"}),
    [](const testing::TestParamInfo<SlowStart>& info) { return std::string(info.param.name); });

// Stockfish plays White with pondering on or off; Black answers with the
// expected reply on even moves (a ponder hit) and another move on odd ones.
// The weak replies let a search cut short by a loaded machine mate or
// stalemate within the eight moves; play then goes on from a new start.
class Pondering : public testing::TestWithParam<bool> {};

TEST_P(Pondering, EveryMoveLegalWithPonderHitsAndMisses)
{
    const bool ponder = GetParam();
    EngineGame game(PeerEngine{"stockfish", "stockfish", protocol_uci, protocol_uci});
    game.owner().set_ponder(ponder);
    ChessPosition position;
    position.set_start_position();
    int pondered = 0;
    for (int move_number = 0; move_number < 8; ++move_number) {
        std::string expected;
        std::optional<std::string> move = game.best_move(position, &expected);
        ASSERT_TRUE(move);
        std::optional<Move> legal = find_legal_move(position, *move);
        ASSERT_TRUE(legal) << *move << " in " << position.fen();
        position.make_move(*legal);
        if (ponder && eventually([&] { return game.owner().get_state() == engine_pondering; }, 2s)) {
            ++pondered;
        }
        if (!ponder) {
            EXPECT_EQ(game.owner().get_state(), engine_idle);
        }
        if (!has_legal_move(position)) {
            position.set_start_position();
            continue;
        }
        std::optional<Move> reply = find_legal_move(position, expected);
        if (!reply || move_number % 2 == 1) {
            MoveList moves;
            MoveGenerator().generate(position, moves);
            reply = moves.at(static_cast<int>(moves.size()) - 1);
        }
        position.make_move(*reply);
        if (!has_legal_move(position)) {
            position.set_start_position();
        }
    }
    EXPECT_EQ(pondered > 0, ponder);
    EXPECT_FALSE(game.owner().engine_crashed());
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, Pondering, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "on" : "off"; });

}
