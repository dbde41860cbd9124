#include "manager/tournament_opening.h"

#include "manager/tournament_results_file.h"

#include <algorithm>

void set_up_tournament_opening(GuiBook& suite, ChessPosition& position, const TournamentGame& game,
                               const Tournament& tournament)
{
    const int count = suite.count();
    if (count <= 0) {
        return;
    }
    auto cycled = [count](int n) { return (n - 1) % count + 1; };
    if (game.get_opening() > 0) {
        // The schedule's own opening: with both colours, the two games of a
        // colour-reversed pair share it in every kind of schedule.
        suite.setup(position, cycled(game.get_opening()));
        return;
    }
    const int n = std::max(1, game.get_number());
    const bool random = tournament.get_randomorder();
    const bool both_colours = tournament.get_bothcolors();
    if (random && (!both_colours || n % 2 == 1)) {
        suite.setup_random(position);
    } else if (random) {
        suite.setup_again(position);
    } else if (!both_colours) {
        suite.setup(position, cycled(n));
    } else if (n == 1) {
        suite.setup_first(position);
    } else {
        suite.setup(position, cycled(n % 2 == 1 ? (n + 1) / 2 : n / 2));
    }
}

void load_tournament_suite(const Tournament& tournament, std::optional<GuiBook>& suite)
{
    suite.emplace();
    if (!tournament.get_openingbook().empty()) {
        suite->load(tournament.get_openingbook());
    }
}

void load_tournament_with_suite(Tournament& tournament, std::optional<GuiBook>& suite, const std::string& name)
{
    try {
        load_tournament_with_results(tournament, name);
        load_tournament_suite(tournament, suite);
    } catch (...) {
        tournament.reset();
        tournament.set_event("");
        throw;
    }
}
