#include "manager/tournament_games_left.h"

std::string no_game_left_reason(const Tournament& tournament)
{
    if (!tournament.is_finished()) {
        return "";
    }
    const std::string event = '"' + tournament.get_event() + '"';
    if (tournament.get_games().empty()) {
        return event + " has no games. Make or load another tournament.";
    }
    return "Every game of " + event + " has been played. Make or load another tournament.";
}

std::string no_tournament_reason() { return "Make a tournament with Tournament > New / Edit / Reset, or load one."; }
