#pragma once

#include "manager/tournament.h"

#include <string>

// Whether a saved tournament has a game left to play is for its ".trn" file
// to say: the window asks it before it starts a run, and the manager, which
// plays what the file holds, reads the file again when a run starts. Both
// read it with read_tournament_to_play, so that they count the same games,
// and word the answer alike.

// Reads the tournament saved as name as a run plays it: from the file that
// keeps its results (load_tournament_with_results), with the game that a
// stopped run left unscored in the PGN file scored in memory
// (TournamentRecord::score_game_appended). No file is written: a manager
// that plays the run saves the tournament before its first game. Throws
// what Tournament::load throws.
void read_tournament_to_play(Tournament& tournament, const std::string& name);

// Why the loaded tournament has no game left to play, in words for the
// user (every game played, or none scheduled); "" when it has one.
std::string no_game_left_reason(const Tournament& tournament);

// The heading the user reads over no_game_left_reason.
std::string no_game_left_heading();

// Why no tournament can be played when none is saved under the name given
// last, or its file cannot be read.
std::string no_tournament_reason();

// The heading the user reads over no_tournament_reason.
std::string no_tournament_heading();

// The heading the user reads when a run that has games to play cannot start:
// another program plays the tournament, or its file cannot be saved.
std::string not_started_heading();
