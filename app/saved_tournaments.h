#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The tournament files of the per-user tournaments directory, as the
// Tournament menu's dialogs see them.

// The names of the tournaments saved in a directory: each entry whose
// extension is exactly ".trn" gives its file name without it, in the order
// the directory lists them (a file named ".trn" has no extension and gives
// none). A directory that cannot be read gives no names.
std::vector<std::string> saved_tournament_names(const std::string& directory);

// Why saving a new schedule as "<name>.trn" in the per-user tournaments
// directory would lose something: a sentence naming how many games of that
// file have a result, or that the file cannot be read; "" when there is no
// such file or none of its games has been played.
std::string results_at_stake(const std::string& name);

// The whole number at the start of an iterations text: white space is
// skipped, then an optional sign and the digits up to the first other
// character are read. Nothing when there are no digits or the number does
// not fit in 32 bits.
std::optional<std::int32_t> leading_integer(const std::string& text);
