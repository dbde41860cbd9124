#pragma once

#include <cstdint>

// Reference answers for the attack and geometry tests, computed by stepping
// over file and rank coordinates, a method independent of the bit shifts and
// tables under test.
namespace ray_walk {

inline bool on_board(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

inline std::uint64_t bit(int file, int rank) { return std::uint64_t{1} << (8 * rank + file); }

// Squares from `square` in direction (df, dr), stopping after the first square in `blockers`.
inline std::uint64_t ray(int square, int df, int dr, std::uint64_t blockers = 0)
{
    std::uint64_t squares = 0;
    int file = square % 8 + df;
    int rank = square / 8 + dr;
    while (on_board(file, rank)) {
        squares |= bit(file, rank);
        if (blockers & bit(file, rank))
            break;
        file += df;
        rank += dr;
    }
    return squares;
}

inline std::uint64_t rook(int square, std::uint64_t blockers)
{
    return ray(square, 1, 0, blockers) | ray(square, -1, 0, blockers) | ray(square, 0, 1, blockers)
           | ray(square, 0, -1, blockers);
}

inline std::uint64_t bishop(int square, std::uint64_t blockers)
{
    return ray(square, 1, 1, blockers) | ray(square, -1, 1, blockers) | ray(square, 1, -1, blockers)
           | ray(square, -1, -1, blockers);
}

// Squares reached by the given (file, rank) offsets that stay on the board.
template <std::size_t N>
std::uint64_t leaps(int square, const int (&offsets)[N][2])
{
    std::uint64_t squares = 0;
    for (const auto& offset : offsets) {
        const int file = square % 8 + offset[0];
        const int rank = square / 8 + offset[1];
        if (on_board(file, rank))
            squares |= bit(file, rank);
    }
    return squares;
}

inline constexpr int knight_offsets[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
inline constexpr int king_offsets[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

// Direction (df, dr) from a to b when they share a line, else (0, 0).
inline void direction(int a, int b, int& df, int& dr)
{
    const int file_step = b % 8 - a % 8;
    const int rank_step = b / 8 - a / 8;
    df = dr = 0;
    if (a == b)
        return;
    if (file_step != 0 && rank_step != 0 && file_step != rank_step && file_step != -rank_step)
        return;
    df = (file_step > 0) - (file_step < 0);
    dr = (rank_step > 0) - (rank_step < 0);
}

// A small deterministic generator of test occupancies.
class Random {
public:
    std::uint64_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }

private:
    std::uint64_t m_state = 0x2545F4914F6CDD1DULL;
};

}
