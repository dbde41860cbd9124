#include "manager/tournament_claim.h"

#include "engines/system_reason.h"
#include "manager/tournament_games_left.h"

namespace {

// The event's name in double quotes; built by appending, as GCC 12 warns
// wrongly about a string inserted in front of a temporary one at -O3.
std::string quoted_event(const Tournament& tournament)
{
    std::string text = "\"";
    text += tournament.get_event();
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
            return quoted_event(tournament) + " cannot be locked against other programs: " +
                   system_reason(lock.error()) + ". Nothing was played.";
        }
    }
    return "";
}

std::string played_elsewhere_reason(const Tournament& tournament)
{
    return quoted_event(tournament) +
           " is being played by another program. Nothing was played; start it again once that program has stopped.";
}
