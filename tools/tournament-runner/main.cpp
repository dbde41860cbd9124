// tournament-runner NAME: plays the tournament "NAME.trn" without a window
// (blanks at either end of NAME dropped, as the window drops them).
//
// Runs a TournamentManager on its own thread in the current directory: it
// loads the tournament NAME from the tournaments directory of the per-user
// directory (engines from its engines.cfg), plays its unplayed games, appends
// each to "<event>.pgn" in the current directory and saves each result in
// "<event>.trn". When that is not the file NAME.trn, the results are read
// from it as long as it holds the same schedule (load_tournament_with_results),
// so that a run resumed under NAME goes on where the last one stopped. The
// runner returns when the manager's loop returns. Until then it holds the
// tournament for itself (TournamentLock): while another program plays it,
// the runner plays nothing.
//
// Standard output: one line per game finished in this run, in list order,
// with the fields separated by tabs: game number, White, Black, result
// (e.g. "2\tFairymax\tStockfish\t0-1"); nothing else. Diagnostics go to
// standard error; so does, in words, why a tournament that cannot be read
// (missing, damaged, cut short) or that another program plays is not played
// at all.
// Exit status: 0 when every game of the tournament has a result; 1 when the
// tournament is missing or unreadable, another program plays it, or the run
// stopped before its end; 2 for a wrong command line.
#include "manager/tournament.h"
#include "manager/tournament_claim.h"
#include "manager/tournament_load_error.h"
#include "manager/tournament_lock.h"
#include "manager/tournament_manager.h"

#include <exception>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {

// What the tournament file held before the run: the name its results are
// saved under (its event) and the games still unplayed. A game that the run
// before appended to the PGN file but could not score is read as played, as
// the manager scores it from there: this run does not finish it.
struct Before {
    std::string event;
    std::set<int> unplayed;
};

// The tournament as the manager is to play it, held with lock; none, once
// standard error has said why, when it cannot be read or another program
// plays it.
std::optional<Before> claim_before(const std::string& name, TournamentLock& lock)
{
    Tournament tournament;
    try {
        if (const std::string refusal = claim_tournament_to_play(tournament, name, lock); !refusal.empty()) {
            std::cerr << "tournament-runner: " << refusal << std::endl;
            return std::nullopt;
        }
    } catch (const std::exception& error) {
        const auto* unreadable = dynamic_cast<const TournamentLoadError*>(&error);
        std::cerr << "tournament-runner: nothing was played: "
                  << (unreadable ? tournament.get_path() + " cannot be read: " + unreadable->reason() : error.what())
                  << std::endl;
        return std::nullopt;
    }
    Before before;
    before.event = tournament.get_event();
    for (const TournamentGame& game : tournament.get_games()) {
        if (game.is_unplayed()) {
            before.unplayed.insert(game.get_number());
        }
    }
    return before;
}

// Prints the games that got their result in the run, and tells whether
// every game has one now.
bool report_finished_games(const Before& before)
{
    Tournament tournament;
    try {
        tournament.load(before.event);
    } catch (const std::exception& error) {
        std::cerr << "tournament-runner: " << error.what() << std::endl;
        return false;
    }
    for (const TournamentGame& game : tournament.get_games()) {
        if (!game.is_unplayed() && before.unplayed.count(game.get_number()) != 0) {
            std::cout << game.get_number() << '\t' << game.get_white().get_name() << '\t'
                      << game.get_black().get_name() << '\t' << game.get_result() << '\n';
        }
    }
    std::cout.flush();
    return tournament.is_finished();
}

}

int main(int argc, char** argv)
{
    const std::string name = argc == 2 ? Tournament::trimmed_name(argv[1]) : "";
    if (name.empty()) {
        std::cerr << "usage: tournament-runner NAME   (plays tournaments/NAME.trn)" << std::endl;
        return 2;
    }
    TournamentLock lock;
    const std::optional<Before> before = claim_before(name, lock);
    if (!before) {
        return 1;
    }
    {
        TournamentManager manager;
        std::thread loop(std::ref(manager));
        manager.command("0 load_tournament " + name);
        manager.command("0 start_tournament");
        loop.join();
    }
    return report_finished_games(*before) ? 0 : 1;
}
