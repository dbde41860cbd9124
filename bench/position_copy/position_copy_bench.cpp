// What constructing and copying a position costs. Positions are copied by
// value all over the program, so both must stay in the microsecond range:
// the attack and geometry tables are shared, never rebuilt per position.
#include <benchmark/benchmark.h>

#include <string>

#include "core/chess_position.h"

namespace {

// A position with a history of the given length (knights shuffling out and back).
ChessPosition game_position(int plies)
{
    static const char* const moves[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    ChessPosition position;
    position.set_start_position();
    for (int i = 0; i < plies; ++i) {
        position.make_move(position.convert_to_move(moves[i % 4]));
    }
    return position;
}

void construct(benchmark::State& state)
{
    for (auto _ : state) {
        ChessPosition position;
        benchmark::DoNotOptimize(position);
    }
}

void copy_start(benchmark::State& state)
{
    ChessPosition source;
    source.set_start_position();
    for (auto _ : state) {
        ChessPosition copy(source);
        benchmark::DoNotOptimize(copy);
    }
}

void copy_in_game(benchmark::State& state)
{
    const ChessPosition source = game_position(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ChessPosition copy(source);
        benchmark::DoNotOptimize(copy);
    }
}

void assign_in_game(benchmark::State& state)
{
    const ChessPosition source = game_position(static_cast<int>(state.range(0)));
    ChessPosition target;
    for (auto _ : state) {
        target = source;
        benchmark::DoNotOptimize(target);
    }
}

void set_fen(benchmark::State& state)
{
    ChessPosition position;
    const std::string text = "r1bq1rk1/2pnbppp/p2p1n2/1p2p3/3PP3/1BP2N1P/PP3PP1/RNBQR1K1 w - - 1 11";
    for (auto _ : state) {
        position.set_fen(text);
        benchmark::DoNotOptimize(position);
    }
}

void make_and_take_back(benchmark::State& state)
{
    ChessPosition position;
    position.set_start_position();
    const Move move = position.convert_to_move("g1f3");
    for (auto _ : state) {
        position.make_move(move);
        position.take_back();
    }
}

}

BENCHMARK(construct);
BENCHMARK(copy_start);
BENCHMARK(copy_in_game)->Arg(20)->Arg(100)->Arg(300);
BENCHMARK(assign_in_game)->Arg(100);
BENCHMARK(set_fen);
BENCHMARK(make_and_take_back);

BENCHMARK_MAIN();
