#pragma once

#include "manager/tournament.h"

#include <string>

// Whether a saved tournament has a game left to play is for its ".trn" file
// to say: the window asks it before it starts a run, and the manager, which
// plays what the file holds, reads the file again when a run starts. Both
// word the answer alike.

// Why the loaded tournament has no game left to play, in words for the
// user (every game played, or none scheduled); "" when it has one.
std::string no_game_left_reason(const Tournament& tournament);

// Why no tournament can be played when none is saved under the name given
// last, or its file cannot be read.
std::string no_tournament_reason();
