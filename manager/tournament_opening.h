#pragma once

#include "core/chess_position.h"
#include "game/gui_book.h"
#include "manager/tournament.h"
#include "manager/tournament_game.h"

#include <optional>
#include <string>

// Sets up the opening of a tournament game on position from the suite; with
// no suite (or an empty one) the position stays as it is. A game that the
// schedule gave an opening number plays that opening; in files without one
// (opening 0) the game number decides: with both colours the two games of a
// pair share an opening, and in random order each pair (or each game) draws
// one. Numbers past the end of the suite start again from its first opening.
void set_up_tournament_opening(GuiBook& suite, ChessPosition& position, const TournamentGame& game,
                               const Tournament& tournament);

// Puts a fresh suite into suite: the tournament's opening suite, or an empty
// one when it names none (never one loaded before). Passes on the error of
// GuiBook::load.
void load_tournament_suite(const Tournament& tournament, std::optional<GuiBook>& suite);

// Loads the tournament saved as name, from the file that keeps its results
// (load_tournament_with_results), and its opening suite
// (load_tournament_suite). When the load fails, its error passes on and the
// tournament is left empty with no event, so that nothing half read can be
// played or saved over the file.
void load_tournament_with_suite(Tournament& tournament, std::optional<GuiBook>& suite, const std::string& name);
