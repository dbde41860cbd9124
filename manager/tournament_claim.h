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
