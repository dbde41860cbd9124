#pragma once

#include <ctime>
#include <string>

// The PGN "Date" value of a moment: its calendar day in UTC as "YYYY.MM.DD",
// month and day zero-padded.
std::string pgn_date(std::time_t when);

// The PGN "Date" value of today (UTC).
std::string pgn_date_today();
