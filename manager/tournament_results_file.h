#pragma once

#include "manager/tournament.h"

#include <string>

// A run saves every result in "<event>.trn", whatever name its tournament
// was loaded under: a tournament saved under a name that is not its event's
// (a copy, a renamed file) has its results in the event's file once a run
// has begun. Whoever reads a tournament to play it reads that file, so that
// no game is played twice; but only when it holds the same tournament, so
// that another tournament of the same event is never taken for it.

// Loads the tournament saved as "<name>.trn" from the file that keeps its
// results: for a tournament whose event E is not name, "<E>.trn" when that
// file exists, can be read and holds the same schedule (the same
// participants in the same order, and the same games: number, round,
// opening and pairing; results and PGN lengths aside); otherwise
// "<name>.trn" itself. Throws what Tournament::load throws.
void load_tournament_with_results(Tournament& tournament, const std::string& name);
