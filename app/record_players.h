#pragma once

#include "game/chess_game.h"

#include <string>

// Who plays one side of the game being played, as the window's mode says:
// a name ("?" when nobody is named) and an Elo ("" when none is known).
struct SidePlayer {
    std::string name;
    std::string elo;
};

// The one rule for the players and time control of a game record.
// While the record follows the mode (the window started it and it holds no
// move yet) its players, their Elo and its time control are the mode's:
// "White", "Black", "WhiteElo", "BlackElo" and "TimeControl" (an empty
// time_control or Elo removes the tag). Afterwards, and always for a record
// that came with its own players (a game loaded from a file), a player still
// unknown ("?" or no tag) is filled in from the side's player, with its Elo,
// and a missing or unknown time control from time_control; a known player
// is never replaced, and keeps the Elo the record gives it.
void tag_record_players(ChessGame& game, bool follows_mode, const SidePlayer& white, const SidePlayer& black,
                        const std::string& time_control);

// The window's title for a record: its players, "White  Black", followed by
// " (no engine loaded)" while no engine is loaded (engine_name empty). When
// both players are unknown it names what is loaded instead: the engine's
// name, or "Torvane (no engine loaded)".
std::string players_title(const ChessGame& game, const std::string& engine_name);
