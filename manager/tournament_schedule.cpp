#include "manager/tournament.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <stdexcept>

namespace {

TournamentGame scheduled_game(std::int32_t number, std::int32_t cycle, std::int32_t round, std::int32_t subround,
                              std::int32_t opening, const TournamentParticipant& white,
                              const TournamentParticipant& black)
{
    TournamentGame game;
    game.set_number(number);
    game.set_cycle(cycle);
    game.set_round(round);
    game.set_subround(subround);
    game.set_opening(opening);
    game.set_white(white);
    game.set_black(black);
    return game;
}

}

void Tournament::new_games()
{
    m_valid = true;
    m_games.clear();
    if (m_randomorder) {
        // Random opening numbers are drawn from the suite's size, so the suite
        // is counted as it is now, not as some earlier load found it.
        m_nbr_openings = count_openings(m_openingbook);
    }
    switch (m_type) {
    case TournamentType::match:
        new_match(m_iterations);
        return;
    case TournamentType::gauntlet:
        new_gauntlet(m_iterations);
        return;
    case TournamentType::roundrobin:
        new_roundrobin(m_iterations);
        return;
    }
    m_valid = false;
}

std::int32_t Tournament::bounded_count(std::int32_t count) const
{
    if (count <= 0) {
        return 1;
    }
    return count <= 1000000 ? count : 2;
}

std::int64_t Tournament::scheduled_game_count() const
{
    const auto players = static_cast<std::int64_t>(m_participants.size());
    if (players < 2) {
        return 0;
    }
    switch (m_type) {
    case TournamentType::match:
        return bounded_count(m_iterations);
    case TournamentType::gauntlet:
        return std::int64_t{bounded_count(m_iterations)} * (players - 1);
    case TournamentType::roundrobin:
        // Every pairing once per cycle, a bye or not.
        return m_iterations <= 0 ? 0 : std::int64_t{m_iterations} * players * (players - 1) / 2;
    }
    return 0;
}

// The opening of iteration or cycle index (from 0). In sequence: 1, 2, 3, ...
// or, with both colours, 1, 1, 2, 2, ...; at random: a draw from 1..N for
// every index or, with both colours, for every even index, the odd index
// repeating the number drawn before it (kept in drawn). An empty suite gives 0.
std::int32_t Tournament::opening_number(std::int32_t index, std::int32_t& drawn)
{
    if (!m_randomorder) {
        return m_bothcolors ? index / 2 + 1 : index + 1;
    }
    if (!m_bothcolors || index % 2 == 0) {
        int openings = static_cast<int>(std::min<std::uint32_t>(m_nbr_openings, INT_MAX));
        drawn = openings == 0 ? 0 : std::uniform_int_distribution<int>(1, openings)(m_random_engine);
    }
    return drawn;
}

void Tournament::new_match(std::int32_t count)
{
    std::int32_t iterations = bounded_count(count);
    if (m_participants.size() < 2) {
        m_valid = false;
        throw std::logic_error("Tournament::new_match() wrong number of participants");
    }
    const TournamentParticipant first = m_participants[0];
    const TournamentParticipant second = m_participants[1];
    std::int32_t drawn = 0;
    for (std::int32_t i = 1; i <= iterations; ++i) {
        std::int32_t opening = opening_number(i - 1, drawn);
        bool odd = i % 2 == 1;
        m_games.push_back(scheduled_game(i, 0, i, 0, opening, odd ? second : first, odd ? first : second));
    }
    m_nbr_games = iterations;
}

void Tournament::new_gauntlet(std::int32_t count)
{
    std::int32_t iterations = bounded_count(count);
    if (m_participants.size() < 2) {
        m_valid = false;
        throw std::logic_error("Tournament::new_gauntlet() wrong number of participants");
    }
    const std::int32_t opponents = static_cast<std::int32_t>(m_participants.size()) - 1;
    const TournamentParticipant first = m_participants[0];
    std::int32_t drawn = 0;
    for (std::int32_t i = 1; i <= iterations; ++i) {
        std::int32_t opening = opening_number(i - 1, drawn);
        bool odd = i % 2 == 1;
        for (std::int32_t k = 1; k <= opponents; ++k) {
            const TournamentParticipant& opponent = m_participants[static_cast<std::size_t>(k)];
            std::int32_t number = (i - 1) * opponents + k;
            m_games.push_back(scheduled_game(number, 0, i, k, opening, odd ? opponent : first, odd ? first : opponent));
        }
    }
    m_nbr_games = iterations * opponents;
}

void Tournament::new_roundrobin(std::int32_t count)
{
    const std::int32_t n = static_cast<std::int32_t>(m_participants.size());
    if (n < 2) {
        m_valid = false;
        throw std::logic_error("Tournament::new_roundrobin() wrong number of participants");
    }
    // With an odd number of players, position m is the bye: row B's front,
    // which never moves, so board 1 is the one left out.
    const std::int32_t m = n % 2 == 1 ? n + 1 : n;
    const std::int32_t boards = m / 2;
    std::deque<std::int32_t> row_a;
    std::deque<std::int32_t> row_b;
    for (std::int32_t p = 1; p <= boards; ++p) {
        row_a.push_back(p);
        row_b.push_front(boards + p);
    }
    std::int32_t number = 0;
    std::int32_t drawn = 0;
    for (std::int32_t c = 1; c <= count; ++c) {
        std::int32_t opening = opening_number(c - 1, drawn);
        for (std::int32_t r = 1; r <= m - 1; ++r) {
            for (std::int32_t k = 1; k <= boards; ++k) {
                if (n % 2 == 1 && k == 1) {
                    continue;
                }
                const TournamentParticipant& a = m_participants[static_cast<std::size_t>(row_a[k - 1] - 1)];
                const TournamentParticipant& b = m_participants[static_cast<std::size_t>(row_b[k - 1] - 1)];
                bool a_white = ((c - 1) + (r - 1)) % 2 == 0;
                m_games.push_back(scheduled_game(++number, c, r, k, opening, a_white ? a : b, a_white ? b : a));
            }
            // One turn of the circle: every entry but row B's front moves one
            // place along row A (front to back), then row B (back to front).
            if (row_b.size() > 1) {
                row_a.push_front(row_b[1]);
                row_b.erase(row_b.begin() + 1);
                row_b.push_back(row_a.back());
                row_a.pop_back();
            }
        }
    }
    m_nbr_games = number;
}
