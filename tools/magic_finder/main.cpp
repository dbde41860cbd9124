// Searches magic multipliers for the sliding-piece lookup and prints them as the
// C++ initialisers of core/magic_numbers.cpp.
//
// The index width of every square is fixed in advance (the shifts below); a
// multiplier is accepted when no two occupancies of the square's mask that land
// on the same index have different attack sets. Multipliers already known are
// checked and kept. The search draws sparse random numbers from a fixed seed,
// so every run prints the same table.
//
// This program works on bare 64-bit words on purpose: it does not use the core
// library whose tables it feeds, so it checks those tables independently.

#include <array>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using Word = std::uint64_t;

constexpr Word not_file_a = 0xFEFEFEFEFEFEFEFEULL;
constexpr Word not_file_h = 0x7F7F7F7F7F7F7F7FULL;

// Shifts by square (a1 = 0 .. h8 = 63), rank 1 first.
constexpr std::array<unsigned, 64> bishop_shifts = {
    58, 59, 59, 59, 59, 59, 59, 58,
    59, 59, 59, 59, 59, 59, 59, 59,
    59, 59, 57, 57, 57, 57, 59, 59,
    59, 59, 57, 54, 55, 57, 59, 59,
    59, 59, 57, 55, 55, 57, 59, 59,
    59, 59, 57, 57, 57, 57, 59, 59,
    59, 59, 59, 59, 59, 59, 59, 59,
    58, 59, 59, 59, 59, 59, 59, 58};

constexpr std::array<unsigned, 64> rook_shifts = {
    52, 53, 53, 53, 53, 53, 53, 52,
    53, 54, 54, 54, 54, 54, 54, 53,
    53, 54, 54, 54, 54, 54, 54, 53,
    53, 54, 54, 54, 54, 54, 54, 53,
    53, 54, 54, 54, 54, 54, 54, 53,
    53, 54, 54, 54, 54, 53, 54, 53,
    53, 54, 54, 54, 54, 54, 54, 53,
    52, 53, 53, 53, 52, 53, 53, 52};

// The multipliers that are given rather than searched: {square, magic}.
const std::map<int, Word> known_bishop_magics = {
    {0, 0x014501040C040041ULL}, {27, 0x0C01001214004202ULL},
    {28, 0x0001040006002104ULL}, {63, 0x0C40020821002482ULL}};
const std::map<int, Word> known_rook_magics = {
    {0, 0x108001228011C002ULL}, {45, 0x00001004080A0005ULL},
    {60, 0x0423020902200C06ULL}, {63, 0x82010000820C2145ULL}};

struct Direction {
    int shift;  // positive: left shift, negative: right shift
    Word guard; // squares a step may land on without wrapping round a file edge
};

constexpr std::array<Direction, 4> rook_directions = {{
    {8, ~Word{0}}, {1, not_file_a}, {-1, not_file_h}, {-8, ~Word{0}}}};
constexpr std::array<Direction, 4> bishop_directions = {{
    {7, not_file_h}, {9, not_file_a}, {-9, not_file_h}, {-7, not_file_a}}};

Word step(Word set, const Direction& direction)
{
    const Word moved = direction.shift > 0 ? set << direction.shift : set >> -direction.shift;
    return moved & direction.guard;
}

Word ray_attacks(int square, Word occupancy, const std::array<Direction, 4>& directions)
{
    Word attacks = 0;
    for (const Direction& direction : directions) {
        Word t = Word{1} << square;
        for (int i = 0; i < 7; ++i) {
            t = step(t, direction);
            attacks |= t;
            if (t & occupancy)
                break;
        }
    }
    return attacks;
}

// The relevant occupancy: the empty-board attacks without the last square of each ray.
Word relevant_mask(int square, const std::array<Direction, 4>& directions)
{
    Word mask = 0;
    for (const Direction& direction : directions) {
        Word t = Word{1} << square;
        while (Word next = step(t, direction)) {
            if (!step(next, direction))
                break;
            mask |= next;
            t = next;
        }
    }
    return mask;
}

std::vector<Word> subsets_of(Word mask)
{
    std::vector<Word> subsets;
    Word subset = 0;
    do {
        subsets.push_back(subset);
        subset = (subset - mask) & mask;
    } while (subset);
    return subsets;
}

class SparseRandom {
public:
    Word next()
    {
        return draw() & draw() & draw();
    }

private:
    Word draw()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    Word m_state = 0x9E3779B97F4A7C15ULL;
};

struct SquareProblem {
    std::vector<Word> occupancies;
    std::vector<Word> attacks;
    unsigned shift;
};

bool fits(const SquareProblem& problem, Word magic, std::vector<Word>& table,
          std::vector<unsigned>& stamp, unsigned attempt)
{
    for (std::size_t i = 0; i < problem.occupancies.size(); ++i) {
        const Word index = (problem.occupancies[i] * magic) >> problem.shift;
        if (stamp[index] != attempt) {
            stamp[index] = attempt;
            table[index] = problem.attacks[i];
        } else if (table[index] != problem.attacks[i]) {
            return false;
        }
    }
    return true;
}

Word find_magic(int square, const std::array<Direction, 4>& directions, unsigned shift,
                const std::map<int, Word>& known, SparseRandom& random)
{
    SquareProblem problem;
    problem.shift = shift;
    const Word mask = relevant_mask(square, directions);
    problem.occupancies = subsets_of(mask);
    for (Word occupancy : problem.occupancies)
        problem.attacks.push_back(ray_attacks(square, occupancy, directions));

    std::vector<Word> table(std::size_t{1} << (64 - shift));
    std::vector<unsigned> stamp(table.size(), 0);
    unsigned attempt = 0;
    if (auto given = known.find(square); given != known.end()) {
        if (!fits(problem, given->second, table, stamp, ++attempt)) {
            std::fprintf(stderr, "given magic of square %d does not fit\n", square);
            return 0;
        }
        return given->second;
    }
    for (;;) {
        const Word magic = random.next();
        // Multipliers that spread the mask over too few top bits cannot work.
        if (__builtin_popcountll((mask * magic) & 0xFF00000000000000ULL) < 6)
            continue;
        if (fits(problem, magic, table, stamp, ++attempt))
            return magic;
    }
}

void print_table(const char* name, const std::array<Direction, 4>& directions,
                 const std::array<unsigned, 64>& shifts, const std::map<int, Word>& known,
                 SparseRandom& random)
{
    std::printf("const std::array<MagicRecord, 64> %s = {{\n", name);
    for (int square = 0; square < 64; ++square) {
        const Word magic = find_magic(square, directions, shifts[square], known, random);
        std::printf("%s{0x%016" PRIX64 "ULL, %u},%s", square % 2 == 0 ? "    " : "", magic,
                    shifts[square], square % 2 == 1 ? "\n" : " ");
    }
    std::printf("}};\n");
}

}

int main()
{
    SparseRandom random;
    print_table("bishop_magic_records", bishop_directions, bishop_shifts, known_bishop_magics, random);
    print_table("rook_magic_records", rook_directions, rook_shifts, known_rook_magics, random);
    return 0;
}
