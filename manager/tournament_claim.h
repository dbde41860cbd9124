#pragma once

#include "manager/tournament.h"
#include "manager/tournament_lock.h"

#include <string>

// A program plays a saved tournament only while it holds it (TournamentLock),
// so that two programs never play one tournament at once. The file that
// keeps the tournament's results, and so the lock to take, is known only once
// the tournament has been read; once the lock is held, it is read again: what
// is played is then what the file holds, as no other program changes it.

// Reads the tournament saved as name as a run plays it
// (read_tournament_to_play) and claims it with lock. Returns "" when the
// lock holds it, the tournament then as the file holds it now; otherwise why
// it is not played, in words for the user (another program plays it, or it
// cannot be locked). Throws what Tournament::load throws, the lock then
// perhaps held.
std::string claim_tournament_to_play(Tournament& tournament, const std::string& name, TournamentLock& lock);

// Why a tournament that another program plays is not played here, in words
// for the user.
std::string played_elsewhere_reason(const Tournament& tournament);

// Why a change to the tournament saved as event, which another program
// plays, is refused: "\"<event>\" is being played by another program. "
// followed by the outcome ("Nothing was saved.").
std::string played_elsewhere_refusal(const std::string& event, const std::string& outcome);

// Why the tournament saved as event is not played or changed when lock
// failed to claim it, in words naming the file or folder that could not be
// used, followed by the outcome.
std::string unlockable_reason(const std::string& event, const TournamentLock& lock, const std::string& outcome);
