#include "manager/tournament_claim.h"

#include "manager/tournament_games_left.h"

namespace {

// The event's name in double quotes; built by appending, as GCC 12 warns
// wrongly about a string inserted in front of a temporary one at -O3.
std::string quoted(const std::string& event)
{
    std::string text = "\"";
    text += event;
    text += '"';
    return text;
}

}

std::string claim_tournament_to_play(Tournament& tournament, const std::string& name, TournamentLock& lock)
{
    read_tournament_to_play(tournament, name);
    // Read again under the lock, the file may name another event, whose file
    // then keeps the results: that one is claimed in turn.
    while (lock.held() != tournament.save_path()) {
        switch (lock.claim(tournament.save_path())) {
        case TournamentLock::Claim::held:
            read_tournament_to_play(tournament, name);
            break;
        case TournamentLock::Claim::held_elsewhere:
            return played_elsewhere_reason(tournament);
        case TournamentLock::Claim::failed:
            return unlockable_reason(tournament.get_event(), lock, "Nothing was played.");
        }
    }
    return "";
}

std::string played_elsewhere_reason(const Tournament& tournament)
{
    return played_elsewhere_refusal(tournament.get_event(),
                                    "Nothing was played; start it again once that program has stopped.");
}

std::string played_elsewhere_refusal(const std::string& event, const std::string& outcome)
{
    return quoted(event) + " is being played by another program. " + outcome;
}

std::string unlockable_reason(const std::string& event, const TournamentLock& lock, const std::string& outcome)
{
    return quoted(event) + " cannot be locked against other programs: " + lock.fault() + ". " + outcome;
}
