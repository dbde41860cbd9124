#pragma once

#include "game/chess_game.h"

#include <string>

// Who plays one side of a game: a name ("?" when nobody is named) and an Elo
// ("" when none is known).
struct SidePlayer {
    std::string name;
    std::string elo;
};

// Names one side of the record: "White" or "Black" becomes the player's
// name, and "WhiteElo" or "BlackElo" the player's Elo (removed when it has
// none), so that a rating never stays with a player it does not belong to.
void tag_side_player(ChessGame& game, bool white, const SidePlayer& player);

// Names both sides (tag_side_player) and sets "TimeControl" to time_control,
// removing it when time_control is empty.
void tag_record_players(ChessGame& game, const SidePlayer& white, const SidePlayer& black,
                        const std::string& time_control);

// The window's title for a record: its players, "White  Black", followed by
// " (no engine loaded)" while no engine is loaded (engine_name empty). When
// both players are unknown it names what is loaded instead: the engine's
// name, or "Torvane (no engine loaded)".
std::string players_title(const ChessGame& game, const std::string& engine_name);
