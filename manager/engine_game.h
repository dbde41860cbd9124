#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "core/move_generator.h"
#include "engines/cv_trio.h"
#include "engines/engine_variables.h"
#include "engines/gui_engine.h"
#include "engines/installed_engines.h"
#include "engines/level.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

// The steps of an engine game that both managers take alike.

// What a manager hands to every engine it starts.
struct EngineSettings {
    bool debug;
    std::ostream* log;
    bool ponder;
    Level level;
};

// A new engine in a slot: loaded from path with the protocol code, its lines
// going to the manager's queue, and given the settings. Null when its
// process does not run (the failed engine's threads are joined by then), or
// when cancel gave up its handshake; a load error, such as an unknown
// protocol code, is written to standard error after the caller's name and
// counts as a failed start. A failure in words goes to failure, when given;
// it is empty only for a cancelled start.
std::unique_ptr<GuiEngine> start_engine(int slot, const std::string& path, int protocol, const CVTrio& queue,
                                        const EngineSettings& settings, const std::string& caller,
                                        const HandshakeCancel& cancel = {}, std::string* failure = nullptr);

// The installed engine of that name from engines.cfg, read again first; an
// empty record (no file name, protocol 0) when the file lacks the name.
EngineVariables installed_engine(InstalledEngines& installed, const std::string& name);

// The engine's name in a game: its installed name, else the name it gave.
std::string player_name(const GuiEngine& engine);

// Seats the engines of a tournament game: engine 1 White, engine 2 Black,
// both logging to log and playing at level (a handicap shortens it).
void seat_engines(GuiEngine& engine1, GuiEngine& engine2, std::ostream* log, const Level& level);

// Sets the engines' move counters from the position's move number, tells
// each engine the other's time and lets the engine to move think: 1 when
// that is engine 1 (White), 2 for engine 2.
int start_engine_to_move(GuiEngine& engine1, GuiEngine& engine2, const ChessPosition& position);

// Engine 1's and engine 2's time left in milliseconds.
struct EngineTimes {
    std::int64_t engine1;
    std::int64_t engine2;
};

// After every move of an engine game each engine learns the other's time
// left, an overstepped clock counting as none.
EngineTimes exchange_opponent_times(GuiEngine& engine1, GuiEngine& engine2);

// Plays an engine's move of an engine game on the position (when that fails,
// make_error goes to standard error and the error passes on) and decides the
// game (result_after_engine_move). When it goes on, the other engine, in
// slot other_slot, gets the position and thinks; both steps are logged.
// Returns the result line, "*" when the game goes on.
std::string answer_engine_move(ChessPosition& position, MoveGenerator& generator, const Move& move, GuiEngine& other,
                               int other_slot, const std::string& make_error,
                               const std::function<void(const std::string&)>& log);
