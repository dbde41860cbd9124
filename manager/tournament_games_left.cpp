#include "manager/tournament_games_left.h"

#include "manager/tournament_record.h"
#include "manager/tournament_results_file.h"

void read_tournament_to_play(Tournament& tournament, const std::string& name)
{
    load_tournament_with_results(tournament, name);
    TournamentRecord::score_game_appended(tournament);
}

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

std::string no_game_left_heading() { return "The tournament has no game left to play."; }

std::string no_tournament_reason() { return "Make a tournament with Tournament > New / Edit / Reset, or load one."; }

std::string no_tournament_heading() { return "No tournament loaded"; }

std::string not_started_heading() { return "Tournament not started"; }
