#pragma once

#include <cstdint>
#include <string>

// The kind of schedule a tournament plays; the values are those of the
// tournament dialog's list.
enum class TournamentType : std::int32_t {
    match = 0,
    gauntlet = 1,
    roundrobin = 2,
};

// The word that tournament files and the tournament dialog use for a type:
// "match", "gauntlet" or "roundrobin"; "" for any other value.
inline std::string tournament_type_word(TournamentType type)
{
    switch (type) {
    case TournamentType::match:
        return "match";
    case TournamentType::gauntlet:
        return "gauntlet";
    case TournamentType::roundrobin:
        return "roundrobin";
    }
    return "";
}
