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

// On every pass of the manager, for an engine in a game in progress: a
// crashed engine loses at once ("{engine failure}"); one that is more than
// 20 s over its time loses ("{time}") even when time losses are ignored, since
// that is the only guard against an engine that never answers.
std::optional<std::string> engine_verdict(const EngineClock& engine);
