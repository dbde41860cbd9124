#pragma once

#include "manager/tournament_participant.h"

#include <cstdint>
#include <string>

// One scheduled game of a tournament: its place in the schedule, the opening
// number the schedule gave it, the two players and the result. A game is
// unplayed exactly while its result is "*".
class TournamentGame {
public:
    void set_number(std::int32_t number) { m_number = number; }
    void set_cycle(std::int32_t cycle) { m_cycle = cycle; }
    void set_round(std::int32_t round) { m_round = round; }
    void set_subround(std::int32_t subround) { m_subround = subround; }
    void set_opening(std::int32_t opening) { m_opening = opening; }
    void set_white(const TournamentParticipant& white) { m_white = white; }
    void set_black(const TournamentParticipant& black) { m_black = black; }
    void set_result(const std::string& result) { m_result = result; }

    // 1-based in schedule order; 0 for the game the tournament returns when
    // no unplayed game is left.
    std::int32_t get_number() const { return m_number; }
    // The repetition of a round-robin schedule; 0 in a match or gauntlet.
    std::int32_t get_cycle() const { return m_cycle; }
    std::int32_t get_round() const { return m_round; }
    // Gauntlet: the opponent; round robin: the board; 0 in a match.
    std::int32_t get_subround() const { return m_subround; }
    std::int32_t get_opening() const { return m_opening; }
    TournamentParticipant get_white() const { return m_white; }
    TournamentParticipant get_black() const { return m_black; }
    std::string get_result() const { return m_result; }
    bool is_unplayed() const { return m_result == "*"; }

    // The round as text: "3" (a match game), "2.4" (round and opponent of a
    // gauntlet), "1.5.2" (cycle, round and board of a round robin). The cycle
    // is shown when above 0, the sub-round when above 0.
    std::string round_str() const;
    // Reads a round text: two dots give cycle, round and sub-round, one dot
    // round and sub-round, none (or more than two) the round only. Fields the
    // text does not give, or gives as no number, become 0.
    void set_round_str(std::string text);
    // The game as the tournament file writes it after "game ": the number
    // right-aligned in 7 places, then the round, opening, pairing (the
    // players' participant numbers, White first) and result, e.g.
    // "      1   round=1   opening=1  pairing=2-1   result=1-0".
    std::string str() const;

private:
    std::int32_t m_number = 0;
    std::int32_t m_cycle = 0;
    std::int32_t m_round = 0;
    std::int32_t m_subround = 0;
    std::int32_t m_opening = 0;
    TournamentParticipant m_white;
    TournamentParticipant m_black;
    std::string m_result = "*";
};
