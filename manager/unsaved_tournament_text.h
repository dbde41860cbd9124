#pragma once

#include "manager/tournament.h"

#include <exception>
#include <string>

// What the user reads when a tournament run cannot save its ".trn" file,
// from the error of Tournament::save: which file and why, what became of the
// games, and how the tournament goes on.

// Before the first game: the run does not start, and no game is played.
std::string unstarted_run_text(const std::exception& save_error);

// After a game: the game is in the event's PGN file, its result is not in
// the ".trn" file, and the run stops. Loaded again, the tournament scores
// that game from the PGN file (TournamentRecord::score_game_appended) and
// goes on with the next one.
std::string unsaved_result_text(const std::exception& save_error, const Tournament& tournament, int game_number);
