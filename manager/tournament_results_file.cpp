#include "manager/tournament_results_file.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

bool same_game(const TournamentGame& one, const TournamentGame& other)
{
    return one.get_number() == other.get_number() && one.round_str() == other.round_str() &&
           one.get_opening() == other.get_opening() && one.get_white().get_number() == other.get_white().get_number() &&
           one.get_black().get_number() == other.get_black().get_number();
}

bool same_schedule(const Tournament& one, const Tournament& other)
{
    const std::vector<TournamentGame> games = one.get_games();
    const std::vector<TournamentGame> other_games = other.get_games();
    return one.get_participant_names() == other.get_participant_names() &&
           std::equal(games.begin(), games.end(), other_games.begin(), other_games.end(), same_game);
}

}

void load_tournament_with_results(Tournament& tournament, const std::string& name)
{
    tournament.load(name);
    const std::string event = tournament.get_event();
    if (event == name) {
        return;
    }
    try {
        Tournament saved;
        saved.load(event);
        if (!same_schedule(tournament, saved)) {
            return;
        }
    } catch (const std::exception&) {
        // No run has saved a result of it yet, or another file is in the way:
        // its own file holds its results.
        return;
    }
    tournament.load(event);
}
