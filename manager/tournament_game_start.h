#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "engines/gui_engine.h"
#include "engines/level.h"
#include "game/gui_book.h"
#include "manager/tournament.h"
#include "manager/tournament_game.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

// The start of a tournament game, the same in both managers.

// Where a tournament game starts: the position its opening's moves start
// from (the standard start, or the suite entry's own position) and those
// moves in the order played.
struct TournamentOpening {
    std::string start_fen;
    std::vector<Move> moves;
};

// Begins a tournament game: the engines are seated (engine 1 White, engine 2
// Black, logging to log and playing at level), both start a new game, and
// the game's opening is set up from the suite on the standard start
// position. The engine to move is not started yet.
TournamentOpening begin_tournament_game(GuiEngine& engine1, GuiEngine& engine2, std::ostream* log, const Level& level,
                                        GuiBook& suite, ChessPosition& position, const TournamentGame& game,
                                        const Tournament& tournament);

// The game's PGN tags with their values, in this order: "White", "Black",
// "WhiteElo" and "BlackElo" (each only when the engine has an Elo text),
// "Round", "Event", "Site" and "TimeControl" (the tournament's own text).
std::vector<std::pair<std::string, std::string>> tournament_game_tags(const GuiEngine& engine1,
                                                                      const GuiEngine& engine2,
                                                                      const TournamentGame& game,
                                                                      const Tournament& tournament);
