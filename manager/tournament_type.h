#pragma once

#include <cstdint>
#include <string>

// The kind of schedule a tournament plays.
enum TournamentType : std::int32_t {
    match = 0,
    gauntlet = 1,
    roundrobin = 2,
};

// The word that tournament files and the tournament dialog use for a type:
// "match", "gauntlet" or "roundrobin"; "" for any other value.
inline std::string tournament_type_word(TournamentType type)
{
    switch (type) {
    case match:
        return "match";
    case gauntlet:
        return "gauntlet";
    case roundrobin:
        return "roundrobin";
    }
    return "";
}
