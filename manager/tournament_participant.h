#pragma once

#include <cstdint>
#include <string>
#include <utility>

// One engine taking part in a tournament, named as it is installed (the
// managers load the engine by this name).
class TournamentParticipant {
public:
    TournamentParticipant() = default;
    // A participant with the given name, number 0 and rating 2600, as the
    // tournament dialog builds it.
    explicit TournamentParticipant(std::string name) : m_name(std::move(name)) {}

    // The 1-based position in the tournament's participant list; game lines
    // of the tournament file name participants by it.
    std::int32_t get_number() const { return m_number; }
    void set_number(std::int32_t number) { m_number = number; }
    const std::string& get_name() const { return m_name; }
    void set_name(const std::string& name) { m_name = name; }
    // Kept in memory only: the tournament file does not carry it.
    std::int32_t get_rating() const { return m_rating; }
    void set_rating(std::int32_t rating) { m_rating = rating; }

    // Participants are the same engine when their names are equal; number and
    // rating take no part.
    bool operator==(const TournamentParticipant& other) const { return m_name == other.m_name; }
    bool operator!=(const TournamentParticipant& other) const { return !(*this == other); }

private:
    std::int32_t m_number = 0;
    std::string m_name;
    std::int32_t m_rating = 2600;
};
