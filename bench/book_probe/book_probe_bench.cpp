// Probes every position of 10,000 random games in a book of 100,000 positions
// taken from other random games, and reports probes per second.

#include "core/move_generator.h"
#include "core/move_list.h"
#include "core/chess_position.h"
#include "game/polyglot_book.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace {

constexpr int max_plies = 80;

// The keys of every position of random games, each with the move played there
// (0 for the last position of a game).
struct PlayedPosition {
    std::uint64_t key;
    std::uint16_t move;
};

std::vector<PlayedPosition> random_game_positions(std::size_t wanted, std::uint32_t seed)
{
    std::mt19937 random(seed);
    MoveGenerator generator;
    std::vector<PlayedPosition> positions;
    ChessPosition position;
    while (positions.size() < wanted) {
        position.set_start_position();
        for (int ply = 0; ply < max_plies && positions.size() < wanted; ++ply) {
            MoveList moves;
            generator.generate(position, moves);
            if (moves.size() == 0)
                break;
            const Move move = moves.at(static_cast<int>(random() % moves.size()));
            const auto book_move = static_cast<std::uint16_t>(move.from().value() << 6 | move.to().value());
            positions.push_back({position.hash_key(), book_move});
            position.make_move(move);
        }
    }
    return positions;
}

std::vector<std::uint64_t> keys_of_games(int games, std::uint32_t seed)
{
    std::mt19937 random(seed);
    MoveGenerator generator;
    std::vector<std::uint64_t> keys;
    ChessPosition position;
    for (int game = 0; game < games; ++game) {
        position.set_start_position();
        keys.push_back(position.hash_key());
        for (int ply = 0; ply < max_plies; ++ply) {
            MoveList moves;
            generator.generate(position, moves);
            if (moves.size() == 0)
                break;
            position.make_move(moves.at(static_cast<int>(random() % moves.size())));
            keys.push_back(position.hash_key());
        }
    }
    return keys;
}

// One entry per position and move, weighted by how often it was played, as
// book makers merge them.
std::string write_book(std::vector<PlayedPosition> positions)
{
    std::sort(positions.begin(), positions.end(), [](const PlayedPosition& a, const PlayedPosition& b) {
        return a.key != b.key ? a.key < b.key : a.move < b.move;
    });
    const std::string path = (std::filesystem::temp_directory_path() / "torvane-book-probe-bench.bin").string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t first = 0, next = 0; first < positions.size(); first = next) {
        const PlayedPosition& position = positions[first];
        for (next = first; next < positions.size() && positions[next].key == position.key &&
                           positions[next].move == position.move;)
            ++next;
        const std::size_t weight = std::min<std::size_t>(next - first, 0xFFFF);
        unsigned char bytes[16] = {};
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<unsigned char>(position.key >> (56 - 8 * i));
        bytes[8] = static_cast<unsigned char>(position.move >> 8);
        bytes[9] = static_cast<unsigned char>(position.move);
        bytes[10] = static_cast<unsigned char>(weight >> 8);
        bytes[11] = static_cast<unsigned char>(weight);
        out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    return path;
}

void probe_every_game_position(benchmark::State& state)
{
    const std::string path = write_book(random_game_positions(100000, 1));
    const std::vector<std::uint64_t> probes = keys_of_games(10000, 2);
    PolyglotBook book;
    book.set_filename(path);
    book.open();
    std::size_t found = 0;
    for (auto _ : state) {
        for (std::uint64_t key : probes)
            found += book.find_moves(key).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["probes/s"] =
        benchmark::Counter(static_cast<double>(probes.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["positions"] = static_cast<double>(probes.size());
    state.counters["moves found per pass"] = static_cast<double>(found) / static_cast<double>(state.iterations());
    book.close();
    std::remove(path.c_str());
}

}

BENCHMARK(probe_every_game_position)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
