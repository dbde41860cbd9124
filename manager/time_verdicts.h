#pragma once

#include "manager/engine_clock.h"

#include <optional>
#include <string>

// The clock rules of engine games, as result lines.
//
// After an engine's move: more than 500 ms over its time loses ("0-1 {time}"
// for White, "1-0 {time}" for Black), unless the tournament ignores time
// losses; exactly 500 ms over is still in time.
std::optional<std::string> time_loss_after_move(const EngineClock& mover, bool ignore_time_loss);

// On every pass of the manager, for an engine in a game in progress: the
// guard against an engine that never answers, which holds even when time
// losses are ignored. The grace is 20 s at every level:
// - with a clock: more than 20 s over its time loses ("{time}");
// - fixed_movetime: thinking on a move more than 20 s longer than the move
//   time loses ("{time}");
// - fixed_depth and fixed_nodes, where only the engine can tell how long the
//   search takes: a search the engine's driver gives up within the grace
//   (BaseEngine::search_unanswered) loses ("{engine failure}").
std::optional<std::string> silence_verdict(EngineClock& engine);

// silence_verdict, after the test for a crash: a crashed engine loses at once
// ("{engine failure}").
std::optional<std::string> engine_verdict(EngineClock& engine);
