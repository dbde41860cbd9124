#include "core/chess960.h"

#include <array>
#include <mutex>
#include <random>

namespace {

// The two places of the knights among the five squares left after the bishops and the queen.
constexpr std::array<std::array<int, 2>, 10> knight_places = {{
    {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}};

// Puts the piece on the empty square with the given place, counted from file a.
void put_on_empty(std::string& rank, int place, char piece)
{
    for (char& square : rank) {
        if (square != ' ')
            continue;
        if (place-- == 0) {
            square = piece;
            return;
        }
    }
}

}

std::string chess960_back_rank(std::uint32_t number)
{
    const int n = static_cast<int>(number % 960);
    std::string rank(8, ' ');
    rank[2 * (n / 240)] = 'B';
    rank[2 * ((n % 240) / 60) + 1] = 'B';
    put_on_empty(rank, (n % 60) / 10, 'Q');
    const std::array<int, 2>& knights = knight_places[n % 10];
    // The second place is counted before the first knight fills its square.
    put_on_empty(rank, knights[1], 'N');
    put_on_empty(rank, knights[0], 'N');
    // Rook, king, rook on what is left, so the king stands between the rooks.
    put_on_empty(rank, 0, 'R');
    put_on_empty(rank, 0, 'K');
    put_on_empty(rank, 0, 'R');
    return rank;
}

std::uint32_t random_chess960_number()
{
    // One generator for the program's life, seeded once from the system's
    // random source: a generator made afresh from the clock on every call
    // gives starts that follow the clock instead of independent ones.
    static std::mutex guard;
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::uint32_t> distribution(0, 959);
    std::lock_guard lock(guard);
    return distribution(generator);
}
